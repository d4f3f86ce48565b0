#pragma once
// Shared by the shell's widget tests: one offscreen QApplication for the binary, a fresh device
// root per test, and a bounded wait for the event loop.
#include <QApplication>
#include <QElapsedTimer>

#include "platform/gui/testing/widget_test_app.h"

#include <memory>
#include "platform/testing/temp_device_root.h"

namespace zt::platform::gui::testing {

// Runs the event loop until `done` holds; false when it did not within the bound (a hang guard,
// not a timing expectation).
template <typename Condition>
bool run_until(Condition done, int bound_ms = 5000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > bound_ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace zt::platform::gui::testing
