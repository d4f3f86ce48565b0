#include "service/device_service_device.h"

#include <thread>

#include "platform/kernel/process.h"
#include "platform/kernel/process_list.h"
#include "platform/power/power_status.h"
#include "platform/power/unattended_mode.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::service {
namespace {

namespace device = zt::platform;

// How often a window that is asked to close is looked for again.
constexpr std::chrono::milliseconds kWindowPollInterval { 50 };

}  // namespace

std::optional<WindowHandle> DeviceServiceDevice::find_window(std::u16string_view window_class) {
    auto info = device::find_window(window_class);
    if (!info) return std::nullopt;
    return info->handle;
}

bool DeviceServiceDevice::window_exists(WindowHandle window) {
    return device::is_window(window);
}

std::optional<int> DeviceServiceDevice::window_process(WindowHandle window) {
    auto info = device::window_info(window);
    if (!info) return std::nullopt;
    return info->process_id;
}

bool DeviceServiceDevice::post_message(WindowHandle window, uint32_t number, uint32_t wparam, uint32_t lparam) {
    return device::post_message(window, number, wparam, lparam) == device::DeliveryStatus::Delivered;
}

bool DeviceServiceDevice::window_gone_within(WindowHandle window, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (device::is_window(window)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kWindowPollInterval);
    }
    return true;
}

std::optional<WindowFacts> DeviceServiceDevice::window_at(int32_t x, int32_t y) {
    auto info = device::window_from_point({ x, y });
    if (!info) return std::nullopt;
    return WindowFacts { info->process_id, info->visible, info->rect };
}

int DeviceServiceDevice::own_process_id() {
    return device::current_process_id();
}

std::optional<std::u16string> DeviceServiceDevice::process_path(int process_id) {
    return device::process_module_path(process_id);
}

bool DeviceServiceDevice::start_process(std::u16string_view device_path, std::u16string_view command_line) {
    return device::Process::create(device_path, command_line).has_value();
}

std::optional<int> DeviceServiceDevice::start_watched_process(std::u16string_view device_path,
                                                              std::u16string_view command_line) {
    auto process = device::Process::create(device_path, command_line);
    if (!process) return std::nullopt;
    const int id = process->id();
    m_watched.insert_or_assign(id, std::move(*process));
    return id;
}

std::optional<uint32_t> DeviceServiceDevice::watched_exit(int id) {
    auto found = m_watched.find(id);
    if (found == m_watched.end()) return 0;
    const device::ExitStatus status = found->second.exit_status();
    if (status.still_active()) return std::nullopt;
    m_watched.erase(found);
    return status.code;
}

bool DeviceServiceDevice::terminate_process(int process_id) {
    auto process = device::Process::open(process_id);
    return process && process->terminate(0);
}

ScreenSize DeviceServiceDevice::screen_size() {
    const device::DeviceProfile profile = device::read_device_profile();
    return { static_cast<int32_t>(profile.screen_width), static_cast<int32_t>(profile.screen_height) };
}

uint32_t DeviceServiceDevice::platform_version() {
    const device::DeviceProfile profile = device::read_device_profile();
    return device::platform_version_number(profile);
}

bool DeviceServiceDevice::ac_power_online() {
    return device::system_power_status().ac_line == device::ACLineStatus::Online;
}

void DeviceServiceDevice::set_unattended_mode(bool on) {
    device::power_policy_notify_unattended(on);
}

void DeviceServiceDevice::sleep(std::chrono::milliseconds span) {
    if (m_stop) {
        m_stop->wait(span);
    } else {
        std::this_thread::sleep_for(span);
    }
}

}  // namespace zt::service
