#include "app/dialogs/city_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/city_dialog_openers.h"
#include "app/dialogs/city_dialog_parts.h"
#include "app/dialogs/favorites_page.h"
#include "world/favorites_list.h"

namespace zt::app {

void run_favorites_dialog(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Favorites List"));
    auto* page = new CFavoritesPage(world::FavoritesList::instance(), {}, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    apply_program_look(dialog, {});
    city_parts::fill_screen(dialog);
    dialog.exec();
    // However the page was closed: its changes are already in the list and the slots.
    page->save();
}

CityDialogOpeners CityDialogOpeners::with_defaults(CityDialogOpeners given, QWidget* parent) {
    if (!given.add_city)
        given.add_city = [parent](const AddCityRequest& request) { return run_add_city_dialog(request, parent); };
    if (!given.custom_city)
        given.custom_city = [parent](world::CityRecord& city) { return run_custom_city_dialog(city, false, parent); };
    if (!given.city_options)
        given.city_options = [parent](world::CityRecord& city) { return run_city_options_dialog(city, parent); };
    if (!given.favorites) given.favorites = [parent] { run_favorites_dialog(parent); };
    return given;
}

}  // namespace zt::app
