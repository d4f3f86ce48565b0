// The fourteen entry points the device's applet host looks up in this library.
#include <QImage>
#include <QMenu>

#include <new>

#include "applet/dock_applet.h"
#include "today/device_item_reach.h"
#include "today/item_icons.h"
#include "today/item_look.h"

namespace dock = zt::platform::dock;
using zt::applet::CDockApplet;

namespace {

CDockApplet* applet_from(void* applet) { return static_cast<CDockApplet*>(applet); }

// No instance when memory runs out, whichever allocation fails.
void* create_applet(zt::applet::AppletData data) {
    try {
        return new CDockApplet(std::move(data));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void* DockAppletCreate(const uint8_t* data, uint32_t size) {
    if (!data) size = 0;
    return create_applet(zt::applet::read_applet_data({ data, size }));
}

__attribute__((visibility("default"))) void* DockAppletShowCreateDialog() { return create_applet({}); }

__attribute__((visibility("default"))) void DockAppletDelete(void* applet) { delete applet_from(applet); }

__attribute__((visibility("default"))) int32_t DockAppletInit(void* applet, QWidget* host) {
    return applet && applet_from(applet)->init(host) ? 1 : 0;
}

__attribute__((visibility("default"))) void DockAppletGetSize(void* applet, int32_t* width, int32_t* height) {
    if (!applet) return;
    if (width) *width = applet_from(applet)->width();
    if (height) *height = applet_from(applet)->height();
}

__attribute__((visibility("default"))) uint32_t DockAppletGetData(void* applet, uint8_t* buffer, uint32_t size) {
    return applet ? applet_from(applet)->get_data(buffer, size) : 0;
}

__attribute__((visibility("default"))) uint32_t DockAppletGetDescription(void*, char16_t* buffer, uint32_t length) {
    return zt::applet::copy_applet_description(buffer, length);
}

__attribute__((visibility("default"))) int32_t DockAppletGetIcon(QImage* icon) {
    if (!icon) return 0;
    *icon = zt::today::applet_icon(zt::today::device_high_resolution());
    return icon->isNull() ? 0 : 1;
}

__attribute__((visibility("default"))) int32_t DockAppletPaint(void* applet, const dock::PaintRect* rect,
                                                               const dock::PaintTarget* target) {
    if (!applet || !rect || !target) return 0;
    return applet_from(applet)->paint(*rect, *target) ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DockAppletUpdate(void* applet) {
    return applet && applet_from(applet)->update() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DockAppletMenuCanBeShown(void*, const dock::PaintRect* rect, int32_t x,
                                                                        int32_t y) {
    return rect && x >= rect->left && x < rect->right && y >= rect->top && y < rect->bottom ? 1 : 0;
}

__attribute__((visibility("default"))) void DockAppletFillContextMenu(void* applet, QMenu* menu) {
    if (applet && menu) applet_from(applet)->fill_context_menu(*menu);
}

__attribute__((visibility("default"))) int32_t DockAppletHandleContextMenuCommand(void* applet, QWidget*,
                                                                                  uint32_t command) {
    return applet && applet_from(applet)->handle_command(command) ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DockAppletOnClick(void*, QWidget*, int32_t, int32_t) {
    zt::today::DeviceItemReach().start_main_program(u"");
    return 1;
}

}  // extern "C"
