#include "platform/hosts/zt_reg/command_line.h"

#include "platform/base/text.h"
#include "platform/hosts/zt_reg/hex.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::zt_reg {
namespace {
using registry::ValueType;
using Args = std::vector<std::string_view>;

ParsedCommand usage_error(std::string message) { return { std::nullopt, std::move(message) }; }

bool is_help(std::string_view arg) { return arg == "--help" || arg == "-h"; }

struct Positional {
    size_t min;
    size_t max;
};

std::optional<Action> action_named(std::string_view word) {
    if (word == "get") return Action::Get;
    if (word == "set") return Action::Set;
    if (word == "list") return Action::List;
    if (word == "delete") return Action::Delete;
    if (word == "export") return Action::Export;
    if (word == "import") return Action::Import;
    return std::nullopt;
}

// The value of `set`, from the option after KEY NAME.
std::optional<std::string> parse_set_data(const Args& rest, Command& command) {
    if (rest.empty()) return "set needs --sz, --expand-sz, --dword, --binary or --multi-sz";
    std::string_view option = rest[0];
    if (option == "--multi-sz") {
        std::vector<std::u16string> strings;
        for (size_t i = 1; i < rest.size(); ++i) {
            if (rest[i].empty()) return "--multi-sz cannot hold an empty string";
            strings.push_back(utf8_to_utf16(rest[i]));
        }
        command.type = ValueType::MultiSz;
        command.data = registry::encode_multi_sz(strings);
        return std::nullopt;
    }
    if (rest.size() != 2) return std::string(option) + " needs exactly one value";
    std::string_view value = rest[1];
    if (option == "--sz" || option == "--expand-sz") {
        command.type = option == "--sz" ? ValueType::Sz : ValueType::ExpandSz;
        command.data = registry::encode_sz(utf8_to_utf16(value));
    } else if (option == "--dword") {
        auto number = parse_u32(value);
        if (!number) return "--dword needs a number from 0 to 4294967295 (decimal or 0x hex), not '" + std::string(value) + "'";
        command.type = ValueType::Dword;
        command.data = registry::encode_dword(*number);
    } else if (option == "--binary") {
        auto bytes = from_hex(value);
        if (!bytes) return "--binary needs pairs of hex digits, not '" + std::string(value) + "'";
        command.type = ValueType::Binary;
        command.data = std::move(*bytes);
    } else {
        return "unknown value option '" + std::string(option) + "'";
    }
    return std::nullopt;
}

}  // namespace

std::optional<KeyArgument> parse_key_argument(std::string_view text) {
    auto separator = text.find('\\');
    auto root = registry::parse_root(utf8_to_utf16(text.substr(0, separator)));
    if (!root) return std::nullopt;
    KeyArgument key;
    key.root = *root;
    key.as_given = std::string(text);
    if (separator != std::string_view::npos) key.path = utf8_to_utf16(text.substr(separator + 1));
    return key;
}

ParsedCommand parse_command_line(const Args& args) {
    Command command;
    size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        if (is_help(args[i])) return { Command {}, {} };
        if (args[i] == "--root") {
            if (++i == args.size()) return usage_error("--root needs a folder");
            command.root_dir = std::string(args[i]);
        } else if (args[i].starts_with("--root=")) {
            command.root_dir = std::string(args[i].substr(7));
        } else {
            return usage_error("unknown option '" + std::string(args[i]) + "'");
        }
        if (command.root_dir->empty()) return usage_error("--root needs a folder");
    }
    if (i == args.size()) return usage_error("no command given");
    auto action = action_named(args[i]);
    if (!action) return usage_error("unknown command '" + std::string(args[i]) + "'");
    command.action = *action;
    Args rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    if (rest.size() == 1 && is_help(rest[0])) return { Command {}, {} };

    Positional shape {};
    switch (command.action) {
    case Action::Get: shape = { 2, 2 }; break;
    case Action::Set: shape = { 2, SIZE_MAX }; break;
    case Action::List: shape = { 1, 1 }; break;
    case Action::Delete: shape = { 1, 2 }; break;
    case Action::Export: shape = { 0, 1 }; break;
    case Action::Import: shape = { 1, 1 }; break;
    case Action::Help: break;
    }
    std::string name(args[i]);
    if (rest.size() < shape.min || rest.size() > shape.max)
        return usage_error("wrong number of arguments for '" + name + "'");

    if (command.action == Action::Import) {
        command.file = std::string(rest[0]);
        return { std::move(command), {} };
    }
    if (!rest.empty()) {
        command.key = parse_key_argument(rest[0]);
        if (!command.key) return usage_error("KEY must start with HKCU\\ or HKLM\\ (or the long root names), not '" + std::string(rest[0]) + "'");
    }
    if (rest.size() >= 2) command.value_name = utf8_to_utf16(rest[1]);
    if (command.action == Action::Set) {
        if (auto problem = parse_set_data(Args(rest.begin() + 2, rest.end()), command)) return usage_error(*problem);
    }
    return { std::move(command), {} };
}

std::string usage_text() {
    return "usage: zt-reg [--root DIR] COMMAND ...\n"
           "  get KEY NAME                 print a value (REG_SZ text, REG_DWORD decimal,\n"
           "                               REG_BINARY hex, REG_MULTI_SZ one string a line)\n"
           "  set KEY NAME --sz TEXT | --expand-sz TEXT | --dword N | --binary HEX | --multi-sz TEXT...\n"
           "                               set a value, creating the key as needed\n"
           "  list KEY                     print sub-keys as [name], then values as name = TYPE data\n"
           "  delete KEY [NAME]            delete a value, or the key with everything below it\n"
           "  export [KEY]                 print KEY (default: both hives) as text for import\n"
           "  import FILE|-                read an export and write it into the registry\n"
           "KEY is HKCU\\path or HKLM\\path (or HKEY_CURRENT_USER\\..., HKEY_LOCAL_MACHINE\\...).\n"
           "NAME may be \"\" for the key's default value. --dword takes decimal or 0x hex.\n"
           "--root DIR uses the device root DIR instead of ZT_ROOT or the default device.\n"
           "Exit status: 0 done, 1 key or value not found, 2 usage error or failure.\n";
}

}  // namespace zt::platform::zt_reg
