#pragma once
// A play stops when any of up to two flags is raised: the device's own stop_sound() and the
// caller's flag.
#include <atomic>

namespace zt::platform::audio {

struct Cancel {
    const std::atomic<bool>* first { nullptr };
    const std::atomic<bool>* second { nullptr };
    bool requested() const { return (first && first->load()) || (second && second->load()); }
};

}  // namespace zt::platform::audio
