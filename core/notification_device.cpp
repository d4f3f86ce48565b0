#include "core/notification_device.h"

#include "platform/msgbox/message_box.h"
#include "platform/notify/user_notification.h"

namespace zt::core {
namespace {

namespace notify = zt::platform::notify;
namespace msgbox = zt::platform::msgbox;

class DeviceNotifications final : public NotificationDevice {
public:
    std::optional<uint32_t> set_user_notification(const NotificationTrigger& trigger) override {
        notify::Trigger device_trigger;
        device_trigger.size = trigger.size;
        device_trigger.type = trigger.type;
        device_trigger.event = trigger.event;
        device_trigger.application = trigger.application;
        device_trigger.start = trigger.start;
        device_trigger.end = trigger.end;
        return notify::set_user_notification(0, device_trigger);
    }

    bool clear_user_notification(uint32_t handle) override { return notify::clear_user_notification(handle); }

    void show_error(std::u16string_view text) override {
        msgbox::show_message_box({ std::u16string(text), u"Zun Time", msgbox::Icon::Error, msgbox::Buttons::Ok, {} });
    }
};

}  // namespace

NotificationDevice& device_notifications() {
    static DeviceNotifications device;
    return device;
}

}  // namespace zt::core
