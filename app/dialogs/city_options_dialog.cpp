#include "app/dialogs/city_options_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/city_dialog_parts.h"
#include "app/dialogs/city_dialogs.h"

namespace zt::app {

CCityOptionsDialog::CCityOptionsDialog(world::CityRecord& city, QWidget* parent)
    : CProgramDialog(u"City Options", parent), m_city(city) {
    // One field: the same column on either screen.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Name:"), this));
    m_name = new QLineEdit(city_parts::qt_text(city.name_view()), this);
    layout->addWidget(m_name);
    layout->addStretch();
    layout->addWidget(city_parts::make_dialog_buttons(*this, kCityOptionsHelpTopic));
    city_parts::fill_screen(*this);
}

void CCityOptionsDialog::accept() {
    const std::u16string name = m_name->text().toStdU16String();
    if (city_parts::is_blank(name)) {
        city_parts::show_box(u"City name cannot be empty", platform::msgbox::Icon::Warning);
        m_name->setFocus();
        return;
    }
    m_city.set_name(name);
    QDialog::accept();
}

bool run_city_options_dialog(world::CityRecord& city, QWidget* parent) {
    CCityOptionsDialog dialog(city, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace zt::app
