#pragma once
// CUnzippo: reads one member out of a zip archive. Every call is self-contained: the archive is
// opened, its central directory read and indexed, the member inflated into a fresh block, and
// everything is closed again before the call returns.
//
// Contract:
// - The archive must begin at the start of the file (the directory is read at the offset the
//   end record gives); bytes before the archive are honoured only for member data.
// - Member names match case-insensitively for ASCII letters only.
// - No member name selects the first record of the central directory (how skin images packed
//   as "<Name>.zip" are read, whatever the member is called).
// - Methods other than 0 (stored) are inflated as raw deflate; anything else fails as corrupt
//   data. The stored CRC-32 is not checked, and a stream that ends early still yields the
//   whole block (the tail keeps its zero bytes).
// - A member declaring more than kMaxMemberSize bytes is refused (TooLarge) before allocating.
// - Any failure yields no block; the error kind says why (for tests and tools only).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "skins/archive_input.h"

namespace zt::skins {

enum class UnzipError {
    None,
    OutOfMemory,
    CannotOpen,
    CannotSeek,
    NotZip,
    Unsupported,
    ReadError,
    BadPassword,
    CorruptData,
    NoSuchMember,
    TooLarge,
};

class CUnzippo {
public:
    struct Result {
        std::optional<std::vector<uint8_t>> block;
        UnzipError error { UnzipError::None };
    };

    // The longest member name looked up, as the device's path limit.
    static constexpr size_t kMaxNameLength = 259;
    // The end record is looked for only this far from the end of the file.
    static constexpr uint64_t kEndRecordSearchLimit = 65535;

    // Members are skin images, so none may be larger than the largest picture a skin holds,
    // and a larger declared size is refused before anything is allocated or inflated (a forged
    // size would otherwise cost gigabytes and half a minute while an alarm waits). The largest
    // screen the product was made for is 640 x 480; a transparent image is twice as wide as
    // what it draws, and the widest skin images (the high-resolution world map, strips of
    // screen-wide parts) span two screens again: four screens of pixels. A bitmap member
    // stores at most 4 bytes a pixel after its 14 + 40 header bytes and a 256-colour palette:
    // 4,916,278 bytes.
    static constexpr uint64_t kLargestScreenPixels = 640 * 480;
    static constexpr uint64_t kScreensPerPicture = 4;
    static constexpr uint64_t kMaxMemberSize = kScreensPerPicture * kLargestScreenPixels * 4 + 14 + 40 + 256 * 4;

    static Result extract(const std::filesystem::path& archive, std::optional<std::string_view> member = std::nullopt,
                          std::optional<std::string_view> password = std::nullopt);
    static Result extract(ArchiveInput& archive, std::optional<std::string_view> member = std::nullopt,
                          std::optional<std::string_view> password = std::nullopt);

    // The index's hash: h = h * 5 + c * 37 with each byte taken as signed.
    static uint32_t name_hash(const char* name);
    // Initial bit count of the index for n entries; nullopt beyond the map's limit.
    static std::optional<unsigned> index_bits_for(uint32_t entries);
};

}  // namespace zt::skins
