#include "world/bounded_reader.h"

#include "world/name_code_page.h"

namespace zt::world {

uint32_t BoundedReader::read_le(size_t n) {
    if (!can_read(n)) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < n; ++i) value |= uint32_t { m_bytes[m_position + i] } << (8 * i);
    m_position += n;
    return value;
}

std::optional<std::span<const uint8_t>> BoundedReader::read_bytes(size_t n) {
    if (!can_read(n)) return std::nullopt;
    auto part = m_bytes.subspan(m_position, n);
    m_position += n;
    return part;
}

bool BoundedReader::skip(size_t n) { return read_bytes(n).has_value(); }

std::optional<std::u16string> BoundedReader::read_short_string() {
    if (!can_read(1)) return std::nullopt;
    size_t length = m_bytes[m_position];
    if (!can_read(1 + length)) return std::nullopt;
    ++m_position;
    std::u16string text;
    size_t kept = length < kMaxNameChars ? length : kMaxNameChars;
    text.reserve(kept);
    for (size_t i = 0; i < kept; ++i) text.push_back(widen_name_byte(m_bytes[m_position + i]));
    m_position += length;
    return text;
}

}  // namespace zt::world
