#pragma once
// The city dialogs as the rest of the program opens them: the add-city dialog ("Add City", or
// "Change City" when it edits a city), the custom-city and city-options dialogs that edit a
// favourite in place, and the favourites page. Each runs modally and returns when it closes.
#include <cstdint>
#include <optional>

#include "world/city_record.h"

class QWidget;

namespace zt::app {

struct AddCityRequest {
    enum class Mode { Add, Change };
    Mode mode { Mode::Add };
    // The preset of the change form (1-based indices, 0 = none). The add form starts from what
    // "Add City Options" remembers instead.
    uint32_t country_index { 0 };
    uint32_t region_index { 0 };
    uint32_t city_id { 0 };

    static AddCityRequest add() { return {}; }
    static AddCityRequest change(uint32_t country, uint32_t region, uint32_t city) {
        return { Mode::Change, country, region, city };
    }
    static AddCityRequest change(const world::CityRecord& city) {
        return change(city.country_index, city.region_index, city.id);
    }
};

// The chosen city (a database city, or a custom one with id 100000 that the caller gives the
// next custom id), or nullopt when the user cancelled. Adding refuses a city already among the
// favourites and remembers the choice in "Add City Options".
std::optional<world::CityRecord> run_add_city_dialog(const AddCityRequest& request, QWidget* parent);

// Edits a custom city ("Custom City Options", or "Add Custom City" for a new one, which starts
// with id 100000 and empty fields): name, latitude, longitude, zone. True when OK stored the
// fields into `city`.
bool run_custom_city_dialog(world::CityRecord& city, bool new_city, QWidget* parent);

// Renames a database city ("City Options"). True when OK stored the name into `city`.
bool run_city_options_dialog(world::CityRecord& city, QWidget* parent);

// The "Favorites List" page of the process's favourites in a dialog of its own; the favourites
// file is saved when it closes.
void run_favorites_dialog(QWidget* parent);

}  // namespace zt::app
