#pragma once
// The runtime file that carries a named kernel object. Names are compared exactly (object
// names on the handheld are case-sensitive), so the mapping must be one-to-one: every UTF-16
// unit outside [A-Za-z0-9._-] is written as %XXXX. Mutexes and events share one namespace,
// as on the handheld, so the kind is not part of the file name.
#include <string>
#include <string_view>

namespace zt::platform::detail {

// "o-" + escaped name; names too long for a file name become "h-" + a 128-bit hash.
std::string object_file_name(std::u16string_view name);

}  // namespace zt::platform::detail
