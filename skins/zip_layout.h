#pragma once
// Field positions of the zip records the reader uses. Central record offsets are counted from
// the byte after its 4-byte signature, as the directory buffer holds them.
#include <cstdint>

namespace zt::skins::zip {

inline constexpr uint8_t kEndSignature[4] = { 0x50, 0x4B, 0x05, 0x06 };
inline constexpr uint32_t kEndRecordSize = 22;

namespace central {
inline constexpr uint32_t kFlags = 4;
inline constexpr uint32_t kMethod = 6;
inline constexpr uint32_t kModTime = 8;
inline constexpr uint32_t kCrc = 12;
inline constexpr uint32_t kCompressedSize = 16;
inline constexpr uint32_t kUncompressedSize = 20;
inline constexpr uint32_t kNameLength = 24;
inline constexpr uint32_t kExtraLength = 26;
inline constexpr uint32_t kCommentLength = 28;
inline constexpr uint32_t kLocalHeaderOffset = 38;
inline constexpr uint32_t kHeaderSize = 42;  // the fixed part after the signature
}  // namespace central

inline constexpr uint32_t kLocalExtraLengthOffset = 28;
inline constexpr uint32_t kLocalHeaderSize = 30;

inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;

}  // namespace zt::skins::zip
