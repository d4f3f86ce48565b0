#include "core/property_list.h"

#include <new>

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

PropertyListRead read_property_list(std::u16string_view text) {
    PropertyListRead read;
    auto fail = [&read](PropertyListStatus status) {
        read.map.clear();
        read.status = status;
        return std::move(read);
    };
    if (text.empty()) return read;
    try {
        size_t start = 0;
        for (;;) {
            size_t end = text.find(u';', start);
            std::u16string_view pair = text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
            size_t equals = pair.find(u'=');
            if (equals == std::u16string_view::npos) return fail(PropertyListStatus::Malformed);
            if (!read.map.put_text(pair.substr(0, equals), pair.substr(equals + 1))) {
                // A refused insertion is either a full map (the text is beyond any record) or
                // a table that could not grow for want of memory (the text may be sound).
                return fail(read.map.count() >= CValueMap::kMaxCount ? PropertyListStatus::Malformed
                                                                     : PropertyListStatus::OutOfMemory);
            }
            if (end == std::u16string_view::npos) break;
            start = end + 1;
        }
    } catch (const std::bad_alloc&) {
        return fail(PropertyListStatus::OutOfMemory);
    }
    return read;
}

std::optional<CValueMap> parse_property_list(std::u16string_view text) {
    PropertyListRead read = read_property_list(text);
    if (read.status != PropertyListStatus::Ok) return std::nullopt;
    return std::move(read.map);
}

}  // namespace zt::core
