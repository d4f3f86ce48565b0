#include "app/dialogs/alarm_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTime>
#include <QTimeEdit>

#include <algorithm>

#include "app/dialogs/minutes_picker.h"
#include "app/dialogs/skin_message_box.h"
#include "app/dialogs/week_day_picker.h"
#include "app/model/alarm_notice.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/gui/control_id.h"
#include "platform/gui/help.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
namespace gui = platform::gui;

constexpr uint32_t kMinimumSnoozeSeconds = 60;
// The place of the date label and the week-day picker: 69 dialog units, about 104 pixels at
// 96 dots per inch.
constexpr int kDayPlaceWidth = 104;
constexpr int kDayPlaceHeight = 15;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

std::u16string_view english_heading(bool is_new) { return is_new ? u"New Alarm" : u"Alarm Options"; }

QTime picked_time(const core::CAlarm& alarm) {
    const platform::SYSTEMTIME& time = alarm.alarm_time;
    return QTime(std::min<int>(time.wHour, 23), std::min<int>(time.wMinute, 59), std::min<int>(time.wSecond, 59),
                 std::min<int>(time.wMilliseconds, 999));
}

}  // namespace

platform::SYSTEMTIME one_time_date(int hour, int minute, int second, const platform::SYSTEMTIME& now) {
    platform::SYSTEMTIME picked = now;
    picked.wHour = static_cast<uint16_t>(hour);
    picked.wMinute = static_cast<uint16_t>(minute);
    picked.wSecond = static_cast<uint16_t>(second);
    picked.wMilliseconds = 0;
    platform::SYSTEMTIME today = now;
    today.wMilliseconds = 0;
    const bool later_today = core::time_of_day_difference_ms(picked, today) > 0;
    platform::SYSTEMTIME date = core::add_milliseconds(now, later_today ? 0 : core::kMillisecondsPerDay);
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    return date;
}

CAlarmEditor::CAlarmEditor(core::CAlarm& alarm, bool is_new, core::CTimeStore& store, QWidget* parent,
                           ChooseSoundFile choose)
    : CProgramDialog(english_heading(is_new), parent), m_alarm(alarm), m_store(store) {
    gui::set_control_id(*this, kAlarmEditorResource);
    const gui::ScreenMetrics screen = gui::read_screen_metrics();

    m_date = new QLabel(this);
    gui::set_control_id(*m_date, kDateLabelId);
    m_time = new QTimeEdit(this);
    // The locale's clock decides the form; the pattern itself is the editor's.
    m_time->setDisplayFormat(gui::locale_time_indicator() == u"0" ? QStringLiteral("hh':'mm' 'AP")
                                                                   : QStringLiteral("HH':'mm"));
    gui::set_control_id(*m_time, kAlarmTimeId);
    m_disabled = new QCheckBox(QStringLiteral("Disabled"), this);
    gui::set_control_id(*m_disabled, kDisabledId);
    m_name = new QLineEdit(this);
    gui::set_control_id(*m_name, kNameId);
    m_kind = new QComboBox(this);
    // English items: the dialog's look translates them as it initialises.
    for (const char16_t* item : { u"Snooze", u"Auto snooze", u"Auto dismiss" }) m_kind->addItem(to_qstring(item));
    gui::set_control_id(*m_kind, kKindId);
    m_snooze = make_minutes_picker(this, kSnoozeId);
    m_sound = new CSoundPanel(*alarm.sound_action(), store.application_folder(), this, std::move(choose));

    auto* grid = new QGridLayout;
    const QRect day_place(0, 0, screen.scaled(kDayPlaceWidth), screen.scaled(kDayPlaceHeight));
    if (alarm.one_time()) {
        grid->addWidget(m_date, 0, 0, 1, 2);
    } else {
        m_date->hide();
        m_week_days = new CWeekDayPicker(day_place, alarm.flags & core::CAlarm::kDayMask, this);
        grid->addWidget(m_week_days, 0, 0, 1, 2, Qt::AlignLeft);
    }
    grid->addWidget(m_time, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(m_disabled, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Kind:"), this), 2, 0);
    grid->addWidget(m_kind, 2, 1);
    grid->addWidget(m_snooze, 2, 2);
    grid->setColumnStretch(1, 1);

    m_tools = new QMenu(this);
    QAction* set_default = m_tools->addAction(QStringLiteral("Set As Default"));
    gui::set_control_id(*set_default, static_cast<int32_t>(kSetAsDefaultCommand));
    QObject::connect(set_default, &QAction::triggered, this, [this] { on_command(kSetAsDefaultCommand); });
    m_soft_keys = make_editor_soft_keys(*this, [this](uint32_t command) { on_command(command); }, m_tools, true);
    lay_out_editor(*this, grid, m_sound, false, *m_soft_keys);

    m_disabled->setChecked(!alarm.enabled());
    m_time->setTime(picked_time(alarm));
    m_kind->setCurrentIndex(static_cast<int>(std::min<uint32_t>(alarm.kind, 2)));
    set_picker_seconds(*m_snooze, alarm.snooze_minutes * 60);
    m_name->setText(to_qstring(alarm.name));
    if (alarm.one_time()) {
        refresh_date_label();
        m_timers.set(kDateLabelTimer, kDateLabelPeriodMs);
    }
    // A device window, so the device (and its tools) see the editor the user or a command line
    // opened.
    m_pump = make_dialog_window(*this, english_heading(is_new));
}

CAlarmEditor::~CAlarmEditor() = default;

void CAlarmEditor::refresh_date_label() {
    if (!m_alarm.one_time()) return;
    const QTime picked = m_time->time();
    const platform::SYSTEMTIME date = one_time_date(picked.hour(), picked.minute(), picked.second(), platform::local_time());
    m_date->setText(to_qstring(gui::format_locale_short_date(date.wYear, date.wMonth, date.wDay)));
}

bool CAlarmEditor::validate() {
    if (!m_sound->validate()) return false;
    if (picker_seconds(*m_snooze) < kMinimumSnoozeSeconds) {
        show_program_box(translate(u"Snooze time must be 1 minute or more."), msgbox::Icon::Error);
        m_snooze->setFocus();
        return false;
    }
    return true;
}

void CAlarmEditor::apply_to(core::CAlarm& alarm) {
    // Only a change of state ends a snooze here; OK ends it when the time or length changed.
    if (alarm.enabled() == m_disabled->isChecked()) alarm.set_enabled(!m_disabled->isChecked());
    const QTime picked = m_time->time();
    alarm.alarm_time.wHour = static_cast<uint16_t>(picked.hour());
    alarm.alarm_time.wMinute = static_cast<uint16_t>(picked.minute());
    alarm.alarm_time.wSecond = static_cast<uint16_t>(picked.second());
    alarm.alarm_time.wMilliseconds = static_cast<uint16_t>(picked.msec());
    alarm.fix_one_time_date(platform::local_time());
    alarm.kind = static_cast<uint32_t>(std::max(0, m_kind->currentIndex()));
    alarm.snooze_minutes = picker_seconds(*m_snooze) / 60;
    if (!alarm.one_time() && m_week_days)
        alarm.flags = (alarm.flags & ~core::CAlarm::kDayMask) | (m_week_days->selection() & core::CAlarm::kDayMask);
    alarm.name = m_name->text().toStdU16String();
    m_sound->apply();
}

bool CAlarmEditor::confirm() {
    if (!validate()) return false;
    const platform::SYSTEMTIME old_time = m_alarm.alarm_time;
    const uint32_t old_snooze = m_alarm.snooze_minutes;
    apply_to(m_alarm);
    if (m_alarm.snooze_minutes != old_snooze || core::time_of_day_difference_ms(m_alarm.alarm_time, old_time) != 0)
        m_alarm.clear_snooze();
    accept();
    return true;
}

bool CAlarmEditor::set_as_default() {
    if (!validate()) return false;
    // The panel edits the alarm's own action: the copy keeps it too.
    core::CAlarm before(m_alarm.id());
    m_alarm.copy_to(before);
    apply_to(m_alarm);
    m_store.save_as_default(m_alarm);
    before.copy_to(m_alarm);
    return true;
}

void CAlarmEditor::on_command(uint32_t command) {
    switch (command) {
    case kEditorOkCommand: confirm(); break;
    case kEditorCancelCommand: reject(); break;
    case kSetAsDefaultCommand: set_as_default(); break;
    case kEditorHelpCommand: gui::start_help(kAlarmEditorHelpTopic); break;
    default: break;
    }
}

std::optional<int32_t> open_alarm_editor(core::CTimeStore& store, const AlarmEditRequest& request, QWidget* parent,
                                         RunAlarmEditor run) {
    if (!run) run = [](CAlarmEditor& editor) { return editor.exec(); };
    std::unique_ptr<core::CAlarm> made;
    core::CAlarm* alarm = nullptr;
    if (request.alarm_id) {
        alarm = store.find_alarm(*request.alarm_id);
        if (!alarm) return std::nullopt;
    } else {
        made = new_alarm_from_default(store, request.one_time);
        alarm = made.get();
    }
    {
        CAlarmEditor editor(*alarm, made != nullptr, store, parent);
        if (run(editor) != QDialog::Accepted) return std::nullopt;  // a new alarm goes with `made`
    }
    if (made) return store_new_alarm(store, std::move(made));
    store_changed_alarm(store, *alarm);
    return alarm->id();
}

}  // namespace zt::app
