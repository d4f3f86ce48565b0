// Item commands (0x046B) as another program, or a foreign one, sends them to the anchor window:
// every 8 bytes are a wparam and an lparam, little-endian, decoded and applied in turn to two
// alarms (one-time and daily) and two timers (count-down and count-up) made afresh.
// The halves must give back the lparam they came from, and afterwards another process must
// read the same alarms the main program holds, and every timer it holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "app/model/item_command.h"
#include "contracts/item_command.h"
#include "contracts/registry_keys.h"
#include "core/alarm.h"
#include "core/time_store.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

using namespace zt::core;

namespace {

uint32_t read_le32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void add_items(CTimeStore& store) {
    const SYSTEMTIME now = zt::platform::local_time();
    for (auto [id, flags] : { std::pair { 1, CAlarm::kOneTime }, std::pair { 2, CAlarm::kDayMask } }) {
        auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
        alarm->alarm_time = now;
        alarm->flags = flags;
        if (!alarm->save()) std::abort();
    }
    for (auto [id, count_up] : { std::pair { 3, false }, std::pair { 4, true } }) {
        auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, id));
        timer->count_up = count_up;
        timer->interval = 90;
        timer->start();
        if (!timer->save()) std::abort();
    }
}

std::set<int32_t> ids_of(const CTimeStore& store, ItemType type) {
    std::set<int32_t> ids;
    store.for_each([&](const CTimeItem& item) {
        if (item.item_type() == type) ids.insert(item.id());
    });
    return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zt::platform::testing::TempDeviceRoot device;
    if (device.path().empty()) std::abort();
    // One input's records never meet another's.
    using zt::platform::registry::Key;
    if (auto product = Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kProductKeyPath))
        product->delete_tree(u"");

    CTimeStore store;
    add_items(store);
    for (size_t at = 0; at + 8 <= size && at < 8 * 64; at += 8) {
        const uint32_t wparam = read_le32(data + at);
        const uint32_t lparam = read_le32(data + at + 4);
        // As the anchor window takes the message apart.
        const auto item_id = static_cast<int32_t>(wparam);
        const auto command = zt::contracts::split_item_command_parameter(lparam);
        const auto as_sent = static_cast<zt::contracts::ItemCommand>(command.command);
        if (zt::contracts::item_command_parameter(as_sent, command.argument) != lparam) std::abort();
        zt::app::apply_item_command(store, item_id, command.command, command.argument);
    }

    CTimeStore other;
    if (!other.reload_all()) std::abort();
    if (ids_of(other, ItemType::Alarm) != ids_of(store, ItemType::Alarm)) std::abort();
    // A deleted timer stays stored (only alarms are deleted from the registry), so the other
    // process may hold more timers, never fewer.
    for (int32_t id : ids_of(store, ItemType::Timer))
        if (!other.find_timer(id)) std::abort();
    return 0;
}
