#include "skins/unzippo.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "core/generic_map.h"
#include "platform/base/le_bytes.h"
#include "skins/zip_layout.h"
#include "skins/zip_member_reader.h"

namespace zt::skins {
namespace {

using platform::read_le16;
using platform::read_le32;
namespace central = zip::central;

// Deflate never expands more than about 1032:1; a member claiming more cannot be real, and
// refusing it keeps a forged size from asking for gigabytes.
constexpr uint64_t kMaxDeflateRatio = 1032;

// A key of the name index: a NUL-terminated name inside the directory buffer.
struct STRING_WRAPPER {
    const char* text { nullptr };
    bool operator==(const STRING_WRAPPER& other) const { return std::strcmp(text, other.text) == 0; }
};

struct ZipNameHash {
    uint32_t operator()(const STRING_WRAPPER& key) const { return CUnzippo::name_hash(key.text); }
};

using CEntriesMap = core::CGenericMap<STRING_WRAPPER, uint32_t, ZipNameHash>;

char fold_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

struct ArchiveState {
    uint32_t entries { 0 };
    uint32_t directory_size { 0 };
    uint32_t directory_offset { 0 };
    uint16_t comment_length { 0 };
    uint64_t bytes_before_archive { 0 };
};

std::optional<uint64_t> find_end_record(ArchiveInput& archive) {
    const uint64_t size = archive.size();
    const uint64_t limit = std::min(size, CUnzippo::kEndRecordSearchLimit);
    uint8_t window[1028];
    uint64_t back = 4;
    while (back < limit) {
        back = std::min(limit, back + 1024);
        size_t length = static_cast<size_t>(std::min<uint64_t>(back, sizeof window));
        uint64_t start = size - back;
        if (!archive.read_at(start, window, length)) return std::nullopt;
        for (size_t i = length - 4 + 1; i-- > 0;) {
            if (std::memcmp(window + i, zip::kEndSignature, 4) == 0) return start + i;
        }
    }
    return std::nullopt;
}

UnzipError open_archive(ArchiveInput& archive, ArchiveState& state) {
    std::optional<uint64_t> end = find_end_record(archive);
    if (!end) return UnzipError::NotZip;
    uint8_t record[zip::kEndRecordSize];
    if (!archive.read_at(*end, record, sizeof record)) return UnzipError::ReadError;
    uint16_t this_disk = read_le16(record + 4);
    uint16_t directory_disk = read_le16(record + 6);
    uint16_t entries_here = read_le16(record + 8);
    uint16_t entries_total = read_le16(record + 10);
    if (this_disk != 0 || directory_disk != 0 || entries_here != entries_total) return UnzipError::Unsupported;
    state.entries = entries_here;
    state.directory_size = read_le32(record + 12);
    state.directory_offset = read_le32(record + 16);
    state.comment_length = read_le16(record + 20);
    uint64_t directory_end = uint64_t { state.directory_offset } + state.directory_size;
    if (*end < directory_end) return UnzipError::NotZip;
    state.bytes_before_archive = *end - directory_end;
    return UnzipError::None;
}

class Index {
public:
    // The directory buffer holds one spare zero byte so the last name can be terminated.
    UnzipError build(ArchiveInput& archive, const ArchiveState& state) {
        std::optional<unsigned> bits = CUnzippo::index_bits_for(state.entries);
        if (!bits) return UnzipError::Unsupported;
        uint64_t first = uint64_t { state.directory_offset } + 4;
        if (archive.size() < first) return UnzipError::NotZip;
        uint64_t length = archive.size() - first;
        m_buffer.reset(new (std::nothrow) char[length + 1]);
        if (!m_buffer) return UnzipError::OutOfMemory;
        m_size = static_cast<size_t>(length);
        m_buffer[m_size] = 0;
        if (!archive.read_at(first, reinterpret_cast<uint8_t*>(m_buffer.get()), m_size)) return UnzipError::ReadError;
        m_map = std::make_unique<CEntriesMap>(*bits);
        m_entries = state.entries;
        uint64_t offset = 0;
        for (uint32_t i = 0; i < state.entries; ++i) {
            if (offset + central::kHeaderSize > m_size) return UnzipError::NotZip;
            const uint8_t* record = bytes() + offset;
            uint16_t name_length = read_le16(record + central::kNameLength);
            uint64_t name_end = offset + central::kHeaderSize + name_length;
            if (name_end > m_size) return UnzipError::NotZip;
            char* name = m_buffer.get() + offset + central::kHeaderSize;
            // Terminating in place overwrites the first byte after the name (extra field or the
            // next signature); neither is read again.
            uint16_t extra_length = read_le16(record + central::kExtraLength);
            uint16_t comment_length = read_le16(record + central::kCommentLength);
            name[name_length] = 0;
            std::transform(name, name + name_length, name, fold_ascii);
            if (!m_map->insert(STRING_WRAPPER { name }, static_cast<uint32_t>(offset))) return UnzipError::OutOfMemory;
            offset = name_end + extra_length + comment_length + 4;
        }
        return UnzipError::None;
    }

    std::optional<uint32_t> find(std::optional<std::string_view> name) const {
        if (!name || name->empty()) {
            if (m_entries == 0) return std::nullopt;
            return 0u;
        }
        if (name->size() > CUnzippo::kMaxNameLength) return std::nullopt;
        std::string folded(*name);
        std::transform(folded.begin(), folded.end(), folded.begin(), fold_ascii);
        const uint32_t* offset = m_map->lookup(STRING_WRAPPER { folded.c_str() });
        if (!offset) return std::nullopt;
        return *offset;
    }

    ZipMemberInfo member_at(uint32_t offset) const {
        const uint8_t* record = bytes() + offset;
        ZipMemberInfo info;
        info.flags = read_le16(record + central::kFlags);
        info.method = read_le16(record + central::kMethod);
        info.mod_time = read_le16(record + central::kModTime);
        info.crc = read_le32(record + central::kCrc);
        info.compressed_size = read_le32(record + central::kCompressedSize);
        info.uncompressed_size = read_le32(record + central::kUncompressedSize);
        info.name_length = read_le16(record + central::kNameLength);
        info.local_header_offset = read_le32(record + central::kLocalHeaderOffset);
        return info;
    }

private:
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(m_buffer.get()); }

    std::unique_ptr<char[]> m_buffer;
    size_t m_size { 0 };
    uint32_t m_entries { 0 };
    std::unique_ptr<CEntriesMap> m_map;
};

bool sizes_can_be_true(const ZipMemberInfo& member, uint64_t archive_size) {
    if (member.compressed_size > archive_size) return false;
    if (member.method == 0) return member.uncompressed_size <= member.compressed_size;
    return member.uncompressed_size <= uint64_t { member.compressed_size } * kMaxDeflateRatio + 64;
}

}  // namespace

uint32_t CUnzippo::name_hash(const char* name) {
    uint32_t hash = 0;
    if (!name) return 0;
    for (const char* c = name; *c; ++c) hash = hash * 5u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*c)) * 37);
    return hash;
}

std::optional<unsigned> CUnzippo::index_bits_for(uint32_t entries) {
    if (entries <= 16) return 5u;
    unsigned exponent = 0;
    while ((uint64_t { 1 } << exponent) < entries) ++exponent;
    unsigned bits = exponent + 1;
    if (bits > core::CGenericMap<int, int, core::IntegerHash>::kMaxBits) return std::nullopt;
    return bits;
}

CUnzippo::Result CUnzippo::extract(const std::filesystem::path& archive, std::optional<std::string_view> member,
                                   std::optional<std::string_view> password) {
    std::unique_ptr<FileArchiveInput> input = FileArchiveInput::open(archive);
    if (!input) return { std::nullopt, UnzipError::CannotOpen };
    return extract(*input, member, password);
}

CUnzippo::Result CUnzippo::extract(ArchiveInput& archive, std::optional<std::string_view> member,
                                   std::optional<std::string_view> password) {
    ArchiveState state;
    if (UnzipError error = open_archive(archive, state); error != UnzipError::None) return { std::nullopt, error };
    Index index;
    if (UnzipError error = index.build(archive, state); error != UnzipError::None) return { std::nullopt, error };
    std::optional<uint32_t> offset = index.find(member);
    if (!offset) return { std::nullopt, UnzipError::NoSuchMember };
    ZipMemberInfo info = index.member_at(*offset);
    if (info.uncompressed_size > kMaxMemberSize) return { std::nullopt, UnzipError::TooLarge };
    if (!sizes_can_be_true(info, archive.size())) return { std::nullopt, UnzipError::CorruptData };

    std::vector<uint8_t> block;
    try {
        block.resize(info.uncompressed_size);
    } catch (const std::bad_alloc&) {
        return { std::nullopt, UnzipError::OutOfMemory };
    }
    UnzipError error = read_zip_member(archive, state.bytes_before_archive, info, password, block);
    if (error != UnzipError::None) return { std::nullopt, error };
    return { std::move(block), UnzipError::None };
}

}  // namespace zt::skins
