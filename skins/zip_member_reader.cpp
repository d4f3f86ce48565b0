#include "skins/zip_member_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/base/le_bytes.h"
#include "skins/zip_crypto.h"
#include "skins/zip_layout.h"

namespace zt::skins {
namespace {

constexpr size_t kInputBufferSize = 16384;
constexpr size_t kEncryptionHeaderSize = 12;

class RawInflater {
public:
    ~RawInflater() {
        if (m_ready) inflateEnd(&m_stream);
    }
    bool start() {
        std::memset(&m_stream, 0, sizeof m_stream);
        m_ready = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK;
        return m_ready;
    }
    z_stream& stream() { return m_stream; }

private:
    z_stream m_stream {};
    bool m_ready { false };
};

}  // namespace

UnzipError read_zip_member(ArchiveInput& archive, uint64_t bytes_before_archive, const ZipMemberInfo& member,
                           std::optional<std::string_view> password, std::span<uint8_t> destination) {
    std::unique_ptr<uint8_t[]> input(new (std::nothrow) uint8_t[kInputBufferSize]);
    if (!input) return UnzipError::OutOfMemory;
    const bool stored = member.method == 0;
    RawInflater inflater;
    if (!stored && !inflater.start()) return UnzipError::OutOfMemory;

    uint64_t local = uint64_t { member.local_header_offset } + bytes_before_archive;
    uint8_t extra_bytes[2];
    if (local + zip::kLocalExtraLengthOffset + 2 > archive.size()) return UnzipError::CannotSeek;
    if (!archive.read_at(local + zip::kLocalExtraLengthOffset, extra_bytes, 2)) return UnzipError::ReadError;
    uint64_t position = local + zip::kLocalHeaderSize + member.name_length + platform::read_le16(extra_bytes);
    if (position > archive.size()) return UnzipError::CannotSeek;

    uint64_t compressed_left = member.compressed_size;
    uint64_t uncompressed_left = member.uncompressed_size;

    std::optional<ZipDecryptor> decryptor;
    if (member.flags & zip::kFlagEncrypted) {
        decryptor.emplace(password.value_or(std::string_view {}));
        uint8_t header[kEncryptionHeaderSize];
        if (compressed_left < kEncryptionHeaderSize) return UnzipError::BadPassword;
        if (!archive.read_at(position, header, sizeof header)) return UnzipError::ReadError;
        decryptor->decrypt(header, sizeof header);
        position += sizeof header;
        compressed_left -= sizeof header;
        uint8_t check = (member.flags & zip::kFlagDataDescriptor) ? static_cast<uint8_t>(member.mod_time >> 8)
                                                                  : static_cast<uint8_t>(member.crc >> 24);
        if (header[kEncryptionHeaderSize - 1] != check) return UnzipError::BadPassword;
    }

    size_t delivered = 0;
    size_t available = 0;
    const uint8_t* next_in = input.get();
    while (delivered < destination.size() && uncompressed_left > 0) {
        if (available == 0) {
            if (compressed_left == 0) break;  // the stream ended early: keep what arrived
            size_t chunk = static_cast<size_t>(std::min<uint64_t>(compressed_left, kInputBufferSize));
            if (!archive.read_at(position, input.get(), chunk)) return UnzipError::ReadError;
            if (decryptor) decryptor->decrypt(input.get(), chunk);
            position += chunk;
            compressed_left -= chunk;
            available = chunk;
            next_in = input.get();
        }
        size_t wanted = static_cast<size_t>(std::min<uint64_t>(uncompressed_left, destination.size() - delivered));
        if (stored) {
            size_t run = std::min(available, wanted);
            std::memcpy(destination.data() + delivered, next_in, run);
            next_in += run;
            available -= run;
            delivered += run;
            uncompressed_left -= run;
            continue;
        }
        z_stream& stream = inflater.stream();
        stream.next_in = const_cast<Bytef*>(next_in);
        stream.avail_in = static_cast<uInt>(available);
        stream.next_out = destination.data() + delivered;
        stream.avail_out = static_cast<uInt>(std::min<size_t>(wanted, 0x40000000u));
        int status = inflate(&stream, Z_SYNC_FLUSH);
        size_t produced = static_cast<size_t>(stream.next_out - (destination.data() + delivered));
        next_in = stream.next_in;
        available = stream.avail_in;
        delivered += produced;
        uncompressed_left -= produced;
        if (status == Z_STREAM_END) break;
        if (status == Z_BUF_ERROR) {
            // No progress possible: more input is needed (read next round) or none is left.
            if (available == 0 && compressed_left > 0) continue;
            break;
        }
        if (status != Z_OK) return UnzipError::CorruptData;
    }
    // The stored CRC-32 is never compared (a damaged skin image shows as damaged pixels rather
    // than a missing screen), so no running CRC is kept.
    return UnzipError::None;
}

}  // namespace zt::skins
