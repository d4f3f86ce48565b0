#pragma once
// How the bridge plays each kind of input, as steps of an InputPlayer:
//   key   press, release (settling after each)
//   tap   pen down, pen up at the point
//   hold  pen down, held still for the shell's tap-and-hold time and a little more, pen up
//   drag  pen down, moves spread evenly over the duration (about one each 16 ms), pen up at
//         the end point
//   text  a press and release of a key per character, carrying the character
// Device-screen points are turned into host screen points when the request is planned.
#include <vector>

#include "platform/gui/bridge_protocol.h"
#include "platform/gui/input_player.h"

namespace zt::platform::gui {

class SyntheticPen;

struct InputPlan {
    bridge::Status status { bridge::Status::Accepted };  // anything else: nothing is played
    std::vector<InputPlayer::Step> steps;
};

// The pen must outlive the steps.
InputPlan plan_input(const bridge::Request& request, SyntheticPen& pen);

// Beyond the tap-and-hold time, so that the recogniser has decided before the pen lifts.
inline constexpr int kHoldMarginMs = 150;
inline constexpr int kDragMoveEveryMs = 16;

}  // namespace zt::platform::gui
