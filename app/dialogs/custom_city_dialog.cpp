#include "app/dialogs/custom_city_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cstdlib>
#include <string>

#include "app/dialogs/city_dialogs.h"
#include "core/number_text.h"
#include "world/city_database.h"

namespace zt::app {
namespace {

using city_parts::qt_text;
namespace msgbox = platform::msgbox;

// Hemisphere rows: the negative one first, as stored values below 1 show it.
constexpr int kNegativeRow = 0;
constexpr int kPositiveRow = 1;

QWidget* coordinate_row(CoordinateFields& fields, const char16_t* negative, const char16_t* positive, int32_t minutes_of_arc,
                        QWidget* parent) {
    auto* row = new QWidget(parent);
    fields.hemisphere = new QComboBox(row);
    fields.hemisphere->addItems({ qt_text(negative), qt_text(positive) });
    // The same width for both rows, whatever their letters.
    fields.hemisphere->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fields.hemisphere->setMinimumContentsLength(1);
    fields.hemisphere->setCurrentIndex(minutes_of_arc > 0 ? kPositiveRow : kNegativeRow);
    const int32_t size = std::abs(minutes_of_arc);
    fields.degrees = new QLineEdit(QString::number(size / 60), row);
    fields.minutes = new QLineEdit(QString::number(size % 60), row);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(fields.hemisphere);
    line->addWidget(fields.degrees, 1);
    line->addWidget(fields.minutes, 1);
    return row;
}

// The framework's check of a number field: a whole number within the range, else its message
// and the field gets the focus.
std::optional<int32_t> checked_number(QLineEdit& field, int32_t low, int32_t high) {
    bool whole = false;
    const int value = field.text().trimmed().toInt(&whole);
    if (whole && value >= low && value <= high) return value;
    const std::u16string message = whole || field.text().trimmed().isEmpty()
                                       ? u"Please enter an integer between " + core::format_unsigned(static_cast<uint32_t>(low)) +
                                             u" and " + core::format_unsigned(static_cast<uint32_t>(high)) + u"."
                                       : std::u16string(u"Please enter an integer.");
    city_parts::show_box(message, msgbox::Icon::Warning);
    field.setFocus();
    field.selectAll();
    return std::nullopt;
}

std::optional<int32_t> checked_coordinate(const CoordinateFields& fields, int32_t max_degrees) {
    const auto degrees = checked_number(*fields.degrees, 0, max_degrees);
    if (!degrees) return std::nullopt;
    const auto minutes = checked_number(*fields.minutes, 0, 59);
    if (!minutes) return std::nullopt;
    const int32_t size = *degrees * 60 + *minutes;
    return fields.hemisphere->currentIndex() == kPositiveRow ? size : -size;
}

}  // namespace

CCustomCityDialog::CCustomCityDialog(world::CityRecord& city, bool new_city, const world::CityDatabase& database,
                                     QWidget* parent)
    : CProgramDialog(new_city ? u"Add Custom City" : u"Custom City Options", parent), m_city(city), m_new(new_city) {
    // The record itself changes only on OK.
    const world::CityRecord shown = new_city ? world::CityRecord {} : city;
    auto* form = new QWidget(this);
    m_name = new QLineEdit(qt_text(shown.name_view()), form);
    m_zone = city_parts::new_list(form);
    int zone_row = 0;
    for (uint32_t index = 1; index <= database.time_zone_count(); ++index) {
        m_zone->addItem(qt_text(database.time_zone(index)->name));
        if (index == shown.time_zone) zone_row = static_cast<int>(index - 1);
    }
    m_zone->setCurrentIndex(database.time_zone_count() == 0 ? -1 : zone_row);
    m_form.emplace(*form,
                   std::vector<city_parts::FormRow> {
                       { new QLabel(QStringLiteral("Name:"), form), m_name },
                       { new QLabel(QStringLiteral("Latitude:"), form), coordinate_row(m_latitude, u"S", u"N", shown.latitude, form) },
                       { new QLabel(QStringLiteral("Longitude:"), form), coordinate_row(m_longitude, u"W", u"E", shown.longitude, form) },
                       { new QLabel(QStringLiteral("Timezone:"), form), m_zone } },
                   // Four short rows fit a landscape screen of 240 lines as they stand; side by
                   // side they would not fit one of 320 columns.
                   1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form);
    layout->addStretch();
    layout->addWidget(city_parts::make_dialog_buttons(*this, kCustomCityHelpTopic));
    city_parts::fill_screen(*this);
}

void CCustomCityDialog::accept() {
    const std::u16string name = m_name->text().toStdU16String();
    if (city_parts::is_blank(name)) {
        city_parts::show_box(u"City name cannot be empty", msgbox::Icon::Warning);
        m_name->setFocus();
        return;
    }
    const auto latitude = checked_coordinate(m_latitude, 90);
    if (!latitude) return;
    const auto longitude = checked_coordinate(m_longitude, 180);
    if (!longitude) return;
    if (m_new) {
        m_city = world::CityRecord {};
        m_city.id = world::kFirstCustomCityId;
    }
    m_city.set_name(name);
    m_city.latitude = *latitude;
    m_city.longitude = *longitude;
    m_city.time_zone = m_zone->currentIndex() < 0 ? 0 : static_cast<uint32_t>(m_zone->currentIndex() + 1);
    QDialog::accept();
}

void CCustomCityDialog::resizeEvent(QResizeEvent* event) {
    if (m_form) m_form->follow_screen();
    CProgramDialog::resizeEvent(event);
}

bool run_custom_city_dialog(world::CityRecord& city, bool new_city, QWidget* parent) {
    CCustomCityDialog dialog(city, new_city, world::CityDatabase::instance(), parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace zt::app
