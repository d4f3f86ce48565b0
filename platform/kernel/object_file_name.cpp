#include "platform/kernel/object_file_name.h"

#include <cstdint>
#include <cstdio>

namespace zt::platform::detail {
namespace {

// Comfortably below NAME_MAX (255) after the prefix.
constexpr std::size_t kMaxEscapedLength = 200;

bool kept_as_is(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= u'0' && unit <= u'9') || unit == u'.' || unit == u'_' || unit == u'-';
}

std::uint64_t fnv1a(std::u16string_view name, std::uint64_t basis) {
    std::uint64_t h = basis;
    for (char16_t unit : name) {
        h ^= static_cast<std::uint8_t>(unit & 0xFF);
        h *= 0x100000001b3ull;
        h ^= static_cast<std::uint8_t>(unit >> 8);
        h *= 0x100000001b3ull;
    }
    return h;
}

}  // namespace

std::string object_file_name(std::u16string_view name) {
    std::string escaped = "o-";
    for (char16_t unit : name) {
        if (kept_as_is(unit)) {
            escaped.push_back(static_cast<char>(unit));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%%%04X", static_cast<unsigned>(unit));
            escaped += buf;
        }
        if (escaped.size() > kMaxEscapedLength) break;
    }
    if (escaped.size() <= kMaxEscapedLength) return escaped;
    char hashed[48];
    std::snprintf(hashed, sizeof hashed, "h-%016llx%016llx",
                  static_cast<unsigned long long>(fnv1a(name, 0xcbf29ce484222325ull)),
                  static_cast<unsigned long long>(fnv1a(name, 0x84222325cbf29ce4ull)));
    return hashed;
}

}  // namespace zt::platform::detail
