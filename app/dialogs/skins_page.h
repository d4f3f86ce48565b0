#pragma once
// The options sheet's skins page: the main program's skins in a one-column list with the active
// skin selected, and Remove for the selected row. Choosing another row makes it the active skin
// at once, through the hook the sheet's opener hands in (the main dialog loads and shows it);
// there is nothing to store when the sheet closes, and Cancel does not take a choice back.
//
// Since selecting a row makes it the active skin, and the active skin cannot be removed, a row
// is picked for Remove with the shell's tap-and-hold: its context menu ("Remove") works on the
// held row without choosing it.
#include <functional>
#include <string>
#include <string_view>

#include "app/dialogs/program_look.h"

class QPoint;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

inline constexpr char16_t kSkinsHelpTopic[] = u"file:ZunTime.htm#options_skins";

// Runs when the user chooses a skin; afterwards "ActiveSkin" names the skin that is active.
using SkinChosenHook = std::function<void(std::u16string_view name)>;

// "ActiveSkin" of the Settings key ("Default" when missing).
std::u16string stored_active_skin();
// Writes "ActiveSkin" and nothing else: what a choice amounts to without a main dialog.
void store_active_skin(std::u16string_view name);

class CSkinsPage final : public CProgramPage {
public:
    // Without a hook a choice is only stored (store_active_skin).
    explicit CSkinsPage(skins::CSkinManager& manager, SkinChosenHook chosen = {}, QWidget* parent = nullptr);

    QTreeWidget& list() const { return *m_list; }
    QPushButton& remove_button() const { return *m_remove; }
    // The selected row's skin; empty when no row is selected.
    std::u16string selected_skin() const;
    // The Remove command on the selected row: refused for the skins in use and the default
    // skin, else asked (Yes/No) and done.
    void remove_selected();
    // Remove on a row that stays unchosen (the held row of the context menu); the active skin is
    // selected again afterwards.
    void remove_row(QTreeWidgetItem& row);

private:
    // Lists the skins again and selects the active one; neither is a choice of the user.
    void fill();
    void select_active();
    void selection_changed();
    void row_menu(const QPoint& at);

    skins::CSkinManager& m_skins;
    SkinChosenHook m_chosen;
    QTreeWidget* m_list { nullptr };
    QPushButton* m_remove { nullptr };
    std::u16string m_active;
    bool m_filling { false };
};

}  // namespace zt::app
