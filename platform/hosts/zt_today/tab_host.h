#pragma once
// The device's built-in tabbed host item: a Today item whose key has "TabHost" 1 and no
// library. It shows a tab strip with one tab per library registered under HKLM
// "SOFTWARE\Zunworks\Shared\TabPlugins\<name>" ("DLL" its device path, "Name" the tab's name;
// an empty "DLL" is an unloaded plug-in and has no tab) and, below it, the selected tab's
// content made by the library's kInitializeEmbeddedExport in this widget.
//
// Each tab shows the library's tab icon (kTabIconExport) at its left and its tab clock
// (kSmartPluginExport): the clock is told the tab's size (set_size(width, height)), paints into
// the tab's pixels and is asked to update every kTabClockMs; it invalidates this widget when it
// wants a repaint. Tapping a tab selects it.
//
// The screen's selection messages go on to the content, which answers them.
// The content asks this widget what an item asks the Today screen; colours and scrolling are
// passed up as they are, the background with the request moved to this widget's coordinates.
// The host's height is the strip's plus the content's, which it asks the content for with
// kMsgQueryRefreshCache whenever the screen asks the host.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/today_item_abi.h"
#include "platform/kernel/device_library.h"

namespace zt::platform::today {

inline constexpr char16_t kTabPluginsKey[] = u"SOFTWARE\\Zunworks\\Shared\\TabPlugins";
inline constexpr int kTabClockMs = 5000;

class TabHostItem final : public QWidget {
public:
    // Loads the registered tab libraries (skipping, with a line on stderr, those that do not
    // load or lack the embedded export) and makes the first tab's content. Sets the entry's
    // height; the entry outlives the widget.
    TabHostItem(TodayListItem& entry, QWidget* parent);
    // The content and the clocks go before their libraries.
    ~TabHostItem() override;

    size_t tab_count() const { return m_tabs.size(); }
    std::u16string tab_name(size_t index) const;
    size_t selected_tab() const { return m_selected; }
    void select_tab(size_t index);
    QWidget* content() const { return m_content; }
    int strip_height() const { return m_strip_height; }
    QRect tab_rect(size_t index) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Tab {
        std::u16string name;
        DeviceLibrary library;
        EmbeddedItemFunction embedded { nullptr };
        QImage icon;
        SmartPlugin* clock { nullptr };
        QSize clock_size;
    };

    void load_tabs();
    intptr_t pass_up(const ChildMessageEvent& message);
    // Asks the content for its height and stores the host's in the entry; true when it changed.
    bool refresh_height();
    QImage tab_picture(Tab& tab, const QRect& rect);

    TodayListItem& m_entry;
    std::vector<Tab> m_tabs;
    size_t m_selected { 0 };
    QPointer<QWidget> m_content;
    TodayListItem m_content_entry;
    int m_strip_height { 16 };
    QTimer m_clock_timer;
};

}  // namespace zt::platform::today
