#pragma once
// The language the user chose for messages, as the environment of this process states it.
#include <string>

namespace zt::platform {

// The two-letter language code, lower case, of the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty ("de" for "de_DE.UTF-8"); empty for the "C" and "POSIX" locales, for
// nothing set, or for a value that does not start with two letters.
std::string user_language();

}  // namespace zt::platform
