#include "app/dialogs/cities_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/city_dialog_parts.h"
#include "app/model/favorite_cities.h"
#include "world/favorites_list.h"

namespace zt::app {

using city_parts::qt_text;

CCitiesPage::CCitiesPage(world::FavoritesList& favourites, CityDialogOpeners openers, QWidget* parent)
    : CProgramPage(u"Cities", parent),
      m_favourites(favourites),
      m_openers(CityDialogOpeners::with_defaults(std::move(openers), this)) {
    set_help_topic(kCitiesHelpTopic);
    m_settings.register_program_defaults();
    auto* layout = new QVBoxLayout(this);
    auto* slot_grid = new QGridLayout;
    for (int slot = 0; slot < static_cast<int>(world::kSlotCount); ++slot) {
        slot_grid->addWidget(new QLabel(QString::number(slot + 1) + QStringLiteral(":"), this), slot, 0);
        auto* list = city_parts::new_list(this);
        m_slots[static_cast<size_t>(slot)] = list;
        slot_grid->addWidget(list, slot, 1);
        // Only what the user chooses: filling the lists selects rows too.
        connect(list, &QComboBox::activated, this, [this, slot](int row) { choose(slot, row); });
    }
    slot_grid->setColumnStretch(1, 1);
    layout->addLayout(slot_grid);
    m_favorites = new QPushButton(QStringLiteral("Favorites list"), this);
    connect(m_favorites, &QPushButton::clicked, this, [this] { open_favorites(); });
    layout->addWidget(m_favorites, 0, Qt::AlignLeft);
    layout->addStretch();
    fill();
}

void CCitiesPage::fill() {
    for (int slot = 0; slot < static_cast<int>(world::kSlotCount); ++slot) {
        QComboBox& list = slot_list(slot);
        const QSignalBlocker quiet(&list);
        list.clear();
        for (int index = 0; index < static_cast<int>(m_favourites.count()); ++index)
            list.addItem(qt_text(favorite_display_name(*m_favourites.entry(index))));
        list.addItem(qt_text(city_parts::translated(kMoreCities)));
        list.setCurrentIndex(m_favourites.slot(slot));
    }
}

void CCitiesPage::choose(int slot, int row) {
    int index = row;
    if (row >= static_cast<int>(m_favourites.count())) {
        const auto chosen = m_openers.add_city(AddCityRequest::add());
        if (!chosen) {
            fill();  // the list shows the slot's city again, not "More Cities..."
            return;
        }
        index = append_chosen_city(m_favourites, *chosen);
    }
    // The bag holds what the registry holds right now, so saving it keeps what the other pages
    // and the main dialog stored meanwhile.
    m_settings.load();
    assign_slot(m_favourites, m_settings, slot, index);
    fill();
}

void CCitiesPage::open_favorites() {
    m_openers.favorites();
    fill();
}

}  // namespace zt::app
