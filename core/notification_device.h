#pragma once
// The device calls notification scheduling makes: register and clear user notifications, and
// show the failure message. Programs use the device's; tests hand the scheduler a fake.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/system_time.h"

namespace zt::core {

// The trigger record as the product fills it (the platform's 52-byte CE_NOTIFICATION_TRIGGER,
// with its text pointers as strings).
struct NotificationTrigger {
    static constexpr uint32_t kSize = 52;
    static constexpr uint32_t kTypeEvent = 1;
    static constexpr uint32_t kTypeTime = 2;
    static constexpr uint32_t kEventWakeup = 11;      // what time triggers carry in their event word
    static constexpr uint32_t kEventTimeChange = 1;

    uint32_t size { kSize };
    uint32_t type { 0 };
    uint32_t event { 0 };
    std::u16string application;
    zt::platform::SYSTEMTIME start {};
    zt::platform::SYSTEMTIME end {};
};

class NotificationDevice {
public:
    virtual ~NotificationDevice() = default;
    // The new registration's handle (never 0), or nothing when the device refused it.
    virtual std::optional<uint32_t> set_user_notification(const NotificationTrigger& trigger) = 0;
    virtual bool clear_user_notification(uint32_t handle) = 0;
    // A message box with the error icon and an OK button.
    virtual void show_error(std::u16string_view text) = 0;
};

// The running device's notifications and message boxes.
NotificationDevice& device_notifications();

}  // namespace zt::core
