#include "core/time_item.h"

#include <new>

#include "core/record_storage.h"

namespace zt::core {

void CTimeItem::copy_to(CTimeItem& target) const {
    if (&target == this) return;
    if (m_action && target.m_action && m_action != target.m_action) m_action->copy_to(*target.m_action);
    target.name = name;
    target.kind = kind;
}

CSoundAction* CTimeItem::sound_action() const {
    if (!m_action || m_action->type() != CSoundAction::kType) return nullptr;
    return static_cast<CSoundAction*>(m_action.get());
}

std::unique_ptr<CAction> CTimeItem::load_action(const CValueMap& map) {
    std::optional<uint32_t> type = map.number(u"actp");
    if (!type || *type != CSoundAction::kType) return nullptr;
    std::unique_ptr<CAction> action = create_action(static_cast<int32_t>(*type));
    if (!action || !action->load(map)) return nullptr;
    return action;
}

bool CTimeItem::load_stored() {
    RecordRead read = read_record(m_item_type, m_id);
    m_last_load_failure = read.failure;
    if (read.failure != LoadFailure::None) return false;
    try {
        if (!from_value_map(read.map)) {
            m_last_load_failure = LoadFailure::Invalid;
            return false;
        }
    } catch (const std::bad_alloc&) {
        // from_value_map assigns only after everything it needs was made, so the record
        // in memory is unchanged.
        m_last_load_failure = LoadFailure::NoMemory;
        return false;
    }
    return true;
}

bool CTimeItem::save_stored() {
    m_last_save_stored = false;
    CValueMap map;
    if (!to_value_map(map)) return false;
    m_last_save_stored = write_record(m_item_type, m_id, map);
    return true;
}

}  // namespace zt::core
