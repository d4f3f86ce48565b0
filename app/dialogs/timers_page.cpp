#include "app/dialogs/timers_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/timer.h"
#include "platform/gui/control_id.h"

namespace zt::app {
namespace {

constexpr char16_t kNoSleepValue[] = u"NoSleepOnTimers";
constexpr char16_t kKeepBacklightValue[] = u"KeepBacklight";

// In English: the page's look translates its captions.
QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QCheckBox* make_check_box(std::u16string_view caption, QWidget* parent) { return new QCheckBox(to_qstring(caption), parent); }

}  // namespace

TimersPage::TimersPage(QWidget* parent) : CProgramPage(u"Timers", parent) {
    // Only this page's values: saving must not write back what other pages or the main dialog
    // hold in their own copies.
    m_settings.register_number(kNoSleepValue, 1);
    m_settings.register_number(kKeepBacklightValue, 1);
    m_settings.load();
    set_help_topic(kTimersHelpTopic);

    auto* layout = new QVBoxLayout(this);
    m_no_sleep = make_check_box(u"No sleep on timers", this);
    m_keep_backlight = make_check_box(u"Keep backlight on timers", this);
    m_no_sleep->setChecked(m_settings.number(kNoSleepValue) != 0);
    m_keep_backlight->setChecked(m_settings.number(kKeepBacklightValue) != 0);
    layout->addWidget(m_no_sleep);
    layout->addWidget(m_keep_backlight);

    // The countdown screen's slots start from these; the page only shows them.
    m_presets = new QListWidget(this);
    platform::gui::set_control_id(*m_presets, kPresetListId);
    m_presets->setSelectionMode(QAbstractItemView::NoSelection);
    m_presets->setFocusPolicy(Qt::NoFocus);
    for (uint32_t seconds : core::CTimer::kDefaultIntervals) m_presets->addItem(to_qstring(core::format_interval(seconds)));
    layout->addWidget(new QLabel(QStringLiteral("Countdown presets:"), this));
    layout->addWidget(m_presets, 1);
}

void TimersPage::save() {
    m_settings.set_number(kNoSleepValue, m_no_sleep->isChecked() ? 1 : 0);
    m_settings.set_number(kKeepBacklightValue, m_keep_backlight->isChecked() ? 1 : 0);
    m_settings.save();
}

}  // namespace zt::app
