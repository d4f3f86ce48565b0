#pragma once
// BoundedReader: the little-endian reader over a mapped data file. Every read is checked
// against the file size before it touches a byte.
//
// Contract (the data files depend on it):
//  - A read of n bytes succeeds only when position + n <= size. A failed u8/u16/u32 read
//    yields 0 and leaves the position where it was.
//  - seek(offset) sets the position to min(offset, size): an offset past the end makes the
//    following section read as empty, never out of bounds.
//  - A short string is a length byte and that many one-byte characters. At most 49 are kept
//    (widened through the name code page); the rest is skipped. It fails when the length
//    byte is missing or the declared bytes do not all lie inside the file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zt::world {

inline constexpr size_t kMaxNameChars = 49;

class BoundedReader {
public:
    BoundedReader() = default;
    explicit BoundedReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    size_t size() const { return m_bytes.size(); }
    size_t position() const { return m_position; }
    void seek(uint64_t offset) { m_position = offset < m_bytes.size() ? static_cast<size_t>(offset) : m_bytes.size(); }
    bool can_read(size_t n) const { return n <= m_bytes.size() - m_position; }

    uint8_t read_u8() { return static_cast<uint8_t>(read_le(1)); }
    uint16_t read_u16() { return static_cast<uint16_t>(read_le(2)); }
    uint32_t read_u32() { return static_cast<uint32_t>(read_le(4)); }
    int32_t read_s32() { return static_cast<int32_t>(read_u32()); }

    // The next n bytes, or an empty optional (position unchanged) when they are not there.
    std::optional<std::span<const uint8_t>> read_bytes(size_t n);
    bool skip(size_t n);
    std::optional<std::u16string> read_short_string();

private:
    uint32_t read_le(size_t n);

    std::span<const uint8_t> m_bytes;
    size_t m_position { 0 };
};

}  // namespace zt::world
