#include "app/dialogs/timers_page.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace zt::app {
namespace {

constexpr char16_t kNoSleepValue[] = u"NoSleepOnTimers";
constexpr char16_t kKeepBacklightValue[] = u"KeepBacklight";

// In English: the page's look translates its captions.
QCheckBox* make_check_box(std::u16string_view caption, QWidget* parent) {
    return new QCheckBox(QString::fromUtf16(caption.data(), static_cast<qsizetype>(caption.size())), parent);
}

}  // namespace

TimersPage::TimersPage(QWidget* parent) : CProgramPage(u"Timers", parent) {
    // Only this page's values: saving must not write back what other pages or the main dialog
    // hold in their own copies.
    m_settings.register_number(kNoSleepValue, 1);
    m_settings.register_number(kKeepBacklightValue, 1);
    m_settings.load();

    auto* layout = new QVBoxLayout(this);
    m_no_sleep = make_check_box(u"No sleep on timers", this);
    m_keep_backlight = make_check_box(u"Keep backlight on timers", this);
    m_no_sleep->setChecked(m_settings.number(kNoSleepValue) != 0);
    m_keep_backlight->setChecked(m_settings.number(kKeepBacklightValue) != 0);
    layout->addWidget(m_no_sleep);
    layout->addWidget(m_keep_backlight);
    layout->addStretch();
}

void TimersPage::save() {
    m_settings.set_number(kNoSleepValue, m_no_sleep->isChecked() ? 1 : 0);
    m_settings.set_number(kKeepBacklightValue, m_keep_backlight->isChecked() ? 1 : 0);
    m_settings.save();
}

}  // namespace zt::app
