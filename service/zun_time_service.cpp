#include "service/zun_time_service.h"

#include <array>
#include <thread>

#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/notification_schedule.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/kernel/waitable.h"
#include "platform/power/user_activity.h"
#include "platform/registry/registry.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "service/alarm_responder.h"
#include "service/screen_saver_idle.h"
#include "service/service_window_handler.h"

namespace zt::service {
namespace {

using zt::platform::Event;
using zt::platform::ResetPolicy;
using zt::platform::Thread;
using zt::platform::Waitable;
using zt::platform::WaitAnyResult;

std::optional<Event> open_named_event(std::u16string_view name) {
    auto opened = Event::create_or_open(name, ResetPolicy::Manual, false);
    if (!opened) return std::nullopt;
    return std::move(opened->event);
}

// The device loses every registration when its damaged notification volume is made anew;
// the installation's time-change registration would then never come back, and clock changes
// would no longer reach the service.
void renew_time_change_registration() {
    using zt::platform::registry::Key;
    std::optional<Key> settings = Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    if (!settings) return;
    zt::core::CNotificationScheduler().renew_on_event(&*settings, zt::core::NotificationTrigger::kEventTimeChange,
                                                     zt::contracts::kTimeChangeNotifyName);
}

}  // namespace

ZunTimeService::ZunTimeService(Event stop, Event activity, Event alarm, Event time_change)
    : m_stop(std::move(stop)), m_activity(std::move(activity)), m_alarm(std::move(alarm)),
      m_time_change(std::move(time_change)) {}

ZunTimeService::~ZunTimeService() {
    stop();
}

std::unique_ptr<ZunTimeService> ZunTimeService::start() {
    auto stop = Event::create_unnamed(ResetPolicy::Manual, false);
    auto activity = open_named_event(zt::platform::kUserActivityEventName);
    auto alarm = open_named_event(contracts::kAlarmNotifyName);
    auto time_change = open_named_event(contracts::kTimeChangeNotifyName);
    if (!stop || !activity || !alarm || !time_change) return nullptr;

    std::unique_ptr<ZunTimeService> service(
        new ZunTimeService(std::move(*stop), std::move(*activity), std::move(*alarm), std::move(*time_change)));
    service->m_state.reload_settings();
    // Before any thread runs: a registration used up while the device was down, or by a
    // Ringout that died, is made again, and nothing else schedules concurrently yet.
    zt::core::CTimeStore& store = zt::core::CTimeStore::instance();
    zt::core::install_reschedule_hook(store);
    AlarmResponder(service->m_device, zt::core::device_notifications(), store).reschedule();
    renew_time_change_registration();
    ZunTimeService* self = service.get();
    service->m_screen_saver_thread = Thread::create([self] { return self->run_screen_saver_thread(); });
    service->m_alarm_thread = Thread::create([self] { return self->run_alarm_thread(); });
    service->m_window_thread = Thread::create([self] { return self->run_window_thread(); });
    if (!service->m_screen_saver_thread || !service->m_alarm_thread || !service->m_window_thread) {
        service->stop();
        return nullptr;
    }
    return service;
}

uint32_t ZunTimeService::run_screen_saver_thread() {
    ScreenSaverIdle idle(m_state, m_device, zt::platform::local_time());
    std::array<Waitable*, 2> objects { &m_activity, &m_stop };
    for (;;) {
        idle.refresh_settings();
        const WaitAnyResult result = zt::platform::wait_any(objects, ScreenSaverIdle::kWaitLimit);
        const auto now = zt::platform::local_time();
        ScreenSaverIdle::Wake wake = ScreenSaverIdle::Wake::Other;
        if (result.kind == WaitAnyResult::Kind::TimedOut) {
            wake = ScreenSaverIdle::Wake::TimedOut;
        } else if (result.kind == WaitAnyResult::Kind::Signalled) {
            wake = result.index == 0 ? ScreenSaverIdle::Wake::Activity : ScreenSaverIdle::Wake::Stop;
        }
        if (idle.on_wake(wake, now) == ScreenSaverIdle::Next::Stop) return 0;
        // The device's programs set the activity event on input and nobody else clears it:
        // the service takes the signal, after the pause in which other waiters saw it too.
        if (wake == ScreenSaverIdle::Wake::Activity) m_activity.reset();
        if (result.kind == WaitAnyResult::Kind::Failed) m_device.sleep(ScreenSaverIdle::kWaitLimit);
    }
}

uint32_t ZunTimeService::run_alarm_thread() {
    AlarmResponder responder(m_device, zt::core::device_notifications(), zt::core::CTimeStore::instance());
    std::array<Waitable*, 3> objects { &m_stop, &m_alarm, &m_time_change };
    for (;;) {
        responder.check_ringouts();
        const WaitAnyResult result = zt::platform::wait_any(objects, responder.watch_interval());
        if (result.kind == WaitAnyResult::Kind::TimedOut) continue;
        if (result.kind != WaitAnyResult::Kind::Signalled) {
            m_device.sleep(std::chrono::milliseconds(1'000));  // a failing wait must not spin
            continue;
        }
        switch (result.index) {
        case 0: return 0;
        case 1:
            m_alarm.reset();
            responder.on_alarm_notice();
            break;
        default:
            m_time_change.reset();
            responder.on_time_change();
            break;
        }
    }
}

uint32_t ZunTimeService::run_window_thread() {
    ServiceWindowHandler handler(m_state, m_device);
    auto procedure = [&handler](zt::platform::Window& window, const zt::platform::Message& message) -> std::optional<uint32_t> {
        if (message.number == zt::platform::WM_DESTROY) {
            zt::platform::post_message(window.handle(), zt::platform::WM_QUIT, 0, 0);
            return 0;
        }
        return handler.on_message(message.number);
    };
    // Style 0: hidden; at (-1, -1), one pixel wide and high.
    auto window = zt::platform::Window::create(contracts::kServiceClass, u"", procedure,
                                               zt::platform::WindowOptions { false, { -1, -1, 0, 0 } });
    if (!window) {
        m_window_thread_ended = true;
        return 1;
    }
    m_window = window->handle();
    const uint32_t code = zt::platform::run_message_loop(*window);
    m_window = 0;
    m_window_thread_ended = true;
    return code;
}

void ZunTimeService::end_thread(std::optional<Thread>& thread) {
    if (!thread) return;
    if (thread->wait(kThreadEndLimit) != Thread::WaitResult::Ended) thread->terminate(0);
    thread->wait(kThreadEndLimit);
    thread.reset();
}

void ZunTimeService::stop() {
    if (m_stopped) return;
    m_stopped = true;
    m_stop.set();
    end_thread(m_alarm_thread);
    end_thread(m_screen_saver_thread);
    if (m_window_thread) {
        // The window may still be on its way up; its handle appears before its loop runs.
        for (int attempt = 0; attempt < 20 && m_window == 0 && !m_window_thread_ended; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (const auto window = m_window.load()) zt::platform::post_message(window, zt::platform::WM_CLOSE, 0, 0);
        end_thread(m_window_thread);
    }
}

}  // namespace zt::service
