// Costs of the device's kernel objects. Each benchmark runs in a throw-away device root.
#include <benchmark/benchmark.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/device_root.h"
#include "platform/kernel/event.h"
#include "platform/kernel/named_mutex.h"
#include "platform/testing/temp_device_root.h"

namespace {

using namespace zt::platform;
using namespace std::chrono_literals;

// A throw-away device for one benchmark, removed with its live objects afterwards.
using ScratchDevice = zt::platform::testing::TempDeviceRoot;
bool ready(const ScratchDevice& device) { return !device.path().empty(); }

// A page both processes see, for the hand-over turn and the stop flag.
struct SharedWords {
    SharedWords()
        : page(static_cast<std::uint32_t*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE,
                                                MAP_SHARED | MAP_ANONYMOUS, -1, 0))) {}
    ~SharedWords() { munmap(page, 4096); }
    std::atomic_ref<std::uint32_t> word(int i) { return std::atomic_ref<std::uint32_t>(page[i]); }
    std::uint32_t* page;
};

void finish_child(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
}

void BM_MutexUncontendedWaitRelease(benchmark::State& state) {
    ScratchDevice device;
    auto m = NamedMutex::create_or_open(u"4D79064E-A5B0-4a41-92B5-89527B016871Timer");
    if (!ready(device) || !m) return state.SkipWithError("no device");
    for (auto _ : state) {
        m->mutex.wait();
        m->mutex.release();
    }
}
BENCHMARK(BM_MutexUncontendedWaitRelease);

// Three mutexes passed round between two processes so that every step blocks on a mutex the
// other process holds: each iteration is one wait that ends by the other process's release.
// (With one mutex, the releasing process would usually take it straight back.)
void BM_MutexCrossProcessHandOver(benchmark::State& state) {
    ScratchDevice device;
    SharedWords shared;  // word 0: the child holds its first mutex
    std::optional<NamedMutex::Opened> m[3] = { NamedMutex::create_or_open(u"HandOver0"),
                                               NamedMutex::create_or_open(u"HandOver1"),
                                               NamedMutex::create_or_open(u"HandOver2") };
    if (!ready(device) || !m[0] || !m[1] || !m[2]) return state.SkipWithError("no device");
    pid_t child = fork();
    if (child == 0) {
        m[1]->mutex.wait();
        shared.word(0).store(1);
        for (unsigned k = 0;; ++k) {
            m[(k + 2) % 3]->mutex.wait();
            m[(k + 1) % 3]->mutex.release();
        }
    }
    m[0]->mutex.wait();
    while (shared.word(0).load() == 0) sched_yield();
    unsigned k = 0;
    for (auto _ : state) {
        m[(k + 1) % 3]->mutex.wait();
        m[k % 3]->mutex.release();
        ++k;
    }
    kill(child, SIGKILL);
    finish_child(child);
}
BENCHMARK(BM_MutexCrossProcessHandOver)->UseRealTime();

// One iteration: set an event another process waits on, and wait for its answer on a second
// event; half of it is the set-to-wake latency.
void BM_EventSetToWakeAcrossProcesses(benchmark::State& state) {
    ScratchDevice device;
    SharedWords shared;  // word 0: stop
    auto ping = Event::create_or_open(u"Ping", ResetPolicy::Automatic, false);
    auto pong = Event::create_or_open(u"Pong", ResetPolicy::Automatic, false);
    if (!ready(device) || !ping || !pong) return state.SkipWithError("no device");
    pid_t child = fork();
    if (child == 0) {
        while (shared.word(0).load() == 0) {
            if (ping->event.wait(100ms) == Event::WaitResult::Signalled) pong->event.set();
        }
        _exit(0);
    }
    for (auto _ : state) {
        ping->event.set();
        pong->event.wait();
    }
    shared.word(0).store(1);
    finish_child(child);
}
BENCHMARK(BM_EventSetToWakeAcrossProcesses)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
