#include "platform/hosts/zt_today/today_selection.h"

#include "platform/gui/key_codes.h"
#include "platform/gui/today_item_abi.h"

namespace zt::platform::today {

using gui::VK_DOWN;
using gui::VK_RETURN;
using gui::VK_UP;

bool TodaySelection::key(uint32_t key_code, const std::vector<bool>& selectable) {
    if (m_selected && *m_selected >= selectable.size()) m_selected.reset();
    if (key_code == VK_RETURN) {
        if (m_selected) m_send(*m_selected, kMsgAction, 0);
        return true;
    }
    if (key_code != VK_UP && key_code != VK_DOWN) return false;
    if (m_selected && m_send(*m_selected, kMsgUserNavigation, key_code) != 0) return true;
    move(key_code, selectable);
    return true;
}

void TodaySelection::move(uint32_t key_code, const std::vector<bool>& selectable) {
    const bool down = key_code == VK_DOWN;
    std::vector<size_t> candidates;
    const size_t count = selectable.size();
    if (down) {
        for (size_t i = m_selected ? *m_selected + 1 : 0; i < count; ++i)
            if (selectable[i]) candidates.push_back(i);
    } else {
        for (size_t i = m_selected ? *m_selected : count; i-- > 0;)
            if (selectable[i]) candidates.push_back(i);
    }
    if (candidates.empty()) return;
    if (m_selected) m_send(*m_selected, kMsgLostSelection, 0);
    m_selected.reset();
    for (size_t candidate : candidates) {
        if (m_send(candidate, kMsgReceivedSelection, key_code) == 1) {
            m_selected = candidate;
            return;
        }
    }
}

}  // namespace zt::platform::today
