#pragma once
// "City Options": the name of a database city among the favourites, which the user may change.
#include "app/dialogs/program_look.h"
#include "world/city_record.h"

class QLineEdit;

namespace zt::app {

inline constexpr char16_t kCityOptionsHelpTopic[] = u"file:ZunTime.htm#edit_city";

class CCityOptionsDialog final : public CProgramDialog {
public:
    CCityOptionsDialog(world::CityRecord& city, QWidget* parent = nullptr);

    QLineEdit& name_field() const { return *m_name; }
    // A blank name is refused; otherwise the name, cut to 49 characters, goes into the record.
    void accept() override;

private:
    world::CityRecord& m_city;
    QLineEdit* m_name { nullptr };
};

}  // namespace zt::app
