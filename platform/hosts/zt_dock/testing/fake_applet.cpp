// An applet library for the dock's tests. It writes every call it gets, one line each, to the
// file named by ZT_FAKE_APPLET_LOG ("<call> [numbers]"), and behaves simply enough to check:
//  - its blob is 4 bytes, a little-endian counter that each tap and each handled command adds
//    one to; Create restores it ("create <counter>");
//  - it is kBaseWidth + kStep x grow-count wide and kHeight high, painted in kAppletColour
//    with a 4 x 4 square of the text colour its host's grandparent gave it at the top left;
//  - its menu is "Grow" (command 1: the next Paint grows it and answers 0) and "Count"
//    (command 2); it offers the menu only for a point in the left half of its box;
//  - a tap in the right half of its box grows it at once and sends the host update message;
//  - Update answers 1 (and invalidates its host) after a tap, else 0.
// Built with ZT_FAKE_APPLET_WITHOUT_ON_CLICK it lacks DockAppletOnClick.
#include <QAction>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/testing/fake_log.h"
#include "platform/gui/dock_applet_abi.h"

namespace {

using namespace zt::platform;

constexpr QRgb kAppletColour = 0xFF2080C0;
constexpr int32_t kBaseWidth = 40;
constexpr int32_t kStep = 20;
constexpr int32_t kHeight = 30;

struct Applet {
    uint32_t counter { 0 };
    int32_t grown { 0 };
    bool paint_answers_zero { true };  // the first Paint answers 0 too
    bool grow_at_paint { false };
    bool tapped { false };
    uint32_t text_colour { 0 };
    QWidget* host { nullptr };
};

void log_line(const std::string& line) { zt::platform::testing::append_fake_log("ZT_FAKE_APPLET_LOG", line); }

Applet* of(void* applet) { return static_cast<Applet*>(applet); }
int32_t width_of(const Applet& applet) { return kBaseWidth + kStep * applet.grown; }

void fill(const dock::PaintTarget& target, int32_t left, int32_t top, int32_t width, int32_t height, QRgb colour) {
    for (int32_t y = std::max(top, 0); y < std::min(top + height, target.height); ++y) {
        uint8_t* row = target.bits + static_cast<ptrdiff_t>(target.height - 1 - y) * target.stride;
        for (int32_t x = std::max(left, 0); x < std::min(left + width, target.width); ++x) {
            row[x * 3] = static_cast<uint8_t>(qBlue(colour));
            row[x * 3 + 1] = static_cast<uint8_t>(qGreen(colour));
            row[x * 3 + 2] = static_cast<uint8_t>(qRed(colour));
        }
    }
}

}  // namespace

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

FAKE_EXPORT void* DockAppletCreate(const uint8_t* data, uint32_t size) {
    auto* applet = new Applet;
    if (data && size == 4)
        applet->counter = static_cast<uint32_t>(data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24));
    log_line("create " + std::to_string(applet->counter));
    return applet;
}

FAKE_EXPORT void* DockAppletShowCreateDialog() {
    log_line("dialog");
    return new Applet;
}

FAKE_EXPORT int32_t DockAppletInit(void* applet, QWidget* host) {
    of(applet)->host = host;
    QWidget* grandparent = host && host->parentWidget() ? host->parentWidget()->parentWidget() : nullptr;
    of(applet)->text_colour =
        static_cast<uint32_t>(today::send_child_message(grandparent, today::kMsgGetColor, today::kColorText));
    log_line("init");
    return 1;
}

FAKE_EXPORT void DockAppletGetSize(void* applet, int32_t* width, int32_t* height) {
    *width = width_of(*of(applet));
    *height = kHeight;
    log_line("size");
}

FAKE_EXPORT int32_t DockAppletPaint(void* applet, const dock::PaintRect* rect, const dock::PaintTarget* target) {
    Applet& self = *of(applet);
    if (std::exchange(self.paint_answers_zero, false)) {
        if (std::exchange(self.grow_at_paint, false)) ++self.grown;
        log_line("paint 0");
        return 0;
    }
    const uint32_t text = self.text_colour;  // 0x00BBGGRR
    fill(*target, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, kAppletColour);
    fill(*target, rect->left, rect->top, 4, 4, qRgb(static_cast<int>(text & 0xFF), static_cast<int>((text >> 8) & 0xFF),
                                                    static_cast<int>((text >> 16) & 0xFF)));
    log_line("paint " + std::to_string(rect->left) + " " + std::to_string(rect->top) + " " + std::to_string(rect->right) +
             " " + std::to_string(rect->bottom));
    return 1;
}

FAKE_EXPORT int32_t DockAppletUpdate(void* applet) {
    log_line("update");
    if (!std::exchange(of(applet)->tapped, false)) return 0;
    if (of(applet)->host) of(applet)->host->update();
    return 1;
}

FAKE_EXPORT uint32_t DockAppletGetData(void* applet, uint8_t* buffer, uint32_t size) {
    const uint32_t counter = of(applet)->counter;
    if (buffer && size >= 4)
        for (int i = 0; i < 4; ++i) buffer[i] = static_cast<uint8_t>(counter >> (8 * i));
    return 4;
}

FAKE_EXPORT uint32_t DockAppletGetDescription(void*, char16_t* buffer, uint32_t length) {
    constexpr std::u16string_view kText = u"Fake Applet";
    if (buffer && length >= kText.size()) kText.copy(buffer, kText.size());
    return static_cast<uint32_t>(kText.size());
}

FAKE_EXPORT int32_t DockAppletGetIcon(QImage*) { return 0; }

FAKE_EXPORT int32_t DockAppletMenuCanBeShown(void*, const dock::PaintRect* rect, int32_t x, int32_t y) {
    log_line("menu? " + std::to_string(x) + " " + std::to_string(y));
    return x >= rect->left && x < (rect->left + rect->right) / 2 && y >= rect->top && y < rect->bottom ? 1 : 0;
}

FAKE_EXPORT void DockAppletFillContextMenu(void*, QMenu* menu) {
    menu->addAction(QStringLiteral("Grow"))->setData(1u);
    menu->addAction(QStringLiteral("Count"))->setData(2u);
    log_line("fill");
}

FAKE_EXPORT int32_t DockAppletHandleContextMenuCommand(void* applet, QWidget*, uint32_t command) {
    Applet& self = *of(applet);
    log_line("command " + std::to_string(command));
    if (command != 1 && command != 2) return 0;
    self.grow_at_paint = self.paint_answers_zero = command == 1;
    ++self.counter;
    return 1;
}

#ifndef ZT_FAKE_APPLET_WITHOUT_ON_CLICK
FAKE_EXPORT int32_t DockAppletOnClick(void* applet, QWidget* host, int32_t x, int32_t y) {
    Applet& self = *of(applet);
    ++self.counter;
    self.tapped = true;
    log_line("click " + std::to_string(x) + " " + std::to_string(y));
    if (x >= width_of(self) / 2) {
        ++self.grown;
        today::send_child_message(host, dock::register_window_message(dock::kHostUpdateMessageName),
                                  reinterpret_cast<uintptr_t>(applet), 0);
    }
    return 1;
}
#endif

FAKE_EXPORT void DockAppletDelete(void* applet) {
    log_line("delete " + std::to_string(of(applet)->counter));
    delete of(applet);
}
