// Costs of window messages between processes of one device. Each benchmark runs in a
// throw-away device root; the other process is a forked child serving its own window.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"

namespace {

using namespace zt::platform;
using namespace std::chrono_literals;

constexpr std::uint32_t kPing = WM_USER + 1;
constexpr std::uint32_t kPong = WM_USER + 2;

// A throw-away device for one benchmark, removed with its live objects afterwards.
using ScratchDevice = zt::platform::testing::TempDeviceRoot;
bool ready(const ScratchDevice& device) { return !device.path().empty(); }

// A child process whose window answers sends with the payload size and returns every kPing
// posted to it as a kPong posted to `reply_to`.
class EchoProcess {
public:
    explicit EchoProcess(WindowHandle reply_to) {
        int fds[2];
        if (pipe(fds) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            auto window = Window::create(u"BenchEcho", u"", [reply_to](Window&, const Message& m) -> std::optional<std::uint32_t> {
                if (m.number == kPing) post_message(reply_to, kPong, m.wparam);
                if (m.number == WM_COPYDATA) return static_cast<std::uint32_t>(m.copy_data.bytes.size());
                return std::nullopt;
            });
            WindowHandle handle = window ? window->handle() : 0;
            if (write(fds[1], &handle, sizeof handle) != sizeof handle || !window) _exit(1);
            close(fds[1]);
            _exit(static_cast<int>(run_message_loop(*window)));
        }
        close(fds[1]);
        if (m_pid < 0 || read(fds[0], &m_handle, sizeof m_handle) != sizeof m_handle) m_handle = 0;
        close(fds[0]);
    }
    ~EchoProcess() {
        if (m_pid <= 0) return;
        post_message(m_handle, WM_QUIT);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    WindowHandle handle() const { return m_handle; }

private:
    pid_t m_pid { -1 };
    WindowHandle m_handle { 0 };
};

// One iteration: post to the other process's window, which posts back; wait for that. Half of
// it is the post-to-delivery latency.
void BM_PostRoundTripAcrossProcesses(benchmark::State& state) {
    ScratchDevice device;
    auto window = Window::create(u"BenchHome", u"", nullptr);
    if (!ready(device) || !window) return state.SkipWithError("no device");
    EchoProcess echo(window->handle());
    if (echo.handle() == 0) return state.SkipWithError("no echo process");
    Message message;
    std::uint32_t n = 0;
    for (auto _ : state) {
        post_message(echo.handle(), kPing, ++n);
        do {
            if (get_message(*window, message, 5s) != GetResult::Message) return state.SkipWithError("lost a message");
        } while (message.number != kPong || message.wparam != n);
    }
}
BENCHMARK(BM_PostRoundTripAcrossProcesses)->UseRealTime();

// A send with a WM_COPYDATA payload of the given size, answered by the other process.
void BM_SendCopyDataAcrossProcesses(benchmark::State& state) {
    ScratchDevice device;
    auto window = Window::create(u"BenchHome", u"", nullptr);
    if (!ready(device) || !window) return state.SkipWithError("no device");
    EchoProcess echo(window->handle());
    if (echo.handle() == 0) return state.SkipWithError("no echo process");
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(state.range(0)), 0x5A);
    for (auto _ : state) {
        auto result = send_copy_data(echo.handle(), window->handle(), 1130, payload, 5s);
        if (result.status != DeliveryStatus::Delivered || result.answer != payload.size())
            return state.SkipWithError("send failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_SendCopyDataAcrossProcesses)->Arg(300)->Arg(64 * 1024)->UseRealTime();

// Posts into the other process's queue as fast as it takes them in.
void BM_PostBurstAcrossProcesses(benchmark::State& state) {
    ScratchDevice device;
    auto window = Window::create(u"BenchHome", u"", nullptr);
    if (!ready(device) || !window) return state.SkipWithError("no device");
    EchoProcess echo(window->handle());
    if (echo.handle() == 0) return state.SkipWithError("no echo process");
    for (auto _ : state) {
        if (post_message(echo.handle(), WM_USER + 3) != DeliveryStatus::Delivered) return state.SkipWithError("post failed");
    }
}
BENCHMARK(BM_PostBurstAcrossProcesses)->UseRealTime();

// FindWindow by class among this many live windows.
void BM_FindWindowByClass(benchmark::State& state) {
    ScratchDevice device;
    std::vector<std::unique_ptr<Window>> windows;
    for (int i = 0; i < state.range(0); ++i)
        windows.push_back(Window::create(u"Class" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)), u"", nullptr));
    auto target = Window::create(u"SoughtClass{0F1E2D3C}", u"", nullptr);
    if (!ready(device) || !target) return state.SkipWithError("no device");
    for (auto _ : state) {
        auto found = find_window(u"SoughtClass{0F1E2D3C}");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindWindowByClass)->Arg(1)->Arg(10)->Arg(50);

}  // namespace

BENCHMARK_MAIN();
