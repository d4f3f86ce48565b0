#pragma once
// The options sheet's buttons page: which device key runs which action, screen by screen. A
// screen selector picks the profile (analog clock 0, digital clock 1, world time 2, stopwatch
// and counters 4, countdown timers 5), a two-column list shows its actions and their keys, and
// a key selector binds the selected row's key; a key already bound to another action of the
// profile falls back to none.
//
// The page works on a copy of the mappings: only OK (save) hands the bindings to the process's
// set and stores them, so a cancelled sheet leaves the keys doing what they did.
#include <array>
#include <cstdint>
#include <vector>

#include "app/dialogs/program_look.h"
#include "app/model/button_mappings.h"

class QComboBox;
class QTreeWidget;

namespace zt::app {

inline constexpr int32_t kButtonsPageResource = 165;
inline constexpr int32_t kScreenSelectorId = 1030;
inline constexpr int32_t kMappingListId = 1031;
inline constexpr int32_t kKeySelectorId = 1032;
inline constexpr char16_t kButtonsHelpTopic[] = u"file:ZunTime.htm#options_buttons";

// The profiles the screen selector's choices stand for, in its order.
inline constexpr std::array<size_t, 5> kScreenSelectorProfiles { 0, 1, 2, 4, 5 };

// The keys the key selector offers: none and the four application buttons on a square screen,
// none, the d-pad, the action key and the four buttons otherwise.
std::vector<uint32_t> selectable_keys(bool square_screen);

class CButtonsPage final : public CProgramPage {
public:
    explicit CButtonsPage(CButtonMappings& mappings, QWidget* parent = nullptr);

    // The bindings into the process's set (its current profile stays) and into the registry.
    void save();

    QComboBox& screen_selector() const { return *m_screens; }
    QTreeWidget& list() const { return *m_list; }
    QComboBox& key_selector() const { return *m_keys; }
    // The bindings as the page holds them.
    const CButtonMappings& edited() const { return m_edited; }

private:
    void screen_chosen(int choice);
    void fill();
    void row_selected();
    void key_chosen(int index);
    int selected_row() const;

    CButtonMappings& m_mappings;
    CButtonMappings m_edited;
    std::vector<uint32_t> m_key_codes;
    QComboBox* m_screens { nullptr };
    QTreeWidget* m_list { nullptr };
    QComboBox* m_keys { nullptr };
    // While the page itself moves the key selector, its change is no choice of the user's.
    bool m_showing_key { false };
};

}  // namespace zt::app
