#include "world/city_record.h"

#include <algorithm>

#include "platform/base/le_bytes.h"

namespace zt::world {
namespace {

namespace le = zt::platform;

constexpr size_t kNameOffset = 12;
constexpr size_t kLatitudeOffset = kNameOffset + 2 * kCityNameUnits;  // 112

}  // namespace

std::u16string_view CityRecord::name_view() const {
    size_t length = 0;
    while (length + 1 < kCityNameUnits && name[length] != 0) ++length;
    return { name.data(), length };
}

void CityRecord::set_name(std::u16string_view text) {
    name.fill(0);
    size_t length = std::min(text.size(), kCityNameUnits - 1);
    std::copy_n(text.begin(), length, name.begin());
}

CityRecordBytes encode_city_record(const CityRecord& city) {
    CityRecordBytes out {};
    le::write_le32(&out[0], city.id);
    le::write_le32(&out[4], city.country_index);
    le::write_le32(&out[8], city.region_index);
    for (size_t i = 0; i < kCityNameUnits; ++i) le::write_le16(&out[kNameOffset + 2 * i], city.name[i]);
    le::write_le32(&out[kLatitudeOffset], static_cast<uint32_t>(city.latitude));
    le::write_le32(&out[kLatitudeOffset + 4], static_cast<uint32_t>(city.longitude));
    le::write_le32(&out[kLatitudeOffset + 8], city.time_zone);
    le::write_le32(&out[kLatitudeOffset + 12], city.flags);
    return out;
}

CityRecord decode_city_record(std::span<const uint8_t, kCityRecordSize> bytes) {
    CityRecord city;
    city.id = le::read_le32(&bytes[0]);
    city.country_index = le::read_le32(&bytes[4]);
    city.region_index = le::read_le32(&bytes[8]);
    for (size_t i = 0; i < kCityNameUnits; ++i) city.name[i] = le::read_le16(&bytes[kNameOffset + 2 * i]);
    city.name[kCityNameUnits - 1] = 0;
    city.latitude = static_cast<int32_t>(le::read_le32(&bytes[kLatitudeOffset]));
    city.longitude = static_cast<int32_t>(le::read_le32(&bytes[kLatitudeOffset + 4]));
    city.time_zone = le::read_le32(&bytes[kLatitudeOffset + 8]);
    city.flags = le::read_le32(&bytes[kLatitudeOffset + 12]);
    return city;
}

}  // namespace zt::world
