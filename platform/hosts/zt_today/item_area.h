#pragma once
// The Today screen's item area: the widget the item libraries create their windows in. It
// stacks the items top to bottom, paints the Today background behind them, answers what the
// items ask their parent (colours, the background behind them, back to the top) and keeps the
// keyboard selection.
//
// Guarantees:
//  - An entry with "TabHost" 1 is the built-in tabbed host (tab_host.h), without a library.
//  - A library that does not load, or lacks kInitializeItemExport, is skipped with a line on
//    stderr; an item that returns no widget is not shown (a disabled entry) but keeps its
//    library for its options dialog.
//  - Items are as wide as the area and as high as their list entry says (at most
//    kMaxItemHeight); the area is as high as the stack, at least as high as the view.
//  - The item widgets are deleted before their libraries are closed.
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/today_item_abi.h"
#include "platform/kernel/device_library.h"
#include "platform/hosts/zt_today/today_items.h"
#include "platform/hosts/zt_today/today_selection.h"

namespace zt::platform::today {

inline constexpr int32_t kMaxItemHeight = 8192;

class ItemArea final : public QWidget {
public:
    // What the area asks of the view it scrolls in.
    struct ViewHooks {
        std::function<void()> scroll_to_top;
        std::function<void(QWidget* item)> ensure_visible;
        // After each layout: whether the stack is taller than the view.
        std::function<void(bool scrolls)> laid_out;
    };

    explicit ItemArea(QWidget* parent = nullptr);
    ~ItemArea() override;

    void set_view_hooks(ViewHooks hooks) { m_hooks = std::move(hooks); }

    // Loads the entries' libraries and creates their items, laying out after each.
    void load(const std::vector<TodayItemEntry>& entries);

    // Stacks the shown items for a view of this size: the scroll bar width (0 when the stack
    // fits) goes into kScrollBarWidthProperty. Returns the area's new size.
    QSize lay_out(QSize view, int scroll_bar_extent);
    QSize view_size() const { return m_view; }

    // Asks every shown item for its height; lays out again when one answered 1. True then.
    bool refresh();

    // Up, Down and Enter (device key codes); true when the key was the selection's.
    bool key(uint32_t key_code);
    // The selected shown item's widget, null when none.
    QWidget* selected_item() const;

    // The Today background, already scaled to the screen width.
    void set_background(QImage picture);

    // Loaded items that have options (non-zero "Options" and the export), by name.
    struct OptionsEntry {
        std::u16string name;
        OptionsDialogFunction procedure { nullptr };
    };
    std::vector<OptionsEntry> options_entries() const;

    // The shown items' widgets, top to bottom.
    std::vector<QWidget*> shown_items() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Hosted {
        TodayItemEntry entry;
        std::unique_ptr<TodayListItem> list_item;  // the address the item may keep
        std::optional<DeviceLibrary> library;  // none for the tabbed host
        QPointer<QWidget> widget;
    };

    void create(const TodayItemEntry& entry);
    bool answer(ChildMessageEvent& message);
    bool draw_watermark(const WatermarkRequest& request);
    // The shown items in stack order (indexes into m_items).
    std::vector<size_t> shown() const;
    QSize relay_out();

    std::vector<Hosted> m_items;
    TodaySelection m_selection;
    QImage m_background;
    QSize m_view;
    int m_scroll_bar_extent { 0 };
    ViewHooks m_hooks;
};

}  // namespace zt::platform::today
