#pragma once
// One offscreen Qt application for a test binary, made on first use: a QGuiApplication for
// tests that only paint (here), a QApplication for tests with widgets (widget_test_app.h).
// A binary uses one of the two.
#include <QGuiApplication>

namespace zt::platform::gui::testing {

namespace detail {
template <typename Application>
Application& offscreen_app() {
    static int argc = 1;
    static char name[] = "zt_gui_test";
    static char* argv[] = { name, nullptr };
    static Application* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new Application(argc, argv);
    }();
    return *app;
}
}  // namespace detail

inline QGuiApplication& gui_test_app() { return detail::offscreen_app<QGuiApplication>(); }

}  // namespace zt::platform::gui::testing
