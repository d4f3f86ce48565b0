#pragma once
// Which stacked Today item holds the keyboard selection, and how Up, Down and Enter move it.
// No widgets here: the screen hands in how to send an item a message, so the rules are tested
// without a window.
//
// Rules:
//  - None is selected at first.
//  - Up or Down goes first to the selected item as kMsgUserNavigation (wparam: the key); a
//    non-zero answer means the item moved within itself and nothing else happens.
//  - Otherwise the selection moves: the candidates are the items after (Down) or before (Up)
//    the selected one, nearest first, whose Selectability is non-zero (from the first or last
//    item when none is selected). The old item gets kMsgLostSelection once, before the first
//    candidate is asked; each candidate gets kMsgReceivedSelection (wparam: the key) until one
//    answers 1. When none takes it, nothing is selected. Without candidates the selection
//    stays where it is and no message is sent.
//  - Enter sends kMsgAction to the selected item.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zt::platform::today {

class TodaySelection {
public:
    using Send = std::function<intptr_t(size_t item, uint32_t message, uintptr_t wparam)>;

    explicit TodaySelection(Send send) : m_send(std::move(send)) {}

    // `selectable` has one flag per stacked item. True when the key was one the selection
    // handles (Up, Down, Enter), whatever the items answered.
    bool key(uint32_t key_code, const std::vector<bool>& selectable);

    std::optional<size_t> selected() const { return m_selected; }

private:
    void move(uint32_t key_code, const std::vector<bool>& selectable);

    Send m_send;
    std::optional<size_t> m_selected;
};

}  // namespace zt::platform::today
