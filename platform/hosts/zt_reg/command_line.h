#pragma once
// The command line of zt-reg. Scripts outside the project call it, so its shape is fixed:
//   zt-reg [--root DIR] get KEY NAME
//   zt-reg [--root DIR] set KEY NAME (--sz TEXT | --expand-sz TEXT | --dword N | --binary HEX
//                                     | --multi-sz TEXT...)
//   zt-reg [--root DIR] list KEY
//   zt-reg [--root DIR] delete KEY [NAME]
//   zt-reg [--root DIR] export [KEY]
//   zt-reg [--root DIR] import FILE|-
//   zt-reg --help
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace zt::platform::zt_reg {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitFailure = 2;  // usage errors too

enum class Action { Help, Get, Set, List, Delete, Export, Import };

struct KeyArgument {
    registry::Root root { registry::Root::CurrentUser };
    std::u16string path;    // below the root
    std::string as_given;   // for messages
};

struct Command {
    Action action { Action::Help };
    std::optional<std::string> root_dir;
    std::optional<KeyArgument> key;
    std::optional<std::u16string> value_name;  // get, set, delete of a value
    registry::ValueType type { registry::ValueType::None };  // set
    std::vector<uint8_t> data;                              // set
    std::string file;                                       // import
};

struct ParsedCommand {
    std::optional<Command> command;
    std::string error;  // the usage error when command is empty
};
ParsedCommand parse_command_line(const std::vector<std::string_view>& args);  // without argv[0]

// "HKCU\Software\X", "HKEY_LOCAL_MACHINE", any case; nullopt for another root.
std::optional<KeyArgument> parse_key_argument(std::string_view text);
std::string usage_text();

}  // namespace zt::platform::zt_reg
