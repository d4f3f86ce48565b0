#pragma once
// The line format of the text table:
//   key|value
// A field runs to the first carriage return, line feed or "|". A backslash takes the next
// character literally ("\|" is a bar inside a field), except "\n" (line feed) and "\r"
// (carriage return). After the value the rest of the line is skipped. A line without a bar,
// or with an empty key or value, stores nothing. Parsing stops at the first NUL.
#include <functional>
#include <string>
#include <string_view>

namespace zt::app {

using TextPairSink = std::function<void(std::u16string key, std::u16string value)>;
void parse_text_table(std::u16string_view text, const TextPairSink& sink);

}  // namespace zt::app
