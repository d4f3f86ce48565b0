#pragma once
// CTimeItem: what alarms and timers share. A record has an item type (0 alarm, 1 timer,
// fixed), an id unique over both (0 is the default alarm), a sound action, a name and a kind.
#include <cstdint>
#include <memory>
#include <string>

#include "core/sound_action.h"
#include "platform/base/system_time.h"

namespace zt::core {

using zt::platform::SYSTEMTIME;

enum class ItemType : int32_t { Alarm = 0, Timer = 1 };

// Why the last load of a record failed. A reload deletes invalid alarms but must not delete
// one it merely could not read, nor one that met a shortage of memory (NoMemory) on the way.
enum class LoadFailure { None, Missing, Invalid, Unreadable, NoMemory };

class CTimeItem {
public:
    virtual ~CTimeItem() = default;
    CTimeItem(const CTimeItem&) = delete;
    CTimeItem& operator=(const CTimeItem&) = delete;

    // Copies the action settings (when both actions exist and differ), the name and the kind.
    // Never the type or the id.
    virtual void copy_to(CTimeItem& target) const;
    // Reads the record named by the id. False, with nothing changed, when the stored record
    // is missing or invalid.
    virtual bool load() = 0;
    // Writes the record under the store mutex. Registry write failures are not reported.
    virtual bool save() = 0;
    // The next local time at or after `reference` the record is due, when it has one.
    virtual bool next_occurrence(const SYSTEMTIME& reference, SYSTEMTIME& occurrence) const = 0;

    ItemType item_type() const { return m_item_type; }
    int32_t id() const { return m_id; }
    void set_id(int32_t id) { m_id = id; }
    CAction* action() const { return m_action.get(); }
    CSoundAction* sound_action() const;  // the action when it is a sound action
    LoadFailure last_load_failure() const { return m_last_load_failure; }
    // Whether the last save reached the registry. save() answers true all the same, as the
    // records always did; a tool that must not report a lost change asks here.
    bool last_save_stored() const { return m_last_save_stored; }

    std::u16string name;
    uint32_t kind { 0 };

protected:
    CTimeItem(ItemType type, int32_t id) : m_item_type(type), m_id(id), m_action(create_action(CSoundAction::kType)) {}
    // The action a record loaded from `map` would get, or none when the record's action is
    // missing, foreign or broken.
    static std::unique_ptr<CAction> load_action(const CValueMap& map);
    // Reads the stored record of this item's type and id into from_value_map and remembers
    // why it failed; writes to_value_map under the store mutex.
    bool load_stored();
    bool save_stored();

public:
    // The stored form without the registry (record tools and tests use it too).
    virtual bool to_value_map(CValueMap& map) const = 0;
    virtual bool from_value_map(const CValueMap& map) = 0;

private:
    LoadFailure m_last_load_failure { LoadFailure::None };
    bool m_last_save_stored { false };

private:
    ItemType m_item_type;
    int32_t m_id;
    std::unique_ptr<CAction> m_action;
};

}  // namespace zt::core
