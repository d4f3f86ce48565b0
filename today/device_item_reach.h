#pragma once
// The Today item's reach on the device: the main program started from "AppPath", messages
// posted to device windows found by class, the next due time registered with the device.
#include "today/item_commands.h"

namespace zt::today {

class DeviceItemReach final : public ItemReach {
public:
    void start_main_program(std::u16string_view command_line) override;
    void post_to_window(std::u16string_view window_class, uint32_t message, uint32_t wparam, uint32_t lparam) override;
    void reschedule(const core::CTimeStore& store) override;
};

}  // namespace zt::today
