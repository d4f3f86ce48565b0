#include "core/time_store.h"

#include <algorithm>

#include "contracts/registry_keys.h"
#include "core/number_text.h"
#include "core/record_storage.h"
#include "core/registry_key.h"
#include "core/store_lock.h"

namespace zt::core {

CTimeStore::CTimeStore() = default;
CTimeStore::~CTimeStore() = default;

CTimeStore& CTimeStore::instance() {
    static CTimeStore store;
    return store;
}

bool CTimeStore::insert(std::unique_ptr<CTimeItem> item) {
    int32_t id = item->id();
    // The map moves the pointer in only on success; on failure the item dies here.
    return m_items.insert(id, std::move(item));
}

CTimeItem* CTimeStore::create_item(ItemType type, int32_t id) {
    if (m_items.contains(id)) return nullptr;
    std::unique_ptr<CTimeItem> item;
    try {
        if (type == ItemType::Alarm)
            item = std::make_unique<CAlarm>(id);
        else
            item = std::make_unique<CTimer>(id);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!insert(std::move(item))) return nullptr;
    m_highest_id = std::max(m_highest_id, id);
    return find(id);
}

std::optional<int32_t> CTimeStore::next_new_id() const {
    if (m_highest_id < INT32_MAX) return m_highest_id + 1;
    return lowest_free_id();
}

std::optional<int32_t> CTimeStore::lowest_free_id() const {
    // One stored value named "2147483647" is enough to get here. The ids in use are those in
    // memory and those named in either key, records dropped from memory at a reload included:
    // a new record must never overwrite one of them.
    std::vector<int32_t> used;
    m_items.for_each([&](const int32_t& id, const std::unique_ptr<CTimeItem>&) { used.push_back(id); });
    for (ItemType type : { ItemType::Alarm, ItemType::Timer })
        for (const std::u16string& name : record_value_names(type))
            if (auto id = parse_item_id(name)) used.push_back(*id);
    std::sort(used.begin(), used.end());
    int32_t candidate = 1;
    for (int32_t id : used) {
        if (id > candidate) break;
        if (id == candidate) {
            if (candidate == INT32_MAX) return std::nullopt;
            ++candidate;
        }
    }
    return candidate;
}

CTimeItem* CTimeStore::create_new_item(ItemType type) {
    auto id = next_new_id();
    return id ? create_item(type, *id) : nullptr;
}

CTimeItem* CTimeStore::add_new_item(std::unique_ptr<CTimeItem>& item) {
    if (!item || item->id() != 0) return nullptr;
    auto id = next_new_id();
    if (!id) return nullptr;
    item->set_id(*id);
    if (!m_items.insert(*id, std::move(item))) {
        // insert() did not take it: hand the item back unchanged.
        item->set_id(0);
        return nullptr;
    }
    m_highest_id = std::max(m_highest_id, *id);
    return find(*id);
}

CTimeItem* CTimeStore::find(int32_t id) const {
    const std::unique_ptr<CTimeItem>* item = m_items.lookup(id);
    return item ? item->get() : nullptr;
}

CAlarm* CTimeStore::find_alarm(int32_t id) const {
    CTimeItem* item = find(id);
    return item && item->item_type() == ItemType::Alarm ? static_cast<CAlarm*>(item) : nullptr;
}

CTimer* CTimeStore::find_timer(int32_t id) const {
    CTimeItem* item = find(id);
    return item && item->item_type() == ItemType::Timer ? static_cast<CTimer*>(item) : nullptr;
}

CTimeItem* CTimeStore::put(std::unique_ptr<CTimeItem> item) {
    if (!item) return nullptr;
    int32_t id = item->id();
    CTimeItem* present = find(id);
    if (present == item.get()) {
        item.release();  // it is the stored object already; the store keeps owning it
        return present;
    }
    if (present) remove(id);
    if (!insert(std::move(item))) return nullptr;
    m_highest_id = std::max(m_highest_id, id);
    return find(id);
}

void CTimeStore::remove(int32_t id) {
    if (!m_items.remove(id)) return;
    // The deletion holds the store mutex too. Without it, a reload in another process that
    // enumerates the key by index while values disappear below its position would skip
    // records that were never deleted. (The mutex is recursive, so a reload's own deletions
    // nest inside its lock.)
    CStoreLock lock;
    CRegistryKey key(RegistryRoot::CurrentUser, contracts::kAlarmsKeyPath, true, true);
    key.delete_value(format_signed(id));
}

void CTimeStore::clear() {
    m_items.clear();
    m_default_alarm.reset();
    m_highest_id = 0;
}

void CTimeStore::reload_key(ItemType type) {
    for (const std::u16string& name : record_value_names(type)) {
        auto id = parse_item_id(name);
        if (!id) continue;
        CTimeItem* item = create_item(type, *id);
        if (!item || item->load()) continue;
        // Only a record that is really malformed is deleted. One that could not be read, that
        // met a shortage of memory or that vanished meanwhile may be sound (or another
        // process's new record by now): it is only dropped from memory.
        if (type == ItemType::Alarm && item->last_load_failure() == LoadFailure::Invalid) {
            remove(*id);
        } else {
            m_items.remove(*id);
        }
    }
}

bool CTimeStore::reload_all() {
    CStoreLock lock;
    clear();
    reload_key(ItemType::Alarm);
    reload_key(ItemType::Timer);
    return true;
}

CAlarm& CTimeStore::default_alarm() {
    if (!m_default_alarm) {
        m_default_alarm = std::make_unique<CAlarm>(0);
        m_default_alarm->load();
    }
    return *m_default_alarm;
}

std::unique_ptr<CAlarm> CTimeStore::copy_of_default_alarm() {
    auto copy = std::make_unique<CAlarm>(0);
    default_alarm().copy_to(*copy);
    return copy;
}

void CTimeStore::save_as_default(const CAlarm& alarm) {
    CAlarm& target = default_alarm();
    alarm.copy_to(target);
    target.set_id(0);
    target.snoozed = false;
    target.name.clear();
    target.save();
}

const std::u16string& CTimeStore::application_folder() {
    if (!m_application_folder) {
        CRegistryKey key(RegistryRoot::CurrentUser, contracts::kProductKeyPath, false, false);
        std::u16string path = key.peek_string(contracts::kAppPathValue).value_or(u"");
        size_t separator = path.find_last_of(u"\\/");
        m_application_folder = separator == std::u16string::npos ? std::u16string() : path.substr(0, separator + 1);
    }
    return *m_application_folder;
}

std::u16string CTimeStore::default_sound() { return application_folder() + u"sounds\\ZunAlarm1.wav"; }

CTimer* CTimeStore::timer_in_slot(bool count_up, uint32_t slot) const {
    CTimer* found = nullptr;
    for_each([&](CTimeItem& item) {
        if (found || item.item_type() != ItemType::Timer) return;
        auto& timer = static_cast<CTimer&>(item);
        if (timer.count_up == count_up && timer.slot_index == slot) found = &timer;
    });
    return found;
}

int CTimeStore::fill_timer_slots(bool count_up) {
    int made = 0;
    for (uint32_t slot = 0; slot < CTimer::kSlotsPerScreen; ++slot) {
        if (timer_in_slot(count_up, slot)) continue;
        auto* timer = static_cast<CTimer*>(create_new_item(ItemType::Timer));
        if (!timer) break;
        timer->slot_index = slot;
        timer->count_up = count_up;
        timer->interval = count_up ? 0 : CTimer::kDefaultIntervals[slot];
        if (!count_up && timer->action()) timer->action()->set_sound_file(default_sound());
        timer->save();
        ++made;
    }
    reschedule();
    return made;
}

void CTimeStore::reschedule() {
    if (m_reschedule) m_reschedule(*this);
}

}  // namespace zt::core
