#include "ringout/ring_program.h"

#include <QCoreApplication>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/today_item.h"
#include "core/notification_schedule.h"
#include "platform/gui/debug_bridge.h"
#include "platform/gui/hardware_keys.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/window_message_event.h"
#include "platform/windows/window_lookup.h"
#include "core/sound/sound_manager.h"

namespace zt::ringout {

RingFrame::RingFrame(zt::core::CTimeStore& store, LoadStrips load_strips, Translate translate)
    : m_translate(translate) {
    std::promise<RingStrips> loaded;
    m_loaded_strips = loaded.get_future();
    const auto load = [load_strips = std::move(load_strips)]() -> RingStrips {
        try {
            return load_strips ? load_strips() : RingStrips {};
        } catch (...) {
            return {};  // no images: the window works as with a skin that lacks them
        }
    };
    try {
        m_strips_loader = std::thread([this, load, loaded = std::move(loaded)]() mutable {
            loaded.set_value(load());
            QMetaObject::invokeMethod(this, [this] { take_loaded_strips(); }, Qt::QueuedConnection);
        });
    } catch (...) {
        m_strips = load();  // no thread to spare: load them here, before anything rings
    }
    // Every pen tap and key of the program counts as the user's activity on the device.
    zt::platform::gui::install_user_activity_signal();
    zt::platform::gui::install_hot_key_routing();
    zt::platform::gui::install_debug_bridge();
    sound::CSoundManager::instance().SetNotificationWindow(&m_sound_window);
    sound::CSoundManager::instance().SetApplicationFolder(store.application_folder());
    m_controller = std::make_unique<CRingController>(store, *this, *this, std::move(translate));
    // Never shown: it exists so the device (and a second copy) can find the running program.
    m_pump = zt::platform::QtMessagePump::create(kFrameClass, u"Ringout", this,
                                                 zt::platform::WindowOptions { .visible = false });
}

RingFrame::~RingFrame() {
    if (m_strips_loader.joinable()) m_strips_loader.join();
    m_sound_window.close();
    sound::CSoundManager::instance().Stop();
    sound::CSoundManager::instance().SetNotificationWindow(nullptr);
}

void RingFrame::start() {
    m_controller->DueCheck();
    if (!m_controller->quit_posted()) m_window_timers.set(CRingController::kDueCheckTimer, CRingController::kDueCheckPeriodMs);
}

bool RingFrame::event(QEvent* event) {
    if (event->type() == zt::platform::WindowMessageEvent::event_type()) {
        auto* message = static_cast<zt::platform::WindowMessageEvent*>(event);
        if (message->message().number == zt::platform::WM_CLOSE) {
            sound::CSoundManager::instance().Stop();
            destroy_ringing();
            quit();
            message->set_answer(0);
        }
        return true;
    }
    return QWidget::event(event);
}

void RingFrame::on_message(uint32_t message, uint64_t playback) {
    if (message == sound::kMsgSoundEnded) m_controller->OnSoundEnded(playback);
}

void RingFrame::on_timer(uint32_t id) {
    if (id == CRingController::kDueCheckTimer) m_controller->DueCheck();
}

uint64_t RingFrame::play(const sound::SoundRequest& request) {
    sound::CSoundManager& manager = sound::CSoundManager::instance();
    const uint64_t before = manager.LastPlayback();
    manager.Play(request);
    const uint64_t after = manager.LastPlayback();
    return after != before ? after : 0;
}
void RingFrame::stop() { sound::CSoundManager::instance().Stop(); }
bool RingFrame::is_playing() const { return sound::CSoundManager::instance().IsPlaying(); }

void RingFrame::post_item_command(int32_t item_id, contracts::ItemCommand command, uint32_t argument) {
    for (const char16_t* receiver : { contracts::kMainProgramClass, contracts::kTodayItemClass }) {
        if (auto window = zt::platform::find_window(std::u16string_view(receiver))) {
            zt::platform::post_message(window->handle, contracts::kMsgItemCommand, static_cast<uint32_t>(item_id),
                                       contracts::item_command_parameter(command, static_cast<uint16_t>(argument)));
        }
    }
}

void RingFrame::remember_foreground() {
    m_foreground.remember(m_ring_window ? m_ring_window->device_window() : 0);
}

void RingFrame::restore_foreground() {
    // Our windows are hidden by now; the remembered window is asked to come forward again.
    m_foreground.restore();
}

void RingFrame::take_loaded_strips() {
    if (!m_loaded_strips.valid()) return;
    m_strips = m_loaded_strips.get();
    if (m_ring_window) m_ring_window->update();
}

void RingFrame::show_ringing(const RingEntry& entry) {
    if (m_loaded_strips.valid() && m_loaded_strips.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        take_loaded_strips();
    }
    if (!m_ring_window) {
        m_ring_window = std::make_unique<RingWindow>(
            m_strips, [this](uint32_t command) { answer_command(*m_controller, command); }, m_translate);
    }
    m_ring_window->show_entry(entry);
}

void RingFrame::hide_ringing() {
    if (m_ring_window) m_ring_window->hide_entry();
}

void RingFrame::destroy_ringing() { m_ring_window.reset(); }

void RingFrame::register_next_due(const zt::core::DueItem& due) { zt::core::CNotificationScheduler().schedule_due(due); }

void RingFrame::quit() {
    m_window_timers.kill(CRingController::kDueCheckTimer);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace zt::ringout
