#pragma once
// One offscreen QGuiApplication for a test binary, made on first use.
#include <QGuiApplication>

namespace zt::platform::gui::testing {

inline QGuiApplication& gui_test_app() {
    static int argc = 1;
    static char name[] = "zt_gui_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *app;
}

}  // namespace zt::platform::gui::testing
