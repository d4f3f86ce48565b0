#pragma once
// Little-endian field access for file and record layouts. Callers check bounds first.
#include <cstdint>

namespace zt::platform {

inline uint16_t read_le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t read_le32(const uint8_t* p) {
    return uint32_t { p[0] } | (uint32_t { p[1] } << 8) | (uint32_t { p[2] } << 16) | (uint32_t { p[3] } << 24);
}
inline uint64_t read_le64(const uint8_t* p) {
    return uint64_t { read_le32(p) } | (uint64_t { read_le32(p + 4) } << 32);
}
inline void write_le16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void write_le32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void write_le64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace zt::platform
