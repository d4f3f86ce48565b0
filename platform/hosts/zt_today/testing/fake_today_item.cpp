// A Today item library for the screen's tests. It logs every message it gets, one line each,
// to the file named by ZT_FAKE_ITEM_LOG ("<name> <event> [<number>]"), and paints what it asks
// its parent for: the background behind it (kMsgDrawWatermark), a block of kItemColour at its
// left edge and a square of the text colour (kMsgGetColor) beside it.
//
// Its list entry's "Type" steers it: the low 16 bits are its first height; 0x10000 refuses the
// selection; 0x20000 moves within itself on the first Up/Down it gets while selected. Each
// refresh grows it by 10 pixels, up to 40 more than its first height.
//
// For the tabbed host it makes an item "Embedded" 40 high, a 10 x 10 tab icon of kIconColour,
// and a tab clock that logs its calls ("clock ...") and paints a 6 x 6 square of kClockColour
// at the centre of what it is given.
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/testing/fake_log.h"
#include "platform/gui/image_decoder.h"
#include "platform/gui/today_item_abi.h"

namespace {

using namespace zt::platform::today;

constexpr QRgb kItemColour = 0xFF00A000;
constexpr uint32_t kRefusesSelection = 0x10000;
constexpr uint32_t kNavigatesOnce = 0x20000;
constexpr uint32_t kGrowth = 10;
constexpr uint32_t kMostGrowth = 40;
constexpr QRgb kIconColour = 0xFFC000C0;
constexpr QRgb kClockColour = 0xFF0000C0;

void log_line(const std::string& line) { zt::platform::testing::append_fake_log("ZT_FAKE_ITEM_LOG", line); }

class FakeItem final : public QWidget {
public:
    FakeItem(const TodayListItem& entry, QWidget* parent)
        : QWidget(parent), m_name(QString::fromUtf16(entry.name).toStdString()), m_type(entry.type),
          m_first_height(entry.type & 0xFFFF) {
        setObjectName(QString::fromStdString(m_name));
        log("init");
    }
    ~FakeItem() override { log("destroyed"); }

protected:
    bool event(QEvent* event) override {
        if (event->type() != ChildMessageEvent::kType) return QWidget::event(event);
        auto& message = static_cast<ChildMessageEvent&>(*event);
        message.handled = true;
        message.result = answer(message);
        return true;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (width() <= 0 || height() <= 0) return;
        zt::platform::gui::DecodedImage behind;
        behind.width = width();
        behind.height = height();
        behind.stride = (behind.width * 3 + 3) & ~3;
        behind.bits.assign(static_cast<size_t>(behind.stride) * static_cast<size_t>(behind.height), 0);
        WatermarkRequest request { behind.bits.data(), behind.width, behind.height, behind.stride, 0, 0, this };
        if (send_child_message(parentWidget(), kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&request)) == 1)
            painter.drawImage(0, 0, zt::platform::gui::to_image(behind));
        else
            painter.fillRect(rect(), Qt::magenta);
        painter.fillRect(0, 0, 20, height(), QColor::fromRgb(kItemColour));
        const auto text = static_cast<uint32_t>(send_child_message(parentWidget(), kMsgGetColor, kColorText));
        painter.fillRect(24, 2, 6, 6, QColor(static_cast<int>(text & 0xFF), static_cast<int>((text >> 8) & 0xFF),
                                            static_cast<int>((text >> 16) & 0xFF)));
    }

private:
    void log(const std::string& what, uintptr_t number = 0, bool with_number = false) {
        log_line(m_name + " " + what + (with_number ? " " + std::to_string(number) : ""));
    }

    intptr_t answer(const ChildMessageEvent& message) {
        switch (message.message) {
        case kMsgQueryRefreshCache: {
            auto* entry = reinterpret_cast<TodayListItem*>(message.lparam);
            if (!entry || entry->height >= m_first_height + kMostGrowth) return 0;
            entry->height = entry->height < m_first_height ? m_first_height : entry->height + kGrowth;
            log("refresh", entry->height, true);
            return 1;
        }
        case kMsgReceivedSelection: log("received", message.wparam, true); return (m_type & kRefusesSelection) ? 0 : 1;
        case kMsgLostSelection: log("lost"); return 0;
        case kMsgUserNavigation:
            log("navigation", message.wparam, true);
            if ((m_type & kNavigatesOnce) && !m_navigated) {
                m_navigated = true;
                return 1;
            }
            return 0;
        case kMsgAction: log("action"); return 0;
        default: return 0;
        }
    }

    std::string m_name;
    uint32_t m_type { 0 };
    uint32_t m_first_height { 0 };
    bool m_navigated { false };
};

class FakeClock final : public SmartPlugin {
public:
    int32_t query_interface(const InterfaceId* iid, void** result) override {
        if (!iid || !result) return kInvalidArgument;
        if (*iid != kIidUnknown && *iid != kIidSmartPlugin) return kNoInterface;
        add_ref();
        *result = this;
        return kOk;
    }
    uint32_t add_ref() override { return ++m_references; }
    uint32_t release() override {
        log_line("clock release " + std::to_string(m_references - 1));
        if (--m_references > 0) return m_references;
        delete this;
        return 0;
    }
    int32_t set_up(uint32_t, uint32_t, uint32_t) override {
        log_line("clock set_up");
        return kOk;
    }
    int32_t paint(const PaintTarget* target, const PaintRect* rect) override {
        if (!target || !rect || !target->bits) return kInvalidArgument;
        const int cx = (rect->left + rect->right) / 2;
        const int cy = (rect->top + rect->bottom) / 2;
        for (int y = std::max(cy - 3, 0); y < std::min(cy + 3, target->height); ++y) {
            uint8_t* row = target->bits + static_cast<size_t>(target->height - 1 - y) * static_cast<size_t>(target->stride);
            for (int x = std::max(cx - 3, 0); x < std::min(cx + 3, target->width); ++x) {
                row[x * 3] = static_cast<uint8_t>(qBlue(kClockColour));
                row[x * 3 + 1] = static_cast<uint8_t>(qGreen(kClockColour));
                row[x * 3 + 2] = static_cast<uint8_t>(qRed(kClockColour));
            }
        }
        return kOk;
    }
    int32_t update() override {
        log_line("clock update");
        return kOk;
    }
    int32_t set_size(uint32_t first, uint32_t second) override {
        log_line("clock set_size " + std::to_string(first) + " " + std::to_string(second));
        return kOk;
    }
    int32_t destroy() override {
        log_line("clock destroy");
        return kOk;
    }

private:
    ~FakeClock() = default;
    uint32_t m_references { 0 };
};

}  // namespace

extern "C" __attribute__((visibility("default"))) QWidget* InitializeEmbeddedItem(QWidget* parent) {
    TodayListItem entry;
    std::copy_n(u"Embedded", 8, entry.name);
    entry.enabled = true;
    entry.type = 40;
    return new FakeItem(entry, parent);
}

extern "C" __attribute__((visibility("default"))) bool GetTabIcon(QImage* icon) {
    if (!icon) return false;
    *icon = QImage(10, 10, QImage::Format_RGB32);
    icon->fill(kIconColour);
    return true;
}

extern "C" __attribute__((visibility("default"))) int32_t GetSmartPluginInterface(SmartPlugin** result) {
    if (!result) return kFail;
    auto* clock = new FakeClock;
    clock->add_ref();
    *result = clock;
    return kOk;
}

extern "C" __attribute__((visibility("default"))) QWidget* InitializeCustomItem(TodayListItem* item, QWidget* parent) {
    if (!item || !item->enabled) return nullptr;
    item->height = item->type & 0xFFFF;
    return new FakeItem(*item, parent);
}

extern "C" __attribute__((visibility("default"))) intptr_t CustomItemOptionsDlgProc(QWidget* dialog, uint32_t message,
                                                                                    uintptr_t, intptr_t) {
    if (message != kMsgInitDialog) return 0;
    log_line("options init");
    if (std::getenv("ZT_FAKE_ITEM_KEEP_OPTIONS")) {
        new QLabel(QStringLiteral("Fake options"), dialog);
    } else {
        end_options_dialog(dialog, 0);
    }
    return 0;
}
