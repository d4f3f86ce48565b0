#include "platform/testing/eventually.h"

#include <algorithm>
#include <thread>

namespace zt::platform::testing {

::testing::AssertionResult eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit,
                                      std::string_view what) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + limit;
    // Short steps first, so a quick answer costs no time; then longer ones, so a slow one does
    // not burn a core the code under test needs.
    auto step = std::chrono::milliseconds(1);
    for (;;) {
        if (condition()) return ::testing::AssertionSuccess();
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(step);
        step = std::min(step * 2, std::chrono::milliseconds(20));
    }
    return ::testing::AssertionFailure() << "gave up after " << limit.count() << " ms waiting for " << what;
}

}  // namespace zt::platform::testing
