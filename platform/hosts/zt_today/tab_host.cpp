#include "platform/hosts/zt_today/tab_host.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdio>

#include "platform/base/text.h"
#include "platform/gui/image_decoder.h"
#include "platform/gui/screen_metrics.h"
#include "platform/registry/registry.h"
#include "platform/hosts/zt_today/item_area.h"

namespace zt::platform::today {
namespace {

using registry::Key;
using registry::Root;

void complain(std::u16string_view name, const std::string& why) {
    std::fprintf(stderr, "zt-today: tab %s not shown: %s\n", utf16_to_utf8(name).c_str(), why.c_str());
}

SmartPlugin* make_clock(const DeviceLibrary& library) {
    auto get = reinterpret_cast<SmartPluginFunction>(library.symbol(kSmartPluginExport));
    SmartPlugin* clock = nullptr;
    if (!get || get(&clock) != kOk) return nullptr;
    return clock;
}

QImage tab_icon(const DeviceLibrary& library) {
    auto get = reinterpret_cast<TabIconFunction>(library.symbol(kTabIconExport));
    QImage icon;
    if (!get || !get(&icon)) return {};
    return icon;
}

}  // namespace

TabHostItem::TabHostItem(TodayListItem& entry, QWidget* parent) : QWidget(parent), m_entry(entry) {
    m_strip_height = gui::read_screen_metrics().high_resolution() ? 32 : 16;
    load_tabs();
    select_tab(0);
    refresh_height();
    m_clock_timer.setInterval(kTabClockMs);
    connect(&m_clock_timer, &QTimer::timeout, this, [this] {
        for (Tab& tab : m_tabs)
            if (tab.clock) tab.clock->update();
    });
    m_clock_timer.start();
}

TabHostItem::~TabHostItem() {
    m_clock_timer.stop();
    delete m_content.data();
    for (Tab& tab : m_tabs) {
        if (!tab.clock) continue;
        tab.clock->destroy();
        tab.clock->release();
    }
    m_tabs.clear();
}

void TabHostItem::load_tabs() {
    const auto plugins = Key::open(Root::LocalMachine, kTabPluginsKey);
    if (!plugins) return;
    for (uint32_t index = 0;; ++index) {
        const auto key_name = plugins->enum_subkey(index);
        if (!key_name) break;
        const auto key = plugins->open_subkey(*key_name);
        const std::u16string dll = key ? key->get_string(u"DLL").value_or(u"") : u"";
        if (dll.empty()) continue;
        std::string error;
        auto library = DeviceLibrary::open(dll, error);
        if (!library) {
            complain(*key_name, utf16_to_utf8(dll) + ": " + error);
            continue;
        }
        auto embedded = reinterpret_cast<EmbeddedItemFunction>(library->symbol(kInitializeEmbeddedExport));
        if (!embedded) {
            complain(*key_name, utf16_to_utf8(dll) + " has no " + kInitializeEmbeddedExport);
            continue;
        }
        Tab tab { key->get_string(u"Name").value_or(*key_name), std::move(*library), embedded, {}, nullptr, {} };
        tab.icon = tab_icon(tab.library);
        tab.clock = make_clock(tab.library);
        if (tab.clock) tab.clock->set_up(0, 0, 0);
        m_tabs.push_back(std::move(tab));
    }
}

std::u16string TabHostItem::tab_name(size_t index) const { return index < m_tabs.size() ? m_tabs[index].name : u""; }

QRect TabHostItem::tab_rect(size_t index) const {
    if (m_tabs.empty() || index >= m_tabs.size()) return {};
    const int count = static_cast<int>(m_tabs.size());
    const int at = static_cast<int>(index);
    const int left = width() * at / count;
    return QRect(left, 0, width() * (at + 1) / count - left, m_strip_height);
}

void TabHostItem::select_tab(size_t index) {
    if (index >= m_tabs.size()) return;
    delete m_content.data();
    m_selected = index;
    m_content_entry = TodayListItem {};
    m_content = m_tabs[index].embedded(this);
    if (m_content) {
        if (m_content->parentWidget() != this) m_content->setParent(this);
        m_content->show();
    }
    // The screen learns the new height at its next refresh.
    resizeEvent(nullptr);
    update();
}

bool TabHostItem::refresh_height() {
    if (m_content)
        send_child_message(m_content, kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(&m_content_entry));
    const uint32_t content = std::min<uint32_t>(m_content ? m_content_entry.height : 0, kMaxItemHeight);
    const uint32_t total = static_cast<uint32_t>(m_strip_height) + content;
    if (total == m_entry.height) return false;
    m_entry.height = total;
    return true;
}

void TabHostItem::resizeEvent(QResizeEvent*) {
    if (m_content) m_content->setGeometry(0, m_strip_height, width(), std::max(height() - m_strip_height, 0));
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        Tab& tab = m_tabs[i];
        const QSize size = tab_rect(i).size();
        if (!tab.clock || size == tab.clock_size) continue;
        tab.clock_size = size;
        tab.clock->set_size(static_cast<uint32_t>(size.width()), static_cast<uint32_t>(size.height()));
    }
}

bool TabHostItem::event(QEvent* event) {
    if (event->type() != ChildMessageEvent::kType) return QWidget::event(event);
    auto& message = static_cast<ChildMessageEvent&>(*event);
    message.handled = true;
    switch (message.message) {
    case kMsgQueryRefreshCache: message.result = refresh_height() ? 1 : 0; break;
    // The screen's selection is the content's.
    case kMsgReceivedSelection:
    case kMsgLostSelection:
    case kMsgUserNavigation:
    case kMsgAction: message.result = send_child_message(m_content, message.message, message.wparam, message.lparam); break;
    default: message.result = pass_up(message); break;
    }
    return true;
}

intptr_t TabHostItem::pass_up(const ChildMessageEvent& message) {
    if (message.message != kMsgDrawWatermark) return send_child_message(parentWidget(), message.message, message.wparam, message.lparam);
    const auto* request = reinterpret_cast<const WatermarkRequest*>(message.lparam);
    if (!request) return 0;
    QWidget* from = request->item;
    if (from != this && (from == nullptr || from->parentWidget() != this)) return 0;
    WatermarkRequest moved = *request;
    moved.item = this;
    if (from != this) {
        moved.left += from->x();
        moved.top += from->y();
    }
    return send_child_message(parentWidget(), kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&moved));
}

QImage TabHostItem::tab_picture(Tab& tab, const QRect& rect) {
    const int stride = (rect.width() * 3 + 3) & ~3;
    gui::DecodedImage pixels { rect.width(), rect.height(), stride,
                               std::vector<uint8_t>(static_cast<size_t>(stride) * static_cast<size_t>(rect.height()), 0xFF) };
    WatermarkRequest behind { pixels.bits.data(), rect.width(), rect.height(), stride, rect.left(), rect.top(), this };
    send_child_message(parentWidget(), kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&behind));
    if (tab.clock) {
        const PaintTarget target { pixels.bits.data(), rect.width(), rect.height(), stride, this };
        const PaintRect whole { 0, 0, rect.width(), rect.height() };
        tab.clock->paint(&target, &whole);
    }
    return gui::to_image(pixels);
}

void TabHostItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const auto highlight = static_cast<uint32_t>(send_child_message(parentWidget(), kMsgGetColor, kColorHighlight));
    const QColor line(static_cast<int>(highlight & 0xFF), static_cast<int>((highlight >> 8) & 0xFF),
                      static_cast<int>((highlight >> 16) & 0xFF));
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        const QRect rect = tab_rect(i);
        if (rect.isEmpty()) continue;
        painter.drawImage(rect.topLeft(), tab_picture(m_tabs[i], rect));
        const QImage& icon = m_tabs[i].icon;
        if (!icon.isNull()) painter.drawImage(rect.left() + 2, rect.top() + (rect.height() - icon.height()) / 2, icon);
        painter.fillRect(rect.right(), rect.top(), 1, rect.height(), Qt::gray);
        if (i == m_selected) painter.fillRect(rect.left(), rect.bottom() - 1, rect.width(), 2, line);
    }
    if (m_tabs.empty()) painter.fillRect(0, 0, width(), m_strip_height, Qt::white);
}

void TabHostItem::mousePressEvent(QMouseEvent* event) {
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        if (!tab_rect(i).contains(event->position().toPoint())) continue;
        if (i != m_selected) select_tab(i);
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace zt::platform::today
