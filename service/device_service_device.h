#pragma once
// The service's seam on the running device: windows and processes through the device layer,
// power from the device's power stand-ins. Pauses wait on the service's stop event, so a
// service asked to stop never sits out a sleep.
#include <map>

#include "platform/kernel/event.h"
#include "platform/kernel/process.h"
#include "service/service_device.h"

namespace zt::service {

class DeviceServiceDevice final : public ServiceDevice {
public:
    // `stop` may be null (pauses then simply sleep); it must outlive this object.
    explicit DeviceServiceDevice(zt::platform::Event* stop) : m_stop(stop) {}

    std::optional<WindowHandle> find_window(std::u16string_view window_class) override;
    bool window_exists(WindowHandle window) override;
    std::optional<int> window_process(WindowHandle window) override;
    bool post_message(WindowHandle window, uint32_t number, uint32_t wparam, uint32_t lparam) override;
    bool window_gone_within(WindowHandle window, std::chrono::milliseconds limit) override;
    std::optional<WindowFacts> window_at(int32_t x, int32_t y) override;
    int own_process_id() override;
    std::optional<std::u16string> process_path(int process_id) override;
    bool start_process(std::u16string_view device_path, std::u16string_view command_line) override;
    std::optional<int> start_watched_process(std::u16string_view device_path, std::u16string_view command_line) override;
    std::optional<uint32_t> watched_exit(int id) override;
    bool terminate_process(int process_id) override;
    ScreenSize screen_size() override;
    uint32_t platform_version() override;
    bool ac_power_online() override;
    void set_unattended_mode(bool on) override;
    void sleep(std::chrono::milliseconds span) override;

private:
    zt::platform::Event* m_stop;
    // Used by the alarm thread only.
    std::map<int, zt::platform::Process> m_watched;
};

}  // namespace zt::service
