#pragma once
// Bounded waiting for a state another thread or process reaches. A test waits on what the code
// reports (a message, an event, a log line, a registry value, an exit), never on the clock
// alone; when the wait gives up, the failure names what it waited for.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string_view>

namespace zt::platform::testing {

// Long enough for a loaded machine (or a sanitizer build) to start a program and show a window.
inline constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(20);

// Checks `condition` at once and then every few milliseconds until it holds or `limit` has
// passed. Use as ASSERT_TRUE(eventually(..., "the service window")): on failure the message
// reads "gave up after <limit> ms waiting for the service window".
::testing::AssertionResult eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit,
                                      std::string_view what);

}  // namespace zt::platform::testing
