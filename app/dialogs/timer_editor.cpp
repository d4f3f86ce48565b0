#include "app/dialogs/timer_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

#include "app/dialogs/editor_frame.h"
#include "app/dialogs/skin_message_box.h"
#include "app/model/alarm_notice.h"
#include "core/time_store.h"
#include "core/timer.h"
#include "platform/gui/control_id.h"
#include "platform/gui/help.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
namespace gui = platform::gui;

// The digit display shows at most 99 hours.
constexpr int kMaxHours = 99;
constexpr uint32_t kLongestInterval = kMaxHours * 3600 + 59 * 60 + 59;
constexpr char16_t kHeading[] = u"Timer Options";

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

QSpinBox* make_field(QWidget* parent, int maximum, int32_t id) {
    auto* field = new QSpinBox(parent);
    field->setRange(0, maximum);
    field->setWrapping(true);
    gui::set_control_id(*field, id);
    return field;
}

// "Timer interval is less than %u sec!" with the least interval in place of "%u", after
// translation, so a translation may put the number anywhere.
std::u16string interval_message() {
    const std::string digits = std::to_string(kMinimumTimerInterval);
    return fill_in(translate(u"Timer interval is less than %u sec!"), u"%u", std::u16string(digits.begin(), digits.end()));
}

}  // namespace

bool is_valid_timer_name(std::u16string_view name) { return name.find_first_of(u";=") == std::u16string_view::npos; }

CTimerEditor::CTimerEditor(core::CTimer& timer, core::CTimeStore& store, QWidget* parent, ChooseSoundFile choose)
    : CProgramDialog(kHeading, parent), m_timer(timer) {
    gui::set_control_id(*this, kTimerEditorResource);

    m_hours = make_field(this, kMaxHours, kIntervalHoursId);
    m_minutes = make_field(this, 59, kIntervalMinutesId);
    m_seconds = make_field(this, 59, kIntervalSecondsId);
    m_name = new QLineEdit(this);
    gui::set_control_id(*m_name, kTimerNameId);
    m_kind = new QComboBox(this);
    // English items: the dialog's look translates them as it initialises.
    for (const char16_t* item : { u"Normal", u"Auto restart" }) m_kind->addItem(to_qstring(item));
    gui::set_control_id(*m_kind, kTimerKindId);
    m_sound = new CSoundPanel(*timer.sound_action(), store.application_folder(), this, std::move(choose));

    auto* interval = new QHBoxLayout;
    interval->setSpacing(2);
    interval->addWidget(m_hours);
    interval->addWidget(new QLabel(QStringLiteral(":"), this));
    interval->addWidget(m_minutes);
    interval->addWidget(new QLabel(QStringLiteral(":"), this));
    interval->addWidget(m_seconds);
    interval->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Interval:"), this), 0, 0);
    grid->addLayout(interval, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kind:"), this), 2, 0);
    grid->addWidget(m_kind, 2, 1);
    grid->setColumnStretch(1, 1);

    m_soft_keys = make_editor_soft_keys(*this, [this](uint32_t command) { on_command(command); }, nullptr, true);
    lay_out_editor(*this, grid, m_sound, false, *m_soft_keys);

    set_interval_seconds(timer.interval);
    m_name->setText(to_qstring(timer.name));
    m_kind->setCurrentIndex(timer.kind == core::CTimer::kKindAutoRestart ? 1 : 0);
    m_pump = make_dialog_window(*this, kHeading);
}

CTimerEditor::~CTimerEditor() = default;

uint32_t CTimerEditor::interval_seconds() const {
    return static_cast<uint32_t>(m_hours->value() * 3600 + m_minutes->value() * 60 + m_seconds->value());
}

void CTimerEditor::set_interval_seconds(uint32_t seconds) {
    seconds = std::min(seconds, kLongestInterval);
    m_hours->setValue(static_cast<int>(seconds / 3600));
    m_minutes->setValue(static_cast<int>(seconds / 60 % 60));
    m_seconds->setValue(static_cast<int>(seconds % 60));
}

bool CTimerEditor::validate() {
    if (interval_seconds() < kMinimumTimerInterval) {
        show_program_box(interval_message(), msgbox::Icon::Error);
        m_seconds->setFocus();
        return false;
    }
    if (!is_valid_timer_name(m_name->text().toStdU16String())) {
        show_program_box(translate(u"Invalid character in the timer name!"), msgbox::Icon::Error);
        m_name->setFocus();
        return false;
    }
    return m_sound->validate();
}

bool CTimerEditor::confirm() {
    if (!validate()) return false;
    m_timer.interval = interval_seconds();
    m_timer.name = m_name->text().toStdU16String();
    m_timer.kind = m_kind->currentIndex() == 1 ? core::CTimer::kKindAutoRestart : core::CTimer::kKindNormal;
    m_sound->apply();
    accept();
    return true;
}

void CTimerEditor::on_command(uint32_t command) {
    switch (command) {
    case kEditorOkCommand: confirm(); break;
    case kEditorCancelCommand: reject(); break;
    case kEditorHelpCommand: gui::start_help(kTimerEditorHelpTopic); break;
    default: break;
    }
}

bool run_timer_editor(core::CTimer& timer, core::CTimeStore& store, QWidget* parent, RunTimerEditor run) {
    if (timer.count_up || !timer.sound_action()) return false;
    if (!run) run = [](CTimerEditor& editor) { return editor.exec(); };
    {
        CTimerEditor editor(timer, store, parent);
        if (run(editor) != QDialog::Accepted) return false;
    }
    // A new interval (or a new kind) makes no sense halfway through a run.
    timer.reset();
    timer.save();
    announce_alarm_change(store, timer.id(), contracts::ItemCommand::Change);
    return true;
}

}  // namespace zt::app
