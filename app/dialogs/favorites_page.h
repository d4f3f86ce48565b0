#pragma once
// The "Favorites List" page: the favourites by their list names under "Cities shown on map",
// with "Add...", "Edit..." and "Delete". Changes stay in memory until the page is closed, which
// saves the favourites file (save()); slots follow their cities through every change.
#include "app/dialogs/city_dialog_openers.h"
#include "app/dialogs/program_look.h"

class QListWidget;
class QPushButton;

namespace zt::world {
class FavoritesList;
}

namespace zt::app {

class CFavoritesPage final : public CProgramPage {
public:
    CFavoritesPage(world::FavoritesList& favourites, CityDialogOpeners openers = {}, QWidget* parent = nullptr);

    QListWidget& list() const { return *m_list; }
    QPushButton& add_button() const { return *m_add; }
    QPushButton& edit_button() const { return *m_edit; }
    QPushButton& delete_button() const { return *m_delete; }

    void add_city();
    void edit_selected();
    void delete_selected();
    // What closing the page does: the favourites file written.
    bool save();

private:
    // Lists the favourites again and selects the entry with `id` (none for 0).
    void fill(uint32_t selected_id);
    void selection_changed();
    int selected_index() const;

    world::FavoritesList& m_favourites;
    CityDialogOpeners m_openers;
    QListWidget* m_list { nullptr };
    QPushButton* m_add { nullptr };
    QPushButton* m_edit { nullptr };
    QPushButton* m_delete { nullptr };
};

}  // namespace zt::app
