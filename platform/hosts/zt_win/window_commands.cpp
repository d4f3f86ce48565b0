#include "platform/hosts/zt_win/window_commands.h"

#include <cstdio>
#include <ostream>

#include "platform/base/text.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::zt_win {
namespace {

std::string one_line(std::u16string_view text) {
    std::u16string shown(text);
    for (char16_t& unit : shown) {
        if (unit < 0x20 || unit == 0x7F) unit = u' ';
    }
    return utf16_to_utf8(shown);
}

int usage_error(const std::string& problem, std::ostream& err) {
    err << "zt-win: " << problem << "\n" << window_commands_usage();
    return kExitFailure;
}

int run_windows(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 1) return usage_error("'windows' takes no arguments", err);
    for (const WindowInfo& window : list_windows()) out << format_window_line(window) << "\n";
    return kExitOk;
}

int run_post(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    (void)out;
    auto parsed = parse_post({ args.begin() + 1, args.end() });
    if (auto* problem = std::get_if<std::string>(&parsed)) return usage_error(*problem, err);
    const auto& post = std::get<PostCommand>(parsed);
    WindowHandle target = 0;
    if (post.class_name) {
        auto found = find_window(*post.class_name);
        if (!found) {
            err << "zt-win: no window of class \"" << utf16_to_utf8(*post.class_name) << "\"\n";
            return kExitNotFound;
        }
        target = found->handle;
    } else {
        target = *post.handle;
    }
    DeliveryStatus status = post_message(target, post.number, post.wparam, post.lparam);
    if (status == DeliveryStatus::Delivered) return kExitOk;
    err << "zt-win: posting failed: " << delivery_status_name(status) << "\n";
    return status == DeliveryStatus::NoSuchWindow ? kExitNotFound : kExitFailure;
}

}  // namespace

bool is_window_command(std::string_view verb) { return verb == "windows" || verb == "post"; }

int run_window_command(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usage_error("no command given", err);
    if (args[0] == "windows") return run_windows(args, out, err);
    if (args[0] == "post") return run_post(args, out, err);
    return usage_error("unknown command '" + std::string(args[0]) + "'", err);
}

std::optional<std::uint32_t> parse_number(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                         : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                         : c >= 'A' && c <= 'F' ? static_cast<unsigned>(c - 'A' + 10)
                                                : 99;
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::variant<PostCommand, std::string> parse_post(const std::vector<std::string_view>& args) {
    PostCommand post;
    std::size_t i = 0;
    if (args.size() >= 2 && args[0] == "--class") {
        if (args[1].empty()) return std::string("--class needs a window class");
        post.class_name = utf8_to_utf16(args[1]);
    } else if (args.size() >= 2 && args[0] == "--handle") {
        auto handle = parse_number(args[1]);
        if (!handle || *handle == 0) return "--handle needs a window handle, not '" + std::string(args[1]) + "'";
        post.handle = *handle;
    } else {
        return std::string("post needs --class NAME or --handle H");
    }
    i = 2;
    std::size_t words = args.size() - i;
    if (words < 1 || words > 3) return std::string("post needs MSG [WPARAM [LPARAM]] after the target");
    std::uint32_t* fields[] = { &post.number, &post.wparam, &post.lparam };
    const char* names[] = { "MSG", "WPARAM", "LPARAM" };
    for (std::size_t k = 0; k < words; ++k) {
        auto value = parse_number(args[i + k]);
        if (!value)
            return std::string(names[k]) + " must be a number from 0 to 4294967295 (decimal or 0x hex), not '" +
                   std::string(args[i + k]) + "'";
        *fields[k] = *value;
    }
    if (post.number == WM_COPYDATA) return std::string("WM_COPYDATA (0x4A) carries data and cannot be posted");
    return post;
}

std::string format_window_line(const WindowInfo& window) {
    char handle[16];
    std::snprintf(handle, sizeof handle, "0x%08x", static_cast<unsigned>(window.handle));
    return std::string(handle) + "\t" + one_line(window.class_name) + "\t" + one_line(window.title) + "\t" +
           std::to_string(window.process_id) + "\t" + one_line(window.module_path);
}

std::string window_commands_usage() {
    return "  windows                      list the device's top-level windows, front to back, one a\n"
           "                               line: handle, class, title, process id, executable\n"
           "                               (tab-separated)\n"
           "  post (--class NAME | --handle H) MSG [WPARAM [LPARAM]]\n"
           "                               post a message to the front-most window of class NAME\n"
           "                               (compared without regard to case) or to window H;\n"
           "                               numbers are decimal or 0x hex, WPARAM and LPARAM 0 if left out\n";
}

}  // namespace zt::platform::zt_win
