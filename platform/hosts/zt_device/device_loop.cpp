#include "platform/hosts/zt_device/device_loop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/base/clock.h"
#include "platform/base/device_folders.h"
#include "platform/base/device_root.h"
#include "platform/hosts/zt_device/control_server.h"
#include "platform/hosts/zt_device/device_lock.h"
#include "platform/hosts/zt_device/root_watch.h"
#include "platform/hosts/zt_device/service_host.h"
#include "platform/hosts/zt_device/wake_timer.h"
#include "platform/notify/notification_engine.h"
#include "platform/notify/registration_store.h"

namespace zt::platform::device {
namespace {

// Even with nothing registered the timer is re-armed now and then, so a change of the host's
// time zone (which no clock event reports) is noticed within this time.
constexpr int64_t kLongestSleepMs = 60 * 60 * 1000;

int signal_descriptor() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    // Blocked in every thread the services start later too; they inherit the mask.
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

class Device {
public:
    Device(WakeTimer timer, RootWatch watch, ControlServer control, int signals)
        : m_timer(std::move(timer)), m_watch(std::move(watch)), m_control(std::move(control)),
          m_signals(signals), m_engine(m_launcher) {}
    ~Device() {
        m_services.unload_all();
        ::close(m_signals);
    }

    void run() {
        check_volume_at_start();
        m_services.load_registered();
        m_clock_changes = device_clock_change_count();
        bool running = true;
        bool rearm_needed = true;
        while (running) {
            // Other programs' files in the root wake the loop too; only what can change the
            // next due moment is worth a look at the registrations.
            if (rearm_needed) rearm();
            rearm_needed = false;
            pollfd fds[] = { { m_signals, POLLIN, 0 }, { m_timer.fd(), POLLIN, 0 }, { m_watch.fd(), POLLIN, 0 },
                             { m_control.fd(), POLLIN, 0 } };
            if (poll(fds, std::size(fds), -1) < 0) continue;  // EINTR
            if (fds[0].revents) running = false;
            if (fds[1].revents) {
                // Expired or cancelled, the timer is disarmed now and must be set again.
                if (m_timer.consume() == WakeTimer::Wake::HostClockSet) time_changed();
                rearm_needed = true;
            }
            if (fds[2].revents) {
                auto seen = m_watch.consume();
                if (seen.registrations) check_volume_replaced();
                if (seen.clock_file) check_device_clock();
                rearm_needed = rearm_needed || seen.clock_file || seen.registrations;
            }
            if (fds[3].revents) m_control.serve_one(m_services);
        }
    }

private:
    // Fires what is due and sleeps until the next registration (or the longest sleep).
    void rearm() {
        auto report = m_engine.fire_due(local_file_time());
        int64_t now = host_unix_ms_now();
        int64_t wake = now + kLongestSleepMs;
        if (report.next_due_local) wake = std::min<int64_t>(wake, host_moment_of_local(*report.next_due_local));
        m_timer.arm_at(std::max<int64_t>(wake, now));
    }

    // A damaged volume is repaired before any service runs, so the services register into
    // the new one when they start.
    void check_volume_at_start() {
        auto report = notify::prepare_notification_volume();
        if (report.state == notify::VolumeState::Unreadable) {
            std::fprintf(stderr, "zt-device: the notification volume cannot be read (%s); nothing registered fires\n",
                         report.problem.c_str());
        }
        m_volume = notify::notification_volume_identity();
    }

    // The services register what they need when they start; when the volume that held their
    // registrations was replaced (moved aside as damaged, or deleted), starting them again is
    // how those registrations come back. The device knows nothing of what they register.
    void check_volume_replaced() {
        auto now = notify::notification_volume_identity();
        if (!now) return;  // gone, not replaced yet: the next registration makes a new one
        bool replaced = m_volume && *now != *m_volume;
        m_volume = now;
        if (!replaced) return;
        std::fprintf(stderr, "zt-device: the notification volume was replaced; restarting the services\n");
        m_services.restart_all();
    }

    void check_device_clock() {
        uint64_t changes = device_clock_change_count();
        if (changes == m_clock_changes) return;
        m_clock_changes = changes;
        time_changed();
    }

    // One firing per observed change, however many writes of the clock it took.
    void time_changed() { m_engine.fire_event(notify::kEventTimeChange); }

    WakeTimer m_timer;
    RootWatch m_watch;
    ControlServer m_control;
    int m_signals { -1 };
    notify::DeviceTargetLauncher m_launcher;
    notify::NotificationEngine m_engine;
    services::ServiceHost m_services;
    uint64_t m_clock_changes { 0 };
    std::optional<std::pair<uint64_t, uint64_t>> m_volume;  // the volume file last seen
};

}  // namespace

long long host_moment_of_local(long long local_file_time) {
    FileTime universal = local_to_universal(local_file_time);
    int64_t device_unix_ms = (universal - kUnixEpochAsFileTime) / kFileTimeTicksPerMillisecond;
    return device_unix_ms - device_clock_offset_ms();
}

int run_device() {
    auto root = device_root();
    if (root.empty()) {
        std::fprintf(stderr, "zt-device: no device root\n");
        return 2;
    }
    auto lock = DeviceLock::acquire();
    if (!lock) {
        auto pid = DeviceLock::running_pid();
        std::fprintf(stderr, "zt-device: a device is already running for %s (pid %d)\n", root.c_str(), pid.value_or(0));
        return 2;
    }
    auto timer = WakeTimer::create();
    if (!make_device_own_folders()) std::fprintf(stderr, "zt-device: cannot make the device's own folders\n");
    auto watch = RootWatch::create(root);
    auto control = ControlServer::create();
    int signals = signal_descriptor();
    if (!timer || !watch || !control || signals < 0) {
        std::fprintf(stderr, "zt-device: cannot start (timer, root watch, control socket or signals)\n");
        if (signals >= 0) ::close(signals);
        return 2;
    }
    if (!timer->wakes_suspended_host()) {
        std::fprintf(stderr, "zt-device: no wake alarms allowed here; a suspended host sleeps through notifications\n");
    }
    std::fprintf(stderr, "zt-device: running for %s (pid %d)\n", root.c_str(), static_cast<int>(getpid()));
    Device device(std::move(*timer), std::move(*watch), std::move(*control), signals);
    device.run();
    return 0;
}

}  // namespace zt::platform::device
