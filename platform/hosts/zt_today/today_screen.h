#pragma once
// The device's Today screen: a screen frame titled "Today" whose content is the item area in a
// vertical scroll view, the items' refresh every kRefreshMs, the hardware keys that move the
// selection, and the soft-key menu "Items" with the items' options.
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/hosts/zt_today/today_items.h"

class QDialog;
class QScrollArea;

namespace zt::platform::gui {
class HardwareKeys;
class ShellFrame;
}  // namespace zt::platform::gui

namespace zt::platform::today {

class ItemArea;

inline constexpr char16_t kTodayTitle[] = u"Today";
inline constexpr char16_t kItemsMenuText[] = u"Items";
inline constexpr int kRefreshMs = 2000;

class TodayScreen {
public:
    // Builds the screen and loads the entries' items (not shown yet).
    explicit TodayScreen(const std::vector<TodayItemEntry>& entries);
    // Closes open options dialogs and deletes the items before their libraries are closed.
    ~TodayScreen();
    TodayScreen(const TodayScreen&) = delete;
    TodayScreen& operator=(const TodayScreen&) = delete;

    void show();
    gui::ShellFrame& frame() const { return *m_frame; }
    ItemArea& area() const { return *m_area; }
    QScrollArea& scroller() const { return *m_scroller; }
    // The soft-key menu, refilled each time it opens.
    QMenu& items_menu() { return m_menu; }
    void fill_items_menu();

private:
    class Scroller;

    void lay_out();
    void load_background();

    QMenu m_menu;
    std::unique_ptr<gui::ShellFrame> m_frame;
    QScrollArea* m_scroller { nullptr };
    ItemArea* m_area { nullptr };
    gui::HardwareKeys* m_keys { nullptr };
    QTimer m_refresh;
    std::vector<QPointer<QDialog>> m_dialogs;
};

}  // namespace zt::platform::today
