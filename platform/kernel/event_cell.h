#pragma once
// The state of one event as six 32-bit words in shared memory, and the rules that make
// set / reset / pulse / wait safe between processes without any lock:
//
//   state        1 = signalled
//   policy       0 = manual reset, 1 = automatic reset (fixed when the page is made)
//   pulse_gen    counts pulses; a waiter remembers it on arrival, so a pulse can tell the
//                waiters that were present from the ones that came later
//   pulse_token  auto-reset only: the pulse_gen of a pulse whose single release is still
//                unclaimed, 0 when none; claimed by compare-and-swap, so exactly one waiter
//   waiters      threads currently waiting (only an optimisation: a setter skips the wake
//                system call when it is 0; a waiter that died leaves it too high, which
//                costs a needless wake, nothing more)
//   wake_seq     bumped by every set and pulse; waiters sleep on it with a futex
//
// The waiter registers, snapshots wake_seq, checks the state and only then sleeps on the
// snapshot; the setter changes the state and then bumps wake_seq. Both sides use sequentially
// consistent operations, so a change is either seen by the check or ends the sleep.
#include <cstddef>
#include <cstdint>

#include "platform/kernel/reset_policy.h"

namespace zt::platform::detail {

class EventCell {
public:
    static constexpr std::size_t kBytes = 24;

    static void initialise(std::byte* at, ResetPolicy policy, bool initially_set);
    explicit EventCell(std::byte* at) : m_words(reinterpret_cast<std::uint32_t*>(at)) {}
    bool valid() const { return m_words != nullptr; }

    ResetPolicy policy() const;
    void set();
    void reset();
    void pulse();

    struct Ticket {
        std::uint32_t pulse_gen { 0 };
    };
    Ticket enter();      // register as a waiter
    void leave();        // unregister
    bool try_take(const Ticket& ticket);  // signalled for this waiter? consumes on auto reset

    std::uint32_t* wake_word() const;
    std::uint32_t wake_value() const;
    std::uint32_t waiters() const;

private:
    void wake();

    std::uint32_t* m_words;
};

}  // namespace zt::platform::detail
