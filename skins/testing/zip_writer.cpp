#include "skins/testing/zip_writer.h"

#include <zlib.h>

#include <fstream>

#include "platform/base/le_bytes.h"
#include "skins/zip_crypto.h"

namespace zt::skins::testing {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    uint8_t b[2];
    platform::write_le16(b, v);
    out.insert(out.end(), b, b + 2);
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4];
    platform::write_le32(b, v);
    out.insert(out.end(), b, b + 4);
}
void put(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }
void put(std::vector<uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

struct Written {
    uint32_t crc, compressed, offset;
    uint16_t flags;
};

}  // namespace

std::vector<uint8_t> deflate_raw(const std::vector<uint8_t>& data) {
    z_stream stream {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&stream, data.size()) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::vector<uint8_t> make_zip(const std::vector<ZipEntry>& entries, const ZipLayout& layout) {
    std::vector<uint8_t> out = layout.prefix;
    const size_t base = out.size();
    std::vector<Written> written;
    for (const ZipEntry& entry : entries) {
        Written w {};
        w.crc = static_cast<uint32_t>(crc32(0, entry.data.data(), static_cast<uInt>(entry.data.size())));
        std::vector<uint8_t> payload = entry.method == 0 ? entry.data : deflate_raw(entry.data);
        w.flags = static_cast<uint16_t>((entry.password ? 1 : 0) | (entry.data_descriptor_flag ? 8 : 0));
        if (entry.password) {
            ZipDecryptor keys(*entry.password);
            std::vector<uint8_t> sealed;
            for (int i = 0; i < 11; ++i) sealed.push_back(keys.encrypt(static_cast<uint8_t>(0x5A + i * 7)));
            uint8_t check = entry.data_descriptor_flag ? static_cast<uint8_t>(entry.mod_time >> 8) : static_cast<uint8_t>(w.crc >> 24);
            sealed.push_back(keys.encrypt(check));
            for (uint8_t b : payload) sealed.push_back(keys.encrypt(b));
            payload = std::move(sealed);
        }
        w.compressed = static_cast<uint32_t>(payload.size());
        w.offset = static_cast<uint32_t>(out.size() - base);
        put32(out, 0x04034B50);
        put16(out, 20);
        put16(out, w.flags);
        put16(out, entry.method);
        put16(out, entry.mod_time);
        put16(out, 0x5A21);
        put32(out, w.crc);
        put32(out, w.compressed);
        put32(out, static_cast<uint32_t>(entry.data.size()));
        put16(out, static_cast<uint16_t>(entry.name.size()));
        put16(out, static_cast<uint16_t>(entry.local_extra.size()));
        put(out, entry.name);
        put(out, entry.local_extra);
        put(out, payload);
        written.push_back(w);
    }
    const uint32_t directory_offset = static_cast<uint32_t>(out.size() - base);
    for (size_t i = 0; i < entries.size(); ++i) {
        const ZipEntry& entry = entries[i];
        put32(out, 0x02014B50);
        put16(out, 20);
        put16(out, 20);
        put16(out, written[i].flags);
        put16(out, entry.method);
        put16(out, entry.mod_time);
        put16(out, 0x5A21);
        put32(out, written[i].crc);
        put32(out, written[i].compressed);
        put32(out, static_cast<uint32_t>(entry.data.size()));
        put16(out, static_cast<uint16_t>(entry.name.size()));
        put16(out, static_cast<uint16_t>(entry.central_extra.size()));
        put16(out, static_cast<uint16_t>(entry.comment.size()));
        put16(out, 0);
        put16(out, 0);
        put32(out, 0);
        put32(out, written[i].offset);
        put(out, entry.name);
        put(out, entry.central_extra);
        put(out, entry.comment);
    }
    const uint32_t directory_size = static_cast<uint32_t>(out.size() - base) - directory_offset;
    put32(out, 0x06054B50);
    put16(out, layout.this_disk);
    put16(out, 0);
    put16(out, static_cast<uint16_t>(entries.size()));
    put16(out, layout.total_entries.value_or(static_cast<uint16_t>(entries.size())));
    put32(out, directory_size);
    put32(out, directory_offset);
    put16(out, static_cast<uint16_t>(layout.archive_comment.size()));
    put(out, layout.archive_comment);
    put(out, layout.trailing);
    return out;
}

bool write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<uint8_t> bytes_of(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace zt::skins::testing
