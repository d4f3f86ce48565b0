// A Today item library for the screen's tests. It logs every message it gets, one line each,
// to the file named by ZT_FAKE_ITEM_LOG ("<name> <event> [<number>]"), and paints what it asks
// its parent for: the background behind it (kMsgDrawWatermark), a block of kItemColour at its
// left edge and a square of the text colour (kMsgGetColor) beside it.
//
// Its list entry's "Type" steers it: the low 16 bits are its first height; 0x10000 refuses the
// selection; 0x20000 moves within itself on the first Up/Down it gets while selected. Each
// refresh grows it by 10 pixels, up to 40 more than its first height.
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gui/image_decoder.h"
#include "platform/gui/today_item_abi.h"

namespace {

using namespace zt::platform::today;

constexpr QRgb kItemColour = 0xFF00A000;
constexpr uint32_t kRefusesSelection = 0x10000;
constexpr uint32_t kNavigatesOnce = 0x20000;
constexpr uint32_t kGrowth = 10;
constexpr uint32_t kMostGrowth = 40;

void log_line(const std::string& line) {
    const char* file = std::getenv("ZT_FAKE_ITEM_LOG");
    if (!file) return;
    if (FILE* out = std::fopen(file, "a")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

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
            entry->height += kGrowth;
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

}  // namespace

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
