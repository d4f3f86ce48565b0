#include "app/dialogs/sound_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>

#include <algorithm>

#include "app/dialogs/minutes_picker.h"
#include "app/dialogs/skin_message_box.h"
#include "app/dialogs/sound_file_chooser.h"
#include "app/dialogs/sound_files.h"
#include "core/sound/device_alerting.h"
#include "core/sound/sound_file.h"
#include "core/sound/sound_manager.h"
#include "platform/gui/control_id.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;

constexpr int kMaxRepeatCount = 500;
constexpr uint32_t kMinimumPlayingSeconds = 60;
constexpr uint32_t kPresetPlayingSeconds = 60;
constexpr int kPresetRepeatCount = 20;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

std::u16string item_path(const QComboBox& list, int index) {
    return index < 0 ? std::u16string {} : list.itemData(index).toString().toStdU16String();
}

bool is_media(std::u16string_view path) { return sound::player_kind_for(path) == sound::PlayerKind::Media; }

// Long items (a sound's file name) must not widen the panel past a narrow screen.
QComboBox* narrowable_list(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(4);
    return list;
}

QComboBox* make_list(QWidget* parent, int32_t id, std::initializer_list<const char16_t*> items) {
    auto* list = narrowable_list(parent);
    // English items: the host dialog's look translates them as it initialises.
    for (const char16_t* item : items) list->addItem(to_qstring(item));
    platform::gui::set_control_id(*list, id);
    return list;
}

}  // namespace

CSoundPanel::CSoundPanel(core::CSoundAction& action, std::u16string application_folder, QWidget* parent,
                         ChooseSoundFile choose)
    : QWidget(parent),
      m_action(action),
      m_application_folder(std::move(application_folder)),
      m_choose(choose ? std::move(choose) : ChooseSoundFile(choose_sound_file)),
      m_sound_window([this](uint32_t message, uint64_t) { sound_message(message); }) {
    platform::gui::set_control_id(*this, kSoundPanelResource);
    m_repeat = make_list(this, kRepeatListId, { u"Number of repeats", u"Time to play" });
    m_count = new QSpinBox(this);
    m_count->setRange(1, kMaxRepeatCount);
    platform::gui::set_control_id(*m_count, kRepeatCountId);
    m_playing_time = make_minutes_picker(this, kPlayingTimeId);
    m_sounds = narrowable_list(this);
    platform::gui::set_control_id(*m_sounds, kSoundListId);
    m_play = new QPushButton(to_qstring(translate(u"Play")), this);
    platform::gui::set_control_id(*m_play, kPlayButtonId);
    m_volume = make_list(this, kVolumeListId, { u"Normal", u"Maximum", u"Ascending" });
    m_vibrate = new QCheckBox(QStringLiteral("Vibrate"), this);
    platform::gui::set_control_id(*m_vibrate, kVibrateId);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Repeat:"), this), 0, 0);
    layout->addWidget(m_repeat, 0, 1);
    layout->addWidget(m_count, 0, 2);
    layout->addWidget(m_playing_time, 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Sound:"), this), 1, 0);
    layout->addWidget(m_sounds, 1, 1);
    layout->addWidget(m_play, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Volume:"), this), 2, 0);
    layout->addWidget(m_volume, 2, 1);
    layout->addWidget(m_vibrate, 2, 2);
    layout->setColumnStretch(1, 1);

    const uint32_t mode = std::min<uint32_t>(m_action.repeat_mode, core::CSoundAction::kRepeatForTime);
    m_repeat->setCurrentIndex(static_cast<int>(mode));
    if (mode == core::CSoundAction::kRepeatCount) {
        m_count->setValue(static_cast<int>(std::min<uint32_t>(m_action.repeat_value, kMaxRepeatCount)));
        set_picker_seconds(*m_playing_time, kPresetPlayingSeconds);
    } else {
        m_count->setValue(kPresetRepeatCount);
        set_picker_seconds(*m_playing_time, m_action.repeat_value);
    }
    fill_sounds();
    m_volume->setCurrentIndex(m_action.volume_mode <= core::CSoundAction::kVolumeAscending
                                  ? static_cast<int>(m_action.volume_mode)
                                  : static_cast<int>(core::CSoundAction::kVolumeMaximum));
    m_vibrate->setChecked(m_action.vibrate);
    m_vibrate->setEnabled(sound::CDeviceAlerting::instance().has_vibrator());
    show_repeat_mode();

    QObject::connect(m_repeat, &QComboBox::currentIndexChanged, this, [this] { show_repeat_mode(); });
    QObject::connect(m_sounds, &QComboBox::activated, this, [this](int index) { sound_chosen(index); });
    QObject::connect(m_play, &QPushButton::clicked, this, [this] { play_or_stop(); });

    sound::CSoundManager& manager = sound::CSoundManager::instance();
    manager.SetApplicationFolder(m_application_folder);
    manager.SetNotificationWindow(&m_sound_window);
}

CSoundPanel::~CSoundPanel() {
    m_sound_window.close();
    sound::CSoundManager& manager = sound::CSoundManager::instance();
    manager.Stop();
    manager.SetNotificationWindow(nullptr);
}

void CSoundPanel::fill_sounds() {
    for (const std::u16string& path : offered_sound_files(m_application_folder))
        m_sounds->addItem(to_qstring(sound_file_name(path)), to_qstring(path));
    m_sounds->addItem(to_qstring(translate(u"Custom...")));
    const std::u16string& wanted = m_action.sound_file();
    int selected = 0;
    if (!wanted.empty()) {
        selected = -1;
        for (int index = 0; index + 1 < m_sounds->count() && selected < 0; ++index)
            if (same_sound_file(item_path(*m_sounds, index), wanted)) selected = index;
        if (selected < 0) selected = add_custom(wanted);
    }
    m_sounds->setCurrentIndex(selected);
    m_selected = selected;
}

int CSoundPanel::add_custom(const std::u16string& path) {
    int index = m_sounds->count() - 1;  // before "Custom..."
    m_sounds->insertItem(index, to_qstring(sound_file_name(path)), to_qstring(path));
    m_custom.push_back(path);
    if (static_cast<int>(m_custom.size()) > kMaxCustomSounds) {
        const int oldest = m_sounds->findData(to_qstring(m_custom.front()));
        m_custom.pop_front();
        if (oldest >= 0) {
            m_sounds->removeItem(oldest);
            if (oldest < index) --index;
        }
    }
    return index;
}

void CSoundPanel::sound_chosen(int index) {
    if (index != m_sounds->count() - 1) {
        m_selected = index;
        return;
    }
    const std::optional<std::u16string> chosen = m_choose(*this);
    if (!chosen || chosen->empty()) {
        m_sounds->setCurrentIndex(m_selected);
        return;
    }
    int found = -1;
    for (int row = 0; row + 1 < m_sounds->count() && found < 0; ++row)
        if (same_sound_file(item_path(*m_sounds, row), *chosen)) found = row;
    m_selected = found >= 0 ? found : add_custom(*chosen);
    m_sounds->setCurrentIndex(m_selected);
}

std::u16string CSoundPanel::selected_path() const { return item_path(*m_sounds, m_sounds->currentIndex()); }

void CSoundPanel::show_repeat_mode() {
    const bool by_time = m_repeat->currentIndex() == static_cast<int>(core::CSoundAction::kRepeatForTime);
    m_count->setVisible(!by_time);
    m_playing_time->setVisible(by_time);
}

bool CSoundPanel::validate() {
    const bool by_time = m_repeat->currentIndex() == static_cast<int>(core::CSoundAction::kRepeatForTime);
    if (by_time && picker_seconds(*m_playing_time) < kMinimumPlayingSeconds) {
        show_program_box(translate(u"Repeat time must be 1 minute or more."), msgbox::Icon::Error);
        m_playing_time->setFocus();
        return false;
    }
    const std::u16string path = selected_path();
    if (path.empty() || !sound::player_kind_for(path)) {
        show_program_box(translate(u"Choose the sound to play!"), msgbox::Icon::Error);
        m_sounds->setFocus();
        return false;
    }
    if (is_media(path) && m_volume->currentIndex() == static_cast<int>(core::CSoundAction::kVolumeAscending)) {
        show_program_box(translate(u"This type of volume changing is supported for wav files only."),
                         msgbox::Icon::Warning);
        m_volume->setFocus();
        return false;
    }
    return by_time || m_count->value() > 0;
}

void CSoundPanel::apply() {
    const bool by_time = m_repeat->currentIndex() == static_cast<int>(core::CSoundAction::kRepeatForTime);
    m_action.repeat_mode = by_time ? core::CSoundAction::kRepeatForTime : core::CSoundAction::kRepeatCount;
    m_action.repeat_value = by_time ? picker_seconds(*m_playing_time) : static_cast<uint32_t>(m_count->value());
    m_action.set_sound_file(selected_path());
    m_action.volume_mode = static_cast<uint32_t>(std::max(0, m_volume->currentIndex()));
    m_action.vibrate = m_vibrate->isChecked();
}

void CSoundPanel::play_or_stop() {
    sound::CSoundManager& manager = sound::CSoundManager::instance();
    if (manager.IsPlaying()) {
        manager.Stop();
        return;
    }
    const std::u16string path = selected_path();
    if (path.empty()) return;
    sound::SoundRequest request;
    request.sound_file = path;
    const bool by_time = m_repeat->currentIndex() == static_cast<int>(core::CSoundAction::kRepeatForTime);
    request.repeat_mode = by_time ? core::CSoundAction::kRepeatForTime : core::CSoundAction::kRepeatCount;
    // The preview plays as the alarm will: for the chosen playing time in that mode.
    request.repeat_value = by_time ? picker_seconds(*m_playing_time) : static_cast<uint32_t>(m_count->value());
    request.volume_mode = static_cast<uint32_t>(std::max(0, m_volume->currentIndex()));
    if (is_media(path) && request.volume_mode == core::CSoundAction::kVolumeAscending)
        request.volume_mode = core::CSoundAction::kVolumeNormal;
    request.vibrate = m_vibrate->isChecked();
    manager.SetNotificationWindow(&m_sound_window);
    manager.Play(request);
}

void CSoundPanel::sound_message(uint32_t message) {
    if (message == sound::kMsgSoundStarted) m_play->setText(to_qstring(translate(u"Stop")));
    if (message == sound::kMsgSoundEnded) m_play->setText(to_qstring(translate(u"Play")));
}

}  // namespace zt::app
