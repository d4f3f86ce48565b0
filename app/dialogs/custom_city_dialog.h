#pragma once
// The custom-city dialog ("Add Custom City" for a new city, "Custom City Options" for one of the
// favourites): a name, latitude and longitude as hemisphere, degrees and minutes, and a zone of
// the city database. OK checks each field and only then writes them all into the record.
#include <optional>

#include "app/dialogs/city_dialog_parts.h"
#include "app/dialogs/program_look.h"
#include "world/city_record.h"

class QComboBox;
class QLineEdit;

namespace zt::world {
class CityDatabase;
}

namespace zt::app {

inline constexpr char16_t kCustomCityHelpTopic[] = u"file:ZunTime.htm#add_custom_city";

struct CoordinateFields {
    QComboBox* hemisphere { nullptr };
    QLineEdit* degrees { nullptr };
    QLineEdit* minutes { nullptr };
};

class CCustomCityDialog final : public CProgramDialog {
public:
    // A new city starts with id 100000 and empty fields.
    CCustomCityDialog(world::CityRecord& city, bool new_city, const world::CityDatabase& database, QWidget* parent = nullptr);

    QLineEdit& name_field() const { return *m_name; }
    const CoordinateFields& latitude() const { return m_latitude; }
    const CoordinateFields& longitude() const { return m_longitude; }
    QComboBox& zone_list() const { return *m_zone; }
    bool landscape_layout() const { return m_form && m_form->landscape(); }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    world::CityRecord& m_city;
    bool m_new { false };
    QLineEdit* m_name { nullptr };
    CoordinateFields m_latitude;
    CoordinateFields m_longitude;
    QComboBox* m_zone { nullptr };
    std::optional<city_parts::CityForm> m_form;
};

}  // namespace zt::app
