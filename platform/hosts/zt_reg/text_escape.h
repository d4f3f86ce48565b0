#pragma once
// How zt-reg writes UTF-16 names and text on its line-based output, and reads them back.
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::zt_reg {

// A double-quoted string that survives any content exactly: printable text as UTF-8;
// \\ \" \n \r \t \0 escapes; any other control unit, DEL and unpaired surrogates as \uXXXX
// (one UTF-16 unit each).
std::string quote(std::u16string_view text);

// Reads a quoted string at the start of input and removes it from input. nullopt (input
// unchanged) when input does not start with a complete, well-formed quoted string.
std::optional<std::u16string> unquote(std::string_view& input);

// For listings people read: UTF-8 with control characters shown as \n, \r, \t, \0 or \xNN so
// each entry stays on one line. Not reversible (a backslash is shown as it is).
std::string for_display(std::u16string_view text);

// True when the text shows the same without quoting in a line: no control characters and
// no unpaired surrogates.
bool is_plain(std::u16string_view text);

}  // namespace zt::platform::zt_reg
