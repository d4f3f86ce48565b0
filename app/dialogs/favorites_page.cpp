#include "app/dialogs/favorites_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/city_dialog_parts.h"
#include "app/dialogs/narrow_controls.h"
#include "app/model/favorite_cities.h"
#include "world/favorites_list.h"

namespace zt::app {

using city_parts::qt_text;

CFavoritesPage::CFavoritesPage(world::FavoritesList& favourites, CityDialogOpeners openers, QWidget* parent)
    : CProgramPage(u"Favorites List", parent),
      m_favourites(favourites),
      m_openers(CityDialogOpeners::with_defaults(std::move(openers), this)) {
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_add = new QPushButton(QStringLiteral("Add..."), this);
    m_edit = new QPushButton(QStringLiteral("Edit..."), this);
    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    for (QPushButton* button : { m_add, m_edit, m_delete }) fit_button(*button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Cities shown on map"), this));
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, [this] { add_city(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { edit_selected(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { delete_selected(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { selection_changed(); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { edit_selected(); });
    fill(0);
}

int CFavoritesPage::selected_index() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.front());
}

void CFavoritesPage::fill(uint32_t selected_id) {
    m_list->clear();
    for (int index = 0; index < static_cast<int>(m_favourites.count()); ++index)
        m_list->addItem(qt_text(favorite_display_name(*m_favourites.entry(index))));
    const int selected = selected_id == 0 ? -1 : m_favourites.index_of(selected_id);
    if (selected >= 0) {
        m_list->setCurrentRow(selected);
        m_list->item(selected)->setSelected(true);
        m_list->scrollToItem(m_list->item(selected));
    }
    selection_changed();
}

void CFavoritesPage::selection_changed() {
    const bool any = selected_index() >= 0;
    m_edit->setEnabled(any);
    m_delete->setEnabled(any);
}

void CFavoritesPage::add_city() {
    const auto chosen = m_openers.add_city(AddCityRequest::add());
    if (!chosen) return;
    const int index = append_chosen_city(m_favourites, *chosen);
    const uint32_t id = m_favourites.entry(index)->id;
    m_favourites.sort();
    fill(id);
}

void CFavoritesPage::edit_selected() {
    const int index = selected_index();
    world::CityRecord* entry = m_favourites.entry(index);
    if (!entry) return;
    // Edited on a copy, so a cancelled dialog leaves the entry as it was.
    world::CityRecord edited = *entry;
    const bool confirmed = edited.is_custom() ? m_openers.custom_city(edited) : m_openers.city_options(edited);
    if (!confirmed) return;
    *entry = edited;
    m_favourites.sort();
    if (const auto slot = m_favourites.find_slot(edited.id)) m_favourites.publish_slot(*slot);
    fill(edited.id);
}

void CFavoritesPage::delete_selected() {
    const world::CityRecord* entry = m_favourites.entry(selected_index());
    if (!entry) return;
    const uint32_t id = entry->id;
    if (m_favourites.find_slot(id)) {
        city_parts::show_box(u"You cannot delete chosen city!", platform::msgbox::Icon::Warning);
        return;
    }
    if (!city_parts::ask(u"Are you sure you want to delete this city?")) return;
    m_favourites.remove(id);
    fill(0);
}

bool CFavoritesPage::save() { return m_favourites.save(); }

}  // namespace zt::app
