#pragma once
// Streams one member's data out of an open archive into the caller's block: 16 KB reads,
// optional traditional decryption, stored copy or raw inflate straight into the block.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "skins/archive_input.h"
#include "skins/unzippo.h"

namespace zt::skins {

struct ZipMemberInfo {
    uint16_t flags { 0 };
    uint16_t method { 0 };
    uint16_t mod_time { 0 };
    uint32_t crc { 0 };
    uint32_t compressed_size { 0 };
    uint32_t uncompressed_size { 0 };
    uint16_t name_length { 0 };
    uint32_t local_header_offset { 0 };
};

// Fills `destination` (sized to the member's uncompressed size). Returns UnzipError::None when
// the member was read, even if the stream ended before the block was full.
UnzipError read_zip_member(ArchiveInput& archive, uint64_t bytes_before_archive, const ZipMemberInfo& member,
                           std::optional<std::string_view> password, std::span<uint8_t> destination);

}  // namespace zt::skins
