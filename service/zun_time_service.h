#pragma once
// The running service: its events and its three threads (screen saver, alarm, window). The
// threads only wait and hand what happened to the logic classes.
#include <atomic>
#include <memory>
#include <optional>

#include "platform/kernel/event.h"
#include "platform/kernel/thread.h"
#include "platform/windows/window_info.h"
#include "service/device_service_device.h"
#include "service/service_state.h"

namespace zt::service {

class ZunTimeService {
public:
    static constexpr std::chrono::milliseconds kThreadEndLimit { 2'000 };

    // Reads the settings, makes the events, registers the next due item with the device and
    // starts the threads (screen saver, alarm, window, in that order). Nothing when the events
    // or the threads cannot be made.
    static std::unique_ptr<ZunTimeService> start();
    // Sets the stop event, waits up to 2 s for the alarm and then the screen-saver thread
    // (terminating one that does not end), closes the window and waits for its thread too.
    void stop();

    ~ZunTimeService();
    ZunTimeService(const ZunTimeService&) = delete;
    ZunTimeService& operator=(const ZunTimeService&) = delete;

private:
    ZunTimeService(zt::platform::Event stop, zt::platform::Event activity, zt::platform::Event alarm,
                   zt::platform::Event time_change);
    uint32_t run_screen_saver_thread();
    uint32_t run_alarm_thread();
    uint32_t run_window_thread();
    static void end_thread(std::optional<zt::platform::Thread>& thread);

    ServiceState m_state;
    zt::platform::Event m_stop;
    zt::platform::Event m_activity;
    zt::platform::Event m_alarm;
    zt::platform::Event m_time_change;
    DeviceServiceDevice m_device { &m_stop };
    std::optional<zt::platform::Thread> m_screen_saver_thread;
    std::optional<zt::platform::Thread> m_alarm_thread;
    std::optional<zt::platform::Thread> m_window_thread;
    std::atomic<zt::platform::WindowHandle> m_window { 0 };
    std::atomic<bool> m_window_thread_ended { false };
    bool m_stopped { false };
};

}  // namespace zt::service
