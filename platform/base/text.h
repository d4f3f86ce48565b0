#pragma once
// UTF-16 is the device's text: registry strings, names of kernel objects and records are
// sequences of UTF-16 code units. These helpers convert at the edge to the host's UTF-8.
#include <string>
#include <string_view>

namespace zt::platform {

// Malformed input never fails: an unpaired surrogate or a bad UTF-8 sequence becomes U+FFFD.
std::u16string utf8_to_utf16(std::string_view text);
std::string utf16_to_utf8(std::u16string_view text);

// Case folding used wherever the device compares names without regard to case (registry
// keys and values, device paths, window classes). It folds per UTF-16 code unit, like the
// handheld's own upper-case table: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
char16_t fold_case(char16_t unit);
std::u16string fold_case(std::u16string_view text);
bool equal_ignoring_case(std::u16string_view a, std::u16string_view b);
bool starts_with_ignoring_case(std::u16string_view text, std::u16string_view prefix);

// Convenience for literals and numbers in device code.
std::u16string to_u16(std::string_view ascii_or_utf8);

}  // namespace zt::platform
