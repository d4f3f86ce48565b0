#include "world/favorites_file.h"

#include <algorithm>

#include "platform/base/le_bytes.h"
#include "world/bounded_reader.h"

namespace zt::world {
namespace {

constexpr uint32_t kVersion = 0x00020000;
constexpr uint8_t kMagic[4] = { 'Z', 'U', 'D', 'F' };

struct Writer {
    std::vector<uint8_t> bytes;
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v) { u8(static_cast<uint8_t>(v)); u8(static_cast<uint8_t>(v >> 8)); }
    void u32(uint32_t v) { u16(static_cast<uint16_t>(v)); u16(static_cast<uint16_t>(v >> 16)); }
    uint32_t position() const { return static_cast<uint32_t>(bytes.size()); }
    void put32(size_t at, uint32_t v) { zt::platform::write_le32(&bytes[at], v); }
};

}  // namespace

std::optional<FavoritesFileContents> parse_favorites_file(std::span<const uint8_t> bytes) {
    if (bytes.size() < kFavoritesHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) return std::nullopt;
    BoundedReader r(bytes);
    r.seek(4);
    if (r.read_u32() != kVersion) return std::nullopt;
    r.read_u32();  // spare section 1
    const uint32_t favorites_at = r.read_u32();
    r.read_u32();  // spare section 2
    r.read_u32();  // spare section 3
    const uint32_t slots_at = r.read_u32();
    r.read_u32();  // reserved
    FavoritesFileContents out;
    out.next_custom_id = std::max(r.read_u32(), kFirstCustomCityId);

    r.seek(favorites_at);
    const uint16_t count = r.read_u16();
    out.entries.reserve(std::min<size_t>(count, (bytes.size() - r.position()) / kCityRecordSize));
    for (uint16_t i = 0; i < count; ++i) {
        auto record = r.read_bytes(kCityRecordSize);
        if (!record) break;
        out.entries.push_back(decode_city_record(record->first<kCityRecordSize>()));
    }

    r.seek(slots_at);
    const size_t slots = std::min<size_t>(r.read_u8(), kSlotCount);
    for (size_t n = 0; n < slots; ++n) out.slot_ids[n] = r.read_u32();
    return out;
}

std::vector<uint8_t> serialize_favorites_file(const FavoritesFileContents& contents) {
    Writer w;
    w.bytes.resize(kFavoritesHeaderSize, 0);
    const uint32_t spare1_at = w.position();
    w.u8(0);
    const uint32_t favorites_at = w.position();
    const size_t count = std::min<size_t>(contents.entries.size(), 0xFFFF);
    w.u16(static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) {
        auto record = encode_city_record(contents.entries[i]);
        w.bytes.insert(w.bytes.end(), record.begin(), record.end());
    }
    const uint32_t spare2_at = w.position();
    w.u16(0);
    const uint32_t spare3_at = w.position();
    w.u16(0);
    const uint32_t slots_at = w.position();
    w.u8(static_cast<uint8_t>(kSlotCount));
    for (uint32_t id : contents.slot_ids) w.u32(id);

    std::copy(std::begin(kMagic), std::end(kMagic), w.bytes.begin());
    w.put32(4, kVersion);
    w.put32(8, spare1_at);
    w.put32(12, favorites_at);
    w.put32(16, spare2_at);
    w.put32(20, spare3_at);
    w.put32(24, slots_at);
    w.put32(28, 0);
    w.put32(32, contents.next_custom_id);
    return w.bytes;
}

}  // namespace zt::world
