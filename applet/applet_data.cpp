#include "applet/applet_data.h"

#include <algorithm>

#include "platform/base/le_bytes.h"

namespace zt::applet {
namespace {

constexpr size_t kZoneIndexOffset = 120;
constexpr size_t kNameOffset = 12;

}  // namespace

bool AppletData::city_chosen() const {
    return platform::read_le32(city.data() + kZoneIndexOffset) != 0 &&
           platform::read_le16(city.data() + kNameOffset) != 0;
}

size_t applet_data_size(const AppletData& data) { return kAppletDataFixedSize + 2 * data.skin_name.size(); }

AppletData read_applet_data(std::span<const uint8_t> blob) {
    if (blob.size() < kAppletDataFixedSize || platform::read_le32(blob.data()) != kAppletDataVersion) return {};
    // The length is checked against what is left before it is doubled, so no count overflows.
    const uint32_t units = platform::read_le32(blob.data() + 4);
    if (units > (blob.size() - kAppletDataFixedSize) / 2) return {};
    AppletData data;
    const uint8_t* field = blob.data() + 8;
    data.skin_name.resize(units);
    for (uint32_t unit = 0; unit < units; ++unit, field += 2) data.skin_name[unit] = platform::read_le16(field);
    data.flags = platform::read_le32(field);
    data.view = platform::read_le32(field + 4);
    field += 8;
    std::copy_n(field, data.city.size(), data.city.begin());
    std::copy_n(field + data.city.size(), data.rules.size(), data.rules.begin());
    return data;
}

std::vector<uint8_t> write_applet_data(const AppletData& data) {
    std::vector<uint8_t> blob(applet_data_size(data));
    uint8_t* field = blob.data();
    platform::write_le32(field, kAppletDataVersion);
    platform::write_le32(field + 4, static_cast<uint32_t>(data.skin_name.size()));
    field += 8;
    for (char16_t unit : data.skin_name) {
        platform::write_le16(field, unit);
        field += 2;
    }
    platform::write_le32(field, data.flags);
    platform::write_le32(field + 4, data.view);
    field += 8;
    std::copy(data.city.begin(), data.city.end(), field);
    std::copy(data.rules.begin(), data.rules.end(), field + data.city.size());
    return blob;
}

}  // namespace zt::applet
