#pragma once
// CValueMap: text to text, the in-memory form of a record's property list. Numbers and
// booleans travel through it as decimal text, read back the way the stored records were
// always read (see number_text.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/generic_map.h"

namespace zt::core {

class CValueMap : public CGenericMap<std::u16string, std::u16string, TextHash> {
public:
    static constexpr unsigned kInitialBits = 5;
    CValueMap() : CGenericMap(kInitialBits) {}

    const std::u16string* text(std::u16string_view key) const { return lookup(std::u16string(key)); }
    bool put_text(std::u16string_view key, std::u16string_view value) {
        return insert(std::u16string(key), std::u16string(value));
    }

    // "%u" on the way in. On the way out a value counts only when a number converts.
    bool put_number(std::u16string_view key, uint32_t value);
    std::optional<uint32_t> number(std::u16string_view key) const;
    // 0 or 1 on the way in; any non-zero number reads as true.
    bool put_bool(std::u16string_view key, bool value) { return put_number(key, value ? 1u : 0u); }
    std::optional<bool> boolean(std::u16string_view key) const;
    // Signed 64-bit decimal (lap times).
    bool put_int64(std::u16string_view key, int64_t value);
    std::optional<int64_t> int64(std::u16string_view key) const;
};

}  // namespace zt::core
