#pragma once
// The few settings of the Settings key that other parts share with the main program: the Today
// item's (TodaySettings) and what the add-city dialog remembers (AddCityOptions). Reading never
// fails: a missing or malformed value reads as its default.
#include <cstdint>
#include <string>
#include <vector>

namespace zt::core {

struct TodaySettings {
    static constexpr int32_t kNoCity = -1;
    // How "CityIndex" stores kNoCity.
    static constexpr uint32_t kStoredNoCity = 100;

    std::u16string skin_name;  // "TodaySkinName"
    uint32_t view { 0 };
    uint32_t cities_count { 4 };
    int32_t city_index { kNoCity };
    bool hide_icon { false };

    void load();
    void save() const;
};

// The "Add City Options" property list of the Settings key.
struct AddCityOptions {
    uint32_t state { 0 };
    uint32_t city { 0 };
    std::vector<uint32_t> counts;  // "cnt0", "cnt1", ... up to the first missing index
};

AddCityOptions load_add_city_options();
void save_add_city_options(const AddCityOptions& options);

}  // namespace zt::core
