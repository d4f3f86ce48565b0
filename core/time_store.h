#pragma once
// CTimeStore: one process's copy of every alarm and timer and the default alarm. The registry
// is where processes meet; the store is reloaded to see other processes' changes. The settings
// shared beside them are core/shared_settings.h.
//
// The store has no lock of its own: a process uses it from one thread at a time. Record
// saves, deletions and reload_all hold the device-wide store mutex.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "core/generic_map.h"
#include "core/timer.h"

namespace zt::core {

class CTimeStore {
public:
    static constexpr unsigned kItemMapBits = 5;

    CTimeStore();
    ~CTimeStore();
    CTimeStore(const CTimeStore&) = delete;
    CTimeStore& operator=(const CTimeStore&) = delete;

    // The process's store, made on first use.
    static CTimeStore& instance();

    // Replaces the records in memory by the stored ones, under the store mutex. Every value
    // present when a key's enumeration starts is visited once, whatever is deleted meanwhile.
    // Invalid alarms are deleted (memory and registry); invalid timers are only dropped from
    // memory. Records that could not be read at all, or not for want of memory, are dropped
    // from memory, never deleted.
    bool reload_all();

    // nullptr when the id is taken (the present item stays untouched) or the map is full.
    CTimeItem* create_item(ItemType type, int32_t id);
    // A new record's id is the highest id seen plus one; once the highest is 2147483647, it
    // is the lowest id that no record in memory and no value of either key uses.
    CTimeItem* create_new_item(ItemType type);
    // Takes an item whose id is 0, gives it the next id and stores it. An item with another id
    // is refused and stays with the caller (nullptr).
    CTimeItem* add_new_item(std::unique_ptr<CTimeItem>& item);
    CTimeItem* find(int32_t id) const;
    CAlarm* find_alarm(int32_t id) const;
    CTimer* find_timer(int32_t id) const;
    // Stores the item, replacing (and deleting) another object with the same id.
    CTimeItem* put(std::unique_ptr<CTimeItem> item);
    // Destroys the item and deletes the Alarms value of that id (never a Timers value), under
    // the store mutex.
    void remove(int32_t id);
    void clear();

    // Visits every item in map order. The visitor must not add or remove items.
    template <class Visitor>
    void for_each(Visitor&& visit) const {
        m_items.for_each([&](const int32_t&, const std::unique_ptr<CTimeItem>& item) { visit(*item); });
    }
    size_t item_count() const { return m_items.count(); }
    int32_t highest_id() const { return m_highest_id; }

    // Id 0, loaded on first use; keeps its defaults when the stored "0" is missing or invalid.
    CAlarm& default_alarm();
    std::unique_ptr<CAlarm> copy_of_default_alarm();
    // Copies the settings into the default alarm, unsnoozed and unnamed, and saves it.
    void save_as_default(const CAlarm& alarm);

    // The folder of "AppPath" up to its last "\" or "/"; empty when missing or without one.
    const std::u16string& application_folder();
    std::u16string default_sound();

    // For each of the five slots of a screen (stopwatches when count_up) without a timer of
    // that sort, creates and saves one with its default interval (count-down timers also get
    // the default sound); then runs the reschedule hook. Returns how many were made.
    int fill_timer_slots(bool count_up);
    CTimer* timer_in_slot(bool count_up, uint32_t slot) const;

    // Run after changes that can move a due time (installed by the notification scheduling).
    void set_reschedule_hook(std::function<void(CTimeStore&)> hook) { m_reschedule = std::move(hook); }
    void reschedule();

private:
    bool insert(std::unique_ptr<CTimeItem> item);
    void reload_key(ItemType type);
    std::optional<int32_t> next_new_id() const;
    std::optional<int32_t> lowest_free_id() const;

    int32_t m_highest_id { 0 };
    CGenericMap<int32_t, std::unique_ptr<CTimeItem>, IntegerHash> m_items { kItemMapBits };
    std::unique_ptr<CAlarm> m_default_alarm;
    std::optional<std::u16string> m_application_folder;
    std::function<void(CTimeStore&)> m_reschedule;
};

}  // namespace zt::core
