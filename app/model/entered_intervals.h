#pragma once
// The countdown intervals the user entered through "Custom..." in this run of the program: at
// most three, the oldest dropped first. Kept for the whole process (every countdown screen
// shares them) and never stored.
#include <cstddef>
#include <cstdint>
#include <deque>

namespace zt::app {

class CEnteredIntervals {
public:
    static constexpr size_t kMost = 3;
    static CEnteredIntervals& instance();

    void remember(uint32_t seconds);
    // Oldest first.
    const std::deque<uint32_t>& intervals() const { return m_intervals; }
    void clear() { m_intervals.clear(); }

private:
    std::deque<uint32_t> m_intervals;
};

}  // namespace zt::app
