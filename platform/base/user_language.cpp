#include "platform/base/user_language.h"

#include <cstdlib>
#include <string_view>

namespace zt::platform {
namespace {

char lower_letter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool is_letter(char c) { return lower_letter(c) >= 'a' && lower_letter(c) <= 'z'; }

}  // namespace

std::string user_language() {
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        // "C" and "POSIX" name no language; neither does anything without a two-letter start
        // ("cs_CZ" is Czech, "C.UTF-8" is not).
        if (locale.size() < 2 || !is_letter(locale[0]) || !is_letter(locale[1])) return {};
        if (locale.size() > 2 && is_letter(locale[2])) return {};
        return { lower_letter(locale[0]), lower_letter(locale[1]) };
    }
    return {};
}

}  // namespace zt::platform
