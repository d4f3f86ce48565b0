#pragma once
// How the favourites and cities pages open the city dialogs: the real dialogs by default, and
// stand-ins that answer as a user would in tests.
#include <functional>
#include <optional>

#include "app/dialogs/city_dialogs.h"

namespace zt::app {

struct CityDialogOpeners {
    std::function<std::optional<world::CityRecord>(const AddCityRequest&)> add_city;
    std::function<bool(world::CityRecord&)> custom_city;   // edits a favourite custom city
    std::function<bool(world::CityRecord&)> city_options;  // edits a favourite database city
    std::function<void()> favorites;                       // the favourites page

    // The real dialogs, over `parent`; any opener given in `given` is kept.
    static CityDialogOpeners with_defaults(CityDialogOpeners given, QWidget* parent);
};

}  // namespace zt::app
