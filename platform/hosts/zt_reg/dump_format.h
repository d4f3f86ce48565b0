#pragma once
// The text form of `zt-reg export` and `zt-reg import`. Line based, UTF-8, and exact: any
// name, text and byte sequence reads back as it was written.
//
//   zt-reg export 1                              first line (blank and ';' lines may precede)
//   ; a comment                                  ignored, as are blank lines
//   [HKEY_CURRENT_USER\Software\Zunworks]        a key; its values follow
//   ["HKEY_CURRENT_USER\\Odd\nName"]             the same, quoted, when a name has control
//                                                characters or unpaired surrogates
//   @ = sz:"text of the default value"           @ is the empty (default) value name
//   "Name" = sz:"a \"quoted\" line\n"            REG_SZ: the text before the terminating NUL
//   "Path" = expand_sz:"%TEMP%\\x"               REG_EXPAND_SZ likewise
//   "Count" = dword:42                           REG_DWORD of 4 bytes, decimal
//   "Blob" = binary:00ff10                       REG_BINARY, hex (may be empty)
//   "List" = multi_sz:"one","two"                REG_MULTI_SZ (may be empty)
//   "Odd" = hex(7):6100                          any type and bytes the forms above cannot hold
//
// Quoted strings escape \\ \" \n \r \t \0 and \uXXXX (one UTF-16 unit); other characters are
// UTF-8. A key line repeats no parent: every key of a dump is listed, parents first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace zt::platform::zt_reg {

inline constexpr std::string_view kDumpSignature = "zt-reg export 1";

struct DumpValue {
    std::u16string name;
    registry::ValueType type { registry::ValueType::None };
    std::vector<uint8_t> data;
};

struct DumpKey {
    registry::Root root { registry::Root::CurrentUser };
    std::u16string path;  // below the root; empty for the root itself
    std::vector<DumpValue> values;
};

// Each line ends with '\n'.
std::string format_signature_line();
std::string format_key_line(registry::Root root, std::u16string_view path);
std::string format_value_line(const DumpValue& value);

struct DumpParse {
    std::vector<DumpKey> keys;
    std::optional<std::string> error;  // "line N: what is wrong" when the text is not a dump
};
DumpParse parse_dump(std::string_view text);

}  // namespace zt::platform::zt_reg
