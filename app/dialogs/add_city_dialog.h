#pragma once
// The add-city dialog ("Add City"; "Change City" when it edits a city): a country, then either
// its state and city from the lists, or, for the ZIP country only, a ZIP code searched in the
// database. A ZIP code the database does not know may become a custom city.
//
// One widget for both screens: its rows stand in one column on a portrait screen and in two on
// a landscape one (the ZIP search beside the lists), and change over when the screen turns.
#include <functional>
#include <optional>
#include <vector>

#include "app/dialogs/city_dialog_parts.h"
#include "app/dialogs/city_dialogs.h"
#include "app/dialogs/program_look.h"
#include "core/shared_settings.h"
#include "world/city_record.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zt::world {
class CityDatabase;
class FavoritesList;
}  // namespace zt::world

namespace zt::app {

inline constexpr char16_t kAddCityHelpTopic[] = u"file:ZunTime.htm#add_city";

class CAddCityDialog final : public CProgramDialog {
public:
    // Opens the custom-city dialog for a new city; true when it was confirmed.
    using CustomCityOpener = std::function<bool(world::CityRecord& city)>;

    CAddCityDialog(const AddCityRequest& request, world::CityDatabase& database, world::FavoritesList& favourites,
                   QWidget* parent = nullptr, CustomCityOpener custom_city = {});
    ~CAddCityDialog() override;

    // Set once the dialog was accepted.
    const std::optional<world::CityRecord>& result() const { return m_result; }

    QComboBox& country_list() const { return *m_country; }
    QComboBox& state_list() const { return *m_state; }
    QComboBox& city_list() const { return *m_city; }
    QRadioButton& by_zip() const { return *m_by_zip; }
    QRadioButton& by_city() const { return *m_by_city; }
    QLineEdit& zip_field() const { return *m_zip; }
    QPushButton& search_button() const { return *m_search; }
    QPushButton& ok_button() const { return *m_ok; }
    bool landscape_layout() const { return m_form && m_form->landscape(); }

    // The OK command: the checks, then the result and the remembered choice.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void country_chosen(int row);
    void state_chosen(int row);
    void fill_cities(uint32_t region_index);
    void set_zip_mode(bool zip);
    void search();
    uint32_t selected_country() const;
    uint32_t selected_region() const;

    world::CityDatabase& m_database;
    world::FavoritesList& m_favourites;
    AddCityRequest m_request;
    CustomCityOpener m_custom_city;
    core::AddCityOptions m_options;
    std::vector<uint32_t> m_recent;
    std::vector<uint32_t> m_country_rows;  // country indices, 0 for the separator
    std::vector<uint32_t> m_region_rows;   // region indices
    std::vector<world::CityRecord> m_cities;
    uint32_t m_remembered_region { 0 };
    uint32_t m_remembered_city { 0 };
    std::optional<world::CityRecord> m_result;

    QComboBox* m_country { nullptr };
    QComboBox* m_state { nullptr };
    QComboBox* m_city { nullptr };
    QRadioButton* m_by_zip { nullptr };
    QRadioButton* m_by_city { nullptr };
    QLineEdit* m_zip { nullptr };
    QPushButton* m_search { nullptr };
    QWidget* m_zip_row { nullptr };
    QPushButton* m_ok { nullptr };
    std::optional<city_parts::CityForm> m_form;
};

}  // namespace zt::app
