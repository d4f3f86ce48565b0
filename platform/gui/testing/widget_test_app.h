#pragma once
// The offscreen QApplication of a test binary with widgets, made on first use.
#include <QApplication>

#include "platform/gui/testing/gui_test_app.h"

namespace zt::platform::gui::testing {

inline QApplication& widget_test_app() { return detail::offscreen_app<QApplication>(); }

}  // namespace zt::platform::gui::testing
