#pragma once
// The options sheet's "Cities" page: one list per slot holding every favourite and, last,
// "More Cities...", with the slot's city selected; and the "Favorites list" button. Every
// choice takes effect at once: the slot is published, the settings and the favourites file
// saved.
#include <array>

#include "app/dialogs/city_dialog_openers.h"
#include "app/dialogs/program_look.h"
#include "core/settings_bag.h"
#include "world/favorites_file.h"

class QComboBox;
class QPushButton;

namespace zt::world {
class FavoritesList;
}

namespace zt::app {

inline constexpr char16_t kCitiesHelpTopic[] = u"file:ZunTime.htm#options_cities";
inline constexpr char16_t kMoreCities[] = u"More Cities...";

class CCitiesPage final : public CProgramPage {
public:
    CCitiesPage(world::FavoritesList& favourites, CityDialogOpeners openers = {}, QWidget* parent = nullptr);

    QComboBox& slot_list(int slot) const { return *m_slots.at(static_cast<size_t>(slot)); }
    QPushButton& favorites_button() const { return *m_favorites; }

    // What choosing `row` of slot `slot`'s list does (the last row: "More Cities...").
    void choose(int slot, int row);
    void open_favorites();

private:
    // Every list again, each with its slot's city selected.
    void fill();

    world::FavoritesList& m_favourites;
    CityDialogOpeners m_openers;
    core::CSettingsBag m_settings;
    std::array<QComboBox*, world::kSlotCount> m_slots {};
    QPushButton* m_favorites { nullptr };
};

}  // namespace zt::app
