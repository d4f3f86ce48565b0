#pragma once
// zt-device's side of the debug bridge (platform/gui/bridge_protocol.h): finds the foreground
// program's bridge, asks it, and waits for its answer within a bound.
#include <chrono>
#include <optional>
#include <string>

#include "platform/gui/bridge_protocol.h"

namespace zt::platform::device {

struct BridgeOutcome {
    enum class Kind { Answered, NoProgram, ProgramGone, TimedOut, Failed };
    Kind kind { Kind::Failed };
    gui::bridge::Status status { gui::bridge::Status::BadRequest };  // when Answered
    std::string output;                                              // screencap, ui: what the program wrote
    std::string error;                                               // what went wrong, for people
};

// Screencap and ui: the program's answer and what it wrote.
BridgeOutcome ask_bridge(gui::bridge::Request request);
// Input: returns once the program reports it has handled all of it, or the bound passed.
BridgeOutcome play_on_bridge(gui::bridge::Request request, std::chrono::milliseconds limit);

// How long a program may take to answer or to handle input (beyond a drag's own duration).
inline constexpr std::chrono::seconds kBridgeAnswerLimit { 10 };
inline constexpr std::chrono::seconds kBridgeInputLimit { 30 };

}  // namespace zt::platform::device
