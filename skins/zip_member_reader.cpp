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

// Where the member's data starts: after its local header, its name and its extra field.
UnzipError find_member_data(ArchiveInput& archive, uint64_t bytes_before_archive, const ZipMemberInfo& member,
                            uint64_t& position) {
    const uint64_t local = uint64_t { member.local_header_offset } + bytes_before_archive;
    uint8_t extra_bytes[2];
    if (local + zip::kLocalExtraLengthOffset + 2 > archive.size()) return UnzipError::CannotSeek;
    if (!archive.read_at(local + zip::kLocalExtraLengthOffset, extra_bytes, 2)) return UnzipError::ReadError;
    position = local + zip::kLocalHeaderSize + member.name_length + platform::read_le16(extra_bytes);
    return position > archive.size() ? UnzipError::CannotSeek : UnzipError::None;
}

// The member's compressed bytes, a buffer at a time, decrypted when the member is encrypted.
class CompressedInput {
public:
    CompressedInput(ArchiveInput& archive, uint8_t* buffer, uint64_t position, uint64_t size)
        : m_archive(archive), m_buffer(buffer), m_next(buffer), m_position(position), m_left(size) {}

    // Reads the 12-byte encryption header and checks its last byte against the member.
    UnzipError start_decryption(std::string_view password, const ZipMemberInfo& member) {
        m_decryptor.emplace(password);
        uint8_t header[kEncryptionHeaderSize];
        if (m_left < kEncryptionHeaderSize) return UnzipError::BadPassword;
        if (!m_archive.read_at(m_position, header, sizeof header)) return UnzipError::ReadError;
        m_decryptor->decrypt(header, sizeof header);
        m_position += sizeof header;
        m_left -= sizeof header;
        const uint8_t check = (member.flags & zip::kFlagDataDescriptor) ? static_cast<uint8_t>(member.mod_time >> 8)
                                                                        : static_cast<uint8_t>(member.crc >> 24);
        return header[kEncryptionHeaderSize - 1] == check ? UnzipError::None : UnzipError::BadPassword;
    }

    // The next buffer, once the last one is used up.
    UnzipError refill() {
        const size_t chunk = static_cast<size_t>(std::min<uint64_t>(m_left, kInputBufferSize));
        if (!m_archive.read_at(m_position, m_buffer, chunk)) return UnzipError::ReadError;
        if (m_decryptor) m_decryptor->decrypt(m_buffer, chunk);
        m_position += chunk;
        m_left -= chunk;
        m_available = chunk;
        m_next = m_buffer;
        return UnzipError::None;
    }

    bool used_up() const { return m_available == 0; }
    bool exhausted() const { return m_available == 0 && m_left == 0; }
    bool more_in_archive() const { return m_left > 0; }
    const uint8_t* next() const { return m_next; }
    size_t available() const { return m_available; }
    void consume(size_t count) {
        m_next += count;
        m_available -= count;
    }

private:
    ArchiveInput& m_archive;
    uint8_t* m_buffer;
    const uint8_t* m_next;
    uint64_t m_position;
    uint64_t m_left;  // still in the archive
    size_t m_available { 0 };
    std::optional<ZipDecryptor> m_decryptor;
};

// What the member still owes the block: the smaller of its uncompressed bytes not yet
// delivered and the room left.
class Delivery {
public:
    Delivery(std::span<uint8_t> destination, uint64_t uncompressed) : m_destination(destination), m_left(uncompressed) {}
    bool done() const { return m_delivered >= m_destination.size() || m_left == 0; }
    size_t wanted() const { return static_cast<size_t>(std::min<uint64_t>(m_left, m_destination.size() - m_delivered)); }
    uint8_t* out() const { return m_destination.data() + m_delivered; }
    void delivered(size_t count) {
        m_delivered += count;
        m_left -= count;
    }

private:
    std::span<uint8_t> m_destination;
    uint64_t m_left;
    size_t m_delivered { 0 };
};

// A stream that ends early keeps what arrived: the loops stop without an error.
UnzipError copy_stored(CompressedInput& input, Delivery& delivery) {
    while (!delivery.done()) {
        if (input.exhausted()) break;
        if (input.used_up()) {
            if (UnzipError error = input.refill(); error != UnzipError::None) return error;
        }
        const size_t run = std::min(input.available(), delivery.wanted());
        std::memcpy(delivery.out(), input.next(), run);
        input.consume(run);
        delivery.delivered(run);
    }
    return UnzipError::None;
}

UnzipError inflate_raw(CompressedInput& input, Delivery& delivery) {
    RawInflater inflater;
    if (!inflater.start()) return UnzipError::OutOfMemory;
    z_stream& stream = inflater.stream();
    while (!delivery.done()) {
        if (input.exhausted()) break;
        if (input.used_up()) {
            if (UnzipError error = input.refill(); error != UnzipError::None) return error;
        }
        stream.next_in = const_cast<Bytef*>(input.next());
        stream.avail_in = static_cast<uInt>(input.available());
        stream.next_out = delivery.out();
        stream.avail_out = static_cast<uInt>(std::min<size_t>(delivery.wanted(), 0x40000000u));
        const int status = inflate(&stream, Z_SYNC_FLUSH);
        input.consume(input.available() - stream.avail_in);
        delivery.delivered(static_cast<size_t>(stream.next_out - delivery.out()));
        if (status == Z_STREAM_END) break;
        if (status == Z_BUF_ERROR) {
            // No progress possible: more input is needed (read next round) or none is left.
            if (input.used_up() && input.more_in_archive()) continue;
            break;
        }
        if (status != Z_OK) return UnzipError::CorruptData;
    }
    return UnzipError::None;
}

}  // namespace

UnzipError read_zip_member(ArchiveInput& archive, uint64_t bytes_before_archive, const ZipMemberInfo& member,
                           std::optional<std::string_view> password, std::span<uint8_t> destination) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kInputBufferSize]);
    if (!buffer) return UnzipError::OutOfMemory;
    uint64_t position = 0;
    if (UnzipError error = find_member_data(archive, bytes_before_archive, member, position); error != UnzipError::None)
        return error;
    CompressedInput input(archive, buffer.get(), position, member.compressed_size);
    if (member.flags & zip::kFlagEncrypted) {
        if (UnzipError error = input.start_decryption(password.value_or(std::string_view {}), member);
            error != UnzipError::None)
            return error;
    }
    Delivery delivery(destination, member.uncompressed_size);
    // The stored CRC-32 is never compared (a damaged skin image shows as damaged pixels rather
    // than a missing screen), so no running CRC is kept.
    return member.method == 0 ? copy_stored(input, delivery) : inflate_raw(input, delivery);
}

}  // namespace zt::skins
