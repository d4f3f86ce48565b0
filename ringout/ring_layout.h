#pragma once
// Where the ringing window puts its parts, worked out from its client rectangle at every
// paint: the title band at the top, the two buttons at the bottom, and the picture and the
// clock in the band between with three equal gaps.
#include <cstdint>

#include "platform/windows/window_info.h"

namespace zt::ringout {

using zt::platform::Rect;

struct RingLayout {
    Rect title;
    Rect picture;
    Rect clock;
    Rect left_button;
    Rect right_button;
};

// High resolution: a screen wider than 400 pixels (sizes double).
RingLayout compute_ring_layout(const Rect& client, bool high_resolution);

}  // namespace zt::ringout
