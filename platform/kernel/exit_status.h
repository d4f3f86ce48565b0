#pragma once
#include <cstdint>

namespace zt::platform {

// How a thread or process ended, as far as this process can know.
struct ExitStatus {
    enum class State {
        StillActive,  // running
        Exited,       // ended; code is valid
        Unknown,      // ended (or gone), but its exit code is not ours to read
    };
    State state { State::Unknown };
    std::uint32_t code { 0 };

    bool still_active() const { return state == State::StillActive; }
};

}  // namespace zt::platform
