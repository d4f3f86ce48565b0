#include "platform/hosts/zt_today/item_area.h"

#include <QPainter>
#include <QVariant>

#include <algorithm>
#include <cstdio>

#include "platform/base/text.h"
#include "platform/hosts/zt_today/tab_host.h"
#include "platform/hosts/zt_today/today_background.h"

namespace zt::platform::today {
namespace {

// A picture larger than any screen is no item's background; refusing it keeps a confused
// item from making the screen allocate without bound.
constexpr int32_t kMaxWatermarkSide = 8192;

void complain(const TodayItemEntry& entry, const std::string& why) {
    std::fprintf(stderr, "zt-today: item %s not shown: %s\n", utf16_to_utf8(entry.name).c_str(), why.c_str());
}

QColor colour_of(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

ItemArea::ItemArea(QWidget* parent)
    : QWidget(parent), m_selection([this](size_t item, uint32_t message, uintptr_t wparam) {
          const auto stacked = shown();
          return item < stacked.size() ? send_child_message(m_items[stacked[item]].widget, message, wparam) : 0;
      }) {
    setProperty(kScrollBarWidthProperty, 0);
}

ItemArea::~ItemArea() {
    // The widgets' code lives in the libraries.
    for (Hosted& item : m_items) delete item.widget.data();
    m_items.clear();
}

void ItemArea::load(const std::vector<TodayItemEntry>& entries) {
    for (const TodayItemEntry& entry : entries) create(entry);
}

void ItemArea::create(const TodayItemEntry& entry) {
    Hosted hosted { entry, std::make_unique<TodayListItem>(list_item_of(entry)), std::nullopt, {} };
    QWidget* widget = nullptr;
    if (entry.tab_host) {
        widget = new TabHostItem(*hosted.list_item, this);
    } else {
        std::string error;
        hosted.library = DeviceLibrary::open(entry.dll, error);
        if (!hosted.library) {
            complain(entry, utf16_to_utf8(entry.dll) + ": " + error);
            return;
        }
        const InitializeItemFunction initialize = reinterpret_cast<InitializeItemFunction>(hosted.library->symbol(kInitializeItemExport));
        if (!initialize) {
            complain(entry, utf16_to_utf8(entry.dll) + " has no " + kInitializeItemExport);
            return;
        }
        widget = initialize(hosted.list_item.get(), this);
    }
    if (widget) {
        if (widget->parentWidget() != this) widget->setParent(this);
        widget->show();
        // Its height at once: laid out with the entry's 0, a new item would stay out of sight
        // (and out of reach of the pen) until the first refresh.
        send_child_message(widget, kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(hosted.list_item.get()));
    }
    hosted.widget = widget;
    m_items.push_back(std::move(hosted));
    relay_out();
}

std::vector<size_t> ItemArea::shown() const {
    std::vector<size_t> list;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].widget) list.push_back(i);
    return list;
}

std::vector<QWidget*> ItemArea::shown_items() const {
    std::vector<QWidget*> list;
    for (size_t i : shown()) list.push_back(m_items[i].widget);
    return list;
}

QSize ItemArea::lay_out(QSize view, int scroll_bar_extent) {
    m_view = view;
    m_scroll_bar_extent = std::max(scroll_bar_extent, 0);
    return relay_out();
}

QSize ItemArea::relay_out() {
    int total = 0;
    for (size_t i : shown())
        total += static_cast<int>(std::min<uint32_t>(m_items[i].list_item->height, kMaxItemHeight));
    const bool scrolls = total > m_view.height();
    const int bar = scrolls ? m_scroll_bar_extent : 0;
    setProperty(kScrollBarWidthProperty, bar);
    const int width = std::max(m_view.width() - bar, 0);
    int top = 0;
    for (size_t i : shown()) {
        const int height = static_cast<int>(std::min<uint32_t>(m_items[i].list_item->height, kMaxItemHeight));
        m_items[i].widget->setGeometry(0, top, width, height);
        top += height;
    }
    resize(width, std::max(total, m_view.height()));
    if (m_hooks.laid_out) m_hooks.laid_out(scrolls);
    update();
    return size();
}

bool ItemArea::refresh() {
    bool changed = false;
    for (size_t i : shown()) {
        Hosted& item = m_items[i];
        if (send_child_message(item.widget, kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(item.list_item.get())) == 1)
            changed = true;
    }
    if (changed) relay_out();
    return changed;
}

bool ItemArea::key(uint32_t key_code) {
    std::vector<bool> selectable;
    for (size_t i : shown()) selectable.push_back(m_items[i].entry.selectability != 0);
    QWidget* before = selected_item();
    const bool handled = m_selection.key(key_code, selectable);
    QWidget* after = selected_item();
    if (before != after) {
        // The background behind them changes colour.
        if (before) before->update();
        if (after) {
            after->update();
            if (m_hooks.ensure_visible) m_hooks.ensure_visible(after);
        }
    }
    return handled;
}

QWidget* ItemArea::selected_item() const {
    const auto index = m_selection.selected();
    const auto stacked = shown();
    return index && *index < stacked.size() ? m_items[stacked[*index]].widget.data() : nullptr;
}

void ItemArea::set_background(QImage picture) {
    m_background = std::move(picture);
    update();
}

std::vector<ItemArea::OptionsEntry> ItemArea::options_entries() const {
    std::vector<OptionsEntry> list;
    for (const Hosted& item : m_items) {
        if (item.entry.options == 0) continue;
        if (!item.library) continue;
        if (OptionsDialogFunction procedure = reinterpret_cast<OptionsDialogFunction>(item.library->symbol(kOptionsDialogExport))) list.push_back({ item.entry.name, procedure });
    }
    return list;
}

bool ItemArea::event(QEvent* event) {
    if (event->type() != ChildMessageEvent::kType) return QWidget::event(event);
    auto& message = static_cast<ChildMessageEvent&>(*event);
    message.handled = answer(message);
    return true;
}

bool ItemArea::answer(ChildMessageEvent& message) {
    switch (message.message) {
    case kMsgGetColor: {
        const auto colour = answer_colour_request(message.wparam);
        if (!colour) return false;
        message.result = static_cast<intptr_t>(*colour);
        return true;
    }
    case kMsgDrawWatermark: {
        const auto* request = reinterpret_cast<const WatermarkRequest*>(message.lparam);
        message.result = request && draw_watermark(*request) ? 1 : 0;
        return true;
    }
    case kMsgVScroll:
        if ((message.wparam & 0xFFFF) != kScrollTop) return false;
        if (m_hooks.scroll_to_top) m_hooks.scroll_to_top();
        message.result = 0;
        return true;
    default: return false;
    }
}

bool ItemArea::draw_watermark(const WatermarkRequest& request) {
    const auto stacked = shown_items();
    if (std::find(stacked.begin(), stacked.end(), request.item) == stacked.end()) return false;
    if (request.width <= 0 || request.height <= 0 || request.width > kMaxWatermarkSide ||
        request.height > kMaxWatermarkSide)
        return false;
    QImage part(request.width, request.height, QImage::Format_RGB32);
    if (request.item == selected_item()) {
        const uint32_t highlight = answer_colour_request(kColorHighlight).value_or(kDefaultHighlightColour);
        part.fill(colour_of(highlight));
    } else {
        QPainter painter(&part);
        const QPoint origin = request.item->pos() + QPoint(request.left, request.top);
        paint_today_background(painter, m_background, QRect(origin, part.size()));
    }
    return copy_to_bottom_up(part, request.bits, request.width, request.height, request.stride);
}

void ItemArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_today_background(painter, m_background, rect());
}

}  // namespace zt::platform::today
