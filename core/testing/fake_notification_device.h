#pragma once
// A NotificationDevice for tests: hands out handles 101, 102, ..., remembers every call and
// can be told to refuse registrations. The service tests use it too.
#include <functional>
#include <mutex>
#include <vector>

#include "core/notification_device.h"

namespace zt::core::testing {

class FakeNotificationDevice final : public NotificationDevice {
public:
    std::optional<uint32_t> set_user_notification(const NotificationTrigger& trigger) override {
        if (on_call) on_call(trigger.application);
        std::lock_guard lock(m_mutex);
        set_calls.push_back(trigger);
        if (refuse_remaining > 0) {
            --refuse_remaining;
            return std::nullopt;
        }
        const uint32_t handle = m_next_handle++;
        live.push_back(handle);
        return handle;
    }

    bool clear_user_notification(uint32_t handle) override {
        if (on_call) on_call(u"clear");
        std::lock_guard lock(m_mutex);
        cleared.push_back(handle);
        for (auto it = live.begin(); it != live.end(); ++it) {
            if (*it == handle) {
                live.erase(it);
                return true;
            }
        }
        return false;
    }

    void show_error(std::u16string_view text) override {
        std::lock_guard lock(m_mutex);
        errors.emplace_back(text);
    }

    std::vector<NotificationTrigger> set_calls;
    std::vector<uint32_t> cleared;
    std::vector<uint32_t> live;
    std::vector<std::u16string> errors;
    int refuse_remaining { 0 };
    // Runs at the start of every set and clear (the application text, or "clear").
    std::function<void(const std::u16string&)> on_call;

private:
    std::mutex m_mutex;
    uint32_t m_next_handle { 101 };
};

}  // namespace zt::core::testing
