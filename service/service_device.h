#pragma once
// What the service asks of the device, as one seam: windows of other programs, processes,
// power and pauses. The running service uses device_service_device(); tests a fake that
// answers from a script and never sleeps.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/window_info.h"

namespace zt::service {

using zt::platform::Rect;
using zt::platform::WindowHandle;

struct WindowFacts {
    int process_id { 0 };
    bool visible { false };
    Rect rect;
};

struct ScreenSize {
    int32_t width { 0 };
    int32_t height { 0 };
};

class ServiceDevice {
public:
    virtual ~ServiceDevice() = default;

    virtual std::optional<WindowHandle> find_window(std::u16string_view window_class) = 0;
    virtual bool window_exists(WindowHandle window) = 0;
    virtual std::optional<int> window_process(WindowHandle window) = 0;
    virtual bool post_message(WindowHandle window, uint32_t number, uint32_t wparam, uint32_t lparam) = 0;
    // True as soon as the window is gone, false when it still exists after `limit`.
    virtual bool window_gone_within(WindowHandle window, std::chrono::milliseconds limit) = 0;
    // The topmost window at a screen point, if the device knows one there.
    virtual std::optional<WindowFacts> window_at(int32_t x, int32_t y) = 0;

    virtual int own_process_id() = 0;
    virtual std::optional<std::u16string> process_path(int process_id) = 0;
    virtual bool start_process(std::u16string_view device_path, std::u16string_view command_line) = 0;
    // Starts a program and keeps watching it: an id for watched_exit, or nothing when it could
    // not be started.
    virtual std::optional<int> start_watched_process(std::u16string_view device_path,
                                                     std::u16string_view command_line) = 0;
    // Nothing while the watched program runs. Once it has ended: its exit code (128 + the
    // signal number when a signal ended it), and the id is forgotten; an id that is not
    // watched (any more) reads as ended with 0.
    virtual std::optional<uint32_t> watched_exit(int id) = 0;
    virtual bool terminate_process(int process_id) = 0;

    virtual ScreenSize screen_size() = 0;
    virtual uint32_t platform_version() = 0;  // major * 100 + minor
    // True only when the power status reports the AC line on-line.
    virtual bool ac_power_online() = 0;
    virtual void set_unattended_mode(bool on) = 0;

    virtual void sleep(std::chrono::milliseconds span) = 0;
};

}  // namespace zt::service
