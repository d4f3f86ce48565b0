#include "core/property_list.h"

namespace zt::core {
namespace {

void append_sanitized(std::u16string& out, std::u16string_view text) {
    for (char16_t c : text) {
        if (c == u'\0') continue;
        out.push_back(c == u';' ? u',' : c);
    }
}

}  // namespace

std::u16string join_property_list(const CValueMap& map) {
    std::u16string out;
    bool first = true;
    map.for_each([&](const std::u16string& key, const std::u16string& value) {
        if (!first) out.push_back(u';');
        first = false;
        append_sanitized(out, key);
        out.push_back(u'=');
        append_sanitized(out, value);
    });
    return out;
}

std::optional<CValueMap> parse_property_list(std::u16string_view text) {
    CValueMap map;
    if (text.empty()) return map;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(u';', start);
        std::u16string_view pair = text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
        size_t equals = pair.find(u'=');
        if (equals == std::u16string_view::npos) return std::nullopt;
        if (!map.put_text(pair.substr(0, equals), pair.substr(equals + 1))) return std::nullopt;
        if (end == std::u16string_view::npos) break;
        start = end + 1;
    }
    return map;
}

}  // namespace zt::core
