#include <array>
#include <cstdint>

#include "platform/kernel/event_cell.h"
#include "platform/kernel/futex.h"
#include "platform/kernel/waitable.h"

namespace zt::platform {
namespace {

using detail::EventCell;
using detail::kMaxWaitWords;

// Registered as a waiter on each object for the whole wait, including when a thread cancel
// unwinds through it.
class Registration {
public:
    Registration(std::span<EventCell* const> cells, std::span<EventCell::Ticket> tickets)
        : m_cells(cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) tickets[i] = cells[i]->enter();
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() {
        for (EventCell* cell : m_cells) cell->leave();
    }

private:
    std::span<EventCell* const> m_cells;
};

}  // namespace

WaitAnyResult wait_any(std::span<Waitable* const> objects,
                       std::optional<std::chrono::milliseconds> limit) {
    using Kind = WaitAnyResult::Kind;
    const std::size_t count = objects.size();
    if (count == 0 || count > kMaxWaitWords) return { Kind::Failed, 0 };

    std::array<EventCell*, kMaxWaitWords> cells {};
    for (std::size_t i = 0; i < count; ++i) {
        cells[i] = objects[i] ? objects[i]->wait_cell() : nullptr;
        if (!cells[i]) return { Kind::Failed, i };
    }
    const auto deadline = detail::Deadline::after(limit);
    std::array<EventCell::Ticket, kMaxWaitWords> tickets {};
    Registration registration({ cells.data(), count }, { tickets.data(), count });

    std::array<std::uint32_t*, kMaxWaitWords> words {};
    std::array<std::uint32_t, kMaxWaitWords> seen {};
    for (;;) {
        // Snapshot the wake words before looking, so a set that lands after the look
        // changes a word and the sleep below returns at once.
        for (std::size_t i = 0; i < count; ++i) {
            words[i] = cells[i]->wake_word();
            seen[i] = cells[i]->wake_value();
        }
        for (std::size_t i = 0; i < count; ++i)
            if (cells[i]->try_take(tickets[i])) return { Kind::Signalled, i };
        if (deadline.passed()) return { Kind::TimedOut, 0 };
        auto slept = detail::futex_wait_any({ words.data(), count }, { seen.data(), count },
                                            deadline);
        if (slept == detail::FutexWait::Failed) return { Kind::Failed, 0 };
    }
}

}  // namespace zt::platform
