#include "ringout/ring_layout.h"

namespace zt::ringout {

RingLayout compute_ring_layout(const Rect& client, bool high_resolution) {
    const int32_t title_height = high_resolution ? 40 : 20;
    const int32_t button_band = high_resolution ? 132 : 66;
    const int32_t picture_height = high_resolution ? 100 : 50;
    const int32_t clock_height = high_resolution ? 80 : 40;
    const int32_t L = client.left, R = client.right, B = client.bottom;
    const int32_t middle = (L + R) / 2;
    const int32_t buttons_top = B - button_band;

    RingLayout layout;
    layout.title = { L, 0, R, title_height };
    layout.left_button = { L, buttons_top, middle, B };
    layout.right_button = { middle, buttons_top, R, B };
    const int32_t gap = (buttons_top - title_height - (picture_height + clock_height)) / 3;
    const int32_t picture_top = title_height + gap;
    layout.picture = { L, picture_top, R, picture_top + picture_height };
    const int32_t clock_top = layout.picture.bottom + gap;
    layout.clock = { L, clock_top, R, clock_top + clock_height };
    return layout;
}

}  // namespace zt::ringout
