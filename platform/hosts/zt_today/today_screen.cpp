#include "platform/hosts/zt_today/today_screen.h"

#include <QDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/gui/hardware_keys.h"
#include "platform/gui/shell_frame.h"
#include "platform/hosts/zt_today/item_area.h"
#include "platform/hosts/zt_today/options_dialog.h"
#include "platform/hosts/zt_today/today_background.h"

namespace zt::platform::today {

// The scroll view lays the items out again whenever its own size changes (rotation, bars).
class TodayScreen::Scroller final : public QScrollArea {
public:
    explicit Scroller(TodayScreen& screen) : m_screen(screen) {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidgetResizable(false);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        m_screen.lay_out();
    }

private:
    TodayScreen& m_screen;
};

TodayScreen::TodayScreen(const std::vector<TodayItemEntry>& entries)
    : m_frame(std::make_unique<gui::ShellFrame>(kTodayTitle)) {
    auto* layout = new QVBoxLayout(&m_frame->content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroller = new Scroller(*this);
    layout->addWidget(m_scroller);
    m_area = new ItemArea;
    m_scroller->setWidget(m_area);
    m_area->set_view_hooks({
        .scroll_to_top = [this] { m_scroller->verticalScrollBar()->setValue(0); },
        .ensure_visible = [this](QWidget* item) { m_scroller->ensureWidgetVisible(item, 0, 0); },
        .laid_out =
            [this](bool scrolls) {
                m_scroller->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            },
    });
    layout->activate();
    load_background();
    lay_out();
    m_area->load(entries);

    m_menu.setTitle(QString::fromUtf16(kItemsMenuText));
    m_frame->soft_key_bar().add_menu_button(kItemsMenuText, &m_menu, [this](QMenu&) { fill_items_menu(); });
    m_frame->on_setting_change([this](const gui::ScreenMetrics&) {
        load_background();
        lay_out();
    });
    m_keys = new gui::HardwareKeys(*m_frame, [this](uint32_t key_code) { return m_area->key(key_code); });

    m_refresh.setInterval(kRefreshMs);
    QObject::connect(&m_refresh, &QTimer::timeout, m_area, [this] { m_area->refresh(); });
    m_refresh.start();
}

TodayScreen::~TodayScreen() {
    m_refresh.stop();
    for (auto& dialog : m_dialogs) delete dialog.data();
    m_frame.reset();
}

void TodayScreen::show() { m_frame->show(); }

void TodayScreen::lay_out() {
    if (!m_scroller || !m_area) return;
    const int extent = m_scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroller);
    m_area->lay_out(m_scroller->size(), extent);
}

void TodayScreen::load_background() { m_area->set_background(load_today_background(m_frame->metrics().width)); }

void TodayScreen::fill_items_menu() {
    m_menu.clear();
    const auto entries = m_area->options_entries();
    if (entries.empty()) {
        m_menu.addAction(QStringLiteral("(no item options)"))->setEnabled(false);
        return;
    }
    for (const auto& entry : entries) {
        const OptionsDialogFunction procedure = entry.procedure;
        QObject::connect(m_menu.addAction(QString::fromStdU16String(entry.name)), &QAction::triggered, m_frame.get(),
                         [this, procedure] {
                             std::erase_if(m_dialogs, [](const QPointer<QDialog>& open) { return open.isNull(); });
                             if (QDialog* dialog = open_item_options(*m_frame, procedure)) m_dialogs.emplace_back(dialog);
                         });
    }
}

}  // namespace zt::platform::today
