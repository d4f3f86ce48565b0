// Latency from a time notification's moment to its named event being seen set by a waiter,
// through a real zt-device in a fresh device root. Two paths:
//   Timer:       the trigger lies 50 ms ahead; the device's wake timer fires it.
//   ClockMove:   the trigger lies an hour ahead; the device clock is moved past it (the way
//                tests and people move time), so the device learns it from the root watch.
// Reported per iteration as manual time: the waiter's wake-up minus the trigger's moment (for
// ClockMove: minus the moment the clock move was written).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/base/clock.h"
#include "platform/base/device_root.h"
#include "platform/kernel/event.h"
#include "platform/notify/user_notification.h"

extern char** environ;

namespace {

using namespace zt::platform;
namespace fs = std::filesystem;

class BenchDevice {
public:
    BenchDevice() {
        std::string pattern = (fs::temp_directory_path() / "zt-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()) || !set_device_root(pattern)) return;
        m_root = device_root();
        std::string program = (fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "zt-device").string();
        char* argv[] = { program.data(), const_cast<char*>("run"), nullptr };
        if (posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) m_pid = -1;
        // Wait for the device's control socket before measuring.
        for (int i = 0; i < 500 && !fs::exists(device_runtime_dir() / "zt-device.sock"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~BenchDevice() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(device_runtime_dir(), ec);
        if (!m_root.empty()) fs::remove_all(m_root, ec);
    }
    bool ok() const { return m_pid > 0; }

private:
    fs::path m_root;
    pid_t m_pid { -1 };
};

bool register_at(FileTime local, const std::u16string& name) {
    notify::Trigger trigger;
    trigger.type = notify::kTriggerTime;
    trigger.event = notify::kEventWakeup;
    trigger.application = std::u16string(notify::kNamedEventPrefix) + name;
    auto start = file_time_to_system_time(local);
    if (!start) return false;
    trigger.start = *start;
    return notify::set_user_notification(0, trigger).has_value();
}

void measure(benchmark::State& state, bool move_clock) {
    BenchDevice device;
    if (!device.ok()) {
        state.SkipWithError("zt-device did not start");
        return;
    }
    auto opened = Event::create_or_open(u"BenchNotify", ResetPolicy::Manual, false);
    if (!opened) {
        state.SkipWithError("no event");
        return;
    }
    Event& event = opened->event;
    for (auto _ : state) {
        event.reset();
        FileTime now = local_file_time();
        // Whole milliseconds: a trigger's start has millisecond resolution.
        FileTime moment = (now / kFileTimeTicksPerMillisecond + (move_clock ? 3'600'000 : 50)) * kFileTimeTicksPerMillisecond;
        if (!register_at(moment, u"BenchNotify")) {
            state.SkipWithError("registration refused");
            break;
        }
        FileTime due = moment;
        if (move_clock) {
            set_device_clock_offset_ms(device_clock_offset_ms() + 3'600'000);
            // Due from the moment the move is written (the write itself is not the device's time).
            due = local_file_time();
        }
        if (event.wait(std::chrono::seconds(10)) != Event::WaitResult::Signalled) {
            state.SkipWithError("the event was not set");
            break;
        }
        FileTime seen = local_file_time();
        state.SetIterationTime(static_cast<double>(seen - due) / kFileTimeTicksPerSecond);
    }
}

void BM_NotificationLatency_Timer(benchmark::State& state) { measure(state, false); }
void BM_NotificationLatency_ClockMove(benchmark::State& state) { measure(state, true); }

BENCHMARK(BM_NotificationLatency_Timer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_NotificationLatency_ClockMove)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
