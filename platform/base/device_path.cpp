#include "platform/base/device_path.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/base/text.h"

namespace zt::platform {
namespace fs = std::filesystem;
namespace {

std::vector<std::u16string> split_components(std::u16string_view path) {
    std::vector<std::u16string> parts;
    std::u16string current;
    for (char16_t c : path) {
        if (c == u'\\' || c == u'/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

bool inside(const fs::path& candidate, const fs::path& root) {
    auto rel = candidate.lexically_relative(root);
    return !rel.empty() && *rel.begin() != "..";
}

// The entry of `dir` named `name`, exactly or else without regard to case; the name as
// written when there is none (it is about to be created).
fs::path resolve_component(const fs::path& dir, const std::u16string& name) {
    std::string utf8 = utf16_to_utf8(name);
    std::error_code ec;
    fs::path exact = dir / utf8;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        auto entry = it->path().filename().string();
        if (equal_ignoring_case(utf8_to_utf16(entry), name)) matches.push_back(entry);
    }
    if (matches.empty()) return exact;
    std::sort(matches.begin(), matches.end());  // the same answer every time
    return dir / matches.front();
}

}  // namespace

std::optional<fs::path> map_device_path(std::u16string_view device_path, const fs::path& given_root) {
    if (given_root.empty()) return std::nullopt;
    std::error_code root_ec;
    const fs::path root = fs::weakly_canonical(given_root, root_ec);
    if (root_ec) return std::nullopt;
    if (device_path.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    // Collapse "." and ".." on the device path first so ".." can never step outside.
    std::vector<std::u16string> parts;
    for (auto& part : split_components(device_path)) {
        if (part == u".") continue;
        if (part == u"..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
            continue;
        }
        parts.push_back(std::move(part));
    }
    fs::path current = root;
    for (const auto& part : parts) current = resolve_component(current, part);

    // A symlink anywhere on the way may point elsewhere: check where the path really leads.
    std::error_code ec;
    fs::path real = fs::weakly_canonical(current, ec);
    if (ec || !(real == root || inside(real, root))) return std::nullopt;
    return current;
}

std::optional<fs::path> map_device_path(std::u16string_view device_path) {
    return map_device_path(device_path, device_root());
}

std::optional<std::u16string> to_device_path(const fs::path& host, const fs::path& given_root) {
    if (given_root.empty()) return std::nullopt;
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(given_root, ec);
    if (ec) return std::nullopt;
    fs::path real = fs::weakly_canonical(fs::absolute(host, ec), ec);
    if (ec) return std::nullopt;
    if (real == root) return std::u16string(u"\\");
    if (!inside(real, root)) return std::nullopt;
    std::u16string out;
    for (const auto& part : real.lexically_relative(root)) {
        out += u'\\';
        out += utf8_to_utf16(part.string());
    }
    return out;
}

std::optional<std::u16string> to_device_path(const fs::path& host) {
    return to_device_path(host, device_root());
}

}  // namespace zt::platform
