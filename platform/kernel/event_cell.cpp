#include "platform/kernel/event_cell.h"

#include <atomic>

#include "platform/kernel/futex.h"

namespace zt::platform::detail {
namespace {

enum Word : std::size_t { kState, kPolicy, kPulseGen, kPulseToken, kWaiters, kWakeSeq };
static_assert(EventCell::kBytes == (kWakeSeq + 1) * sizeof(std::uint32_t));

std::atomic_ref<std::uint32_t> ref(std::uint32_t* words, Word which) {
    return std::atomic_ref<std::uint32_t>(words[which]);
}

}  // namespace

void EventCell::initialise(std::byte* at, ResetPolicy policy, bool initially_set) {
    auto* words = reinterpret_cast<std::uint32_t*>(at);
    for (Word w : { kState, kPulseGen, kPulseToken, kWaiters, kWakeSeq }) ref(words, w).store(0);
    ref(words, kPolicy).store(policy == ResetPolicy::Automatic ? 1 : 0);
    ref(words, kState).store(initially_set ? 1 : 0);
}

ResetPolicy EventCell::policy() const {
    return ref(m_words, kPolicy).load() == 1 ? ResetPolicy::Automatic : ResetPolicy::Manual;
}

void EventCell::set() {
    ref(m_words, kState).store(1);
    wake();
}

void EventCell::reset() { ref(m_words, kState).store(0); }

void EventCell::pulse() {
    std::uint32_t gen = ref(m_words, kPulseGen).fetch_add(1) + 1;
    if (gen == 0) gen = ref(m_words, kPulseGen).fetch_add(1) + 1;  // 0 means "no token"
    if (policy() == ResetPolicy::Automatic && ref(m_words, kWaiters).load() > 0)
        ref(m_words, kPulseToken).store(gen);
    ref(m_words, kState).store(0);
    wake();
}

EventCell::Ticket EventCell::enter() {
    ref(m_words, kWaiters).fetch_add(1);
    return Ticket { ref(m_words, kPulseGen).load() };
}

void EventCell::leave() { ref(m_words, kWaiters).fetch_sub(1); }

bool EventCell::try_take(const Ticket& ticket) {
    if (policy() == ResetPolicy::Manual)
        return ref(m_words, kState).load() == 1 || ref(m_words, kPulseGen).load() != ticket.pulse_gen;

    std::uint32_t expected = 1;
    if (ref(m_words, kState).compare_exchange_strong(expected, 0)) return true;
    // A token is ours only if its pulse came after we arrived (modular: counters wrap).
    std::uint32_t token = ref(m_words, kPulseToken).load();
    while (token != 0 && static_cast<std::int32_t>(token - ticket.pulse_gen) > 0) {
        if (ref(m_words, kPulseToken).compare_exchange_weak(token, 0)) return true;
    }
    return false;
}

std::uint32_t* EventCell::wake_word() const { return &m_words[kWakeSeq]; }

std::uint32_t EventCell::wake_value() const { return ref(m_words, kWakeSeq).load(); }

std::uint32_t EventCell::waiters() const { return ref(m_words, kWaiters).load(); }

void EventCell::wake() {
    ref(m_words, kWakeSeq).fetch_add(1);
    if (ref(m_words, kWaiters).load() > 0) futex_wake_all(wake_word());
}

}  // namespace zt::platform::detail
