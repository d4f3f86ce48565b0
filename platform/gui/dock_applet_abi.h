#pragma once
// What an applet library and the device's applet host (zt-dock) agree on: the fourteen entry
// points the host looks up by name, the paint target, and the messages between them.
//
// The library is loaded into the host's process. The host window an applet is given is the
// host's widget for that applet's place on a panel; messages to it go in-process with
// today::send_child_message (today_item_abi.h), and the widget's grandparent answers the Today
// colour request (today::kMsgGetColor with today::kColorText) as the Today screen does.
//
// Entry points, in the order the host uses them:
//   void*    DockAppletCreate(const uint8_t* data, uint32_t size)    instance from a stored blob
//   void*    DockAppletShowCreateDialog()                            instance with default data
//   int32_t  DockAppletInit(void* applet, QWidget* host)             1 when its images are complete
//   void     DockAppletGetSize(void* applet, int32_t* width, int32_t* height)
//   int32_t  DockAppletPaint(void* applet, const PaintRect* rect, const PaintTarget* target)
//                                                                    1 drawn, 0 the size changed instead
//   int32_t  DockAppletUpdate(void* applet)                          1 when it asked for a repaint
//   uint32_t DockAppletGetData(void* applet, uint8_t* buffer, uint32_t size)
//                                                                    the blob's size; copies only when it fits
//   uint32_t DockAppletGetDescription(void* applet, char16_t* buffer, uint32_t length)
//   int32_t  DockAppletGetIcon(QImage* icon)                         1 when there is one
//   int32_t  DockAppletMenuCanBeShown(void* applet, const PaintRect* rect, int32_t x, int32_t y)
//   void     DockAppletFillContextMenu(void* applet, QMenu* menu)    actions carry their command as data (uint)
//   int32_t  DockAppletHandleContextMenuCommand(void* applet, QWidget* host, uint32_t command)
//   int32_t  DockAppletOnClick(void* applet, QWidget* host, int32_t x, int32_t y)
//   void     DockAppletDelete(void* applet)
#include <cstdint>
#include <string_view>

#include "platform/gui/today_item_abi.h"

class QImage;
class QMenu;
class QWidget;

namespace zt::platform::dock {

using PaintRect = today::PaintRect;
// The host's device context: 24-bit bottom-up pixels (blue, green, red) of the whole panel,
// holding the panel's background where the applet is to draw.
using PaintTarget = today::PaintTarget;

// The registered message "DockHostUpdateAppletMessage": the applet's size changed; wparam the
// instance, lparam 0. The host lays its panel out again and repaints.
inline constexpr char16_t kHostUpdateMessageName[] = u"DockHostUpdateAppletMessage";

// A registered window message: the same number for the same name (compared without regard to
// case) in every program of the device, in 0xC000..0xFFFF, never a number the device itself uses.
uint32_t register_window_message(std::u16string_view name);

using CreateFunction = void* (*)(const uint8_t* data, uint32_t size);
using ShowCreateDialogFunction = void* (*)();
using InitFunction = int32_t (*)(void* applet, QWidget* host);
using GetSizeFunction = void (*)(void* applet, int32_t* width, int32_t* height);
using PaintFunction = int32_t (*)(void* applet, const PaintRect* rect, const PaintTarget* target);
using UpdateFunction = int32_t (*)(void* applet);
using GetDataFunction = uint32_t (*)(void* applet, uint8_t* buffer, uint32_t size);
using GetDescriptionFunction = uint32_t (*)(void* applet, char16_t* buffer, uint32_t length);
using GetIconFunction = int32_t (*)(QImage* icon);
using MenuCanBeShownFunction = int32_t (*)(void* applet, const PaintRect* rect, int32_t x, int32_t y);
using FillContextMenuFunction = void (*)(void* applet, QMenu* menu);
using HandleContextMenuCommandFunction = int32_t (*)(void* applet, QWidget* host, uint32_t command);
using OnClickFunction = int32_t (*)(void* applet, QWidget* host, int32_t x, int32_t y);
using DeleteFunction = void (*)(void* applet);

inline constexpr char kCreateExport[] = "DockAppletCreate";
inline constexpr char kShowCreateDialogExport[] = "DockAppletShowCreateDialog";
inline constexpr char kInitExport[] = "DockAppletInit";
inline constexpr char kGetSizeExport[] = "DockAppletGetSize";
inline constexpr char kPaintExport[] = "DockAppletPaint";
inline constexpr char kUpdateExport[] = "DockAppletUpdate";
inline constexpr char kGetDataExport[] = "DockAppletGetData";
inline constexpr char kGetDescriptionExport[] = "DockAppletGetDescription";
inline constexpr char kGetIconExport[] = "DockAppletGetIcon";
inline constexpr char kMenuCanBeShownExport[] = "DockAppletMenuCanBeShown";
inline constexpr char kFillContextMenuExport[] = "DockAppletFillContextMenu";
inline constexpr char kHandleContextMenuCommandExport[] = "DockAppletHandleContextMenuCommand";
inline constexpr char kOnClickExport[] = "DockAppletOnClick";
inline constexpr char kDeleteExport[] = "DockAppletDelete";

}  // namespace zt::platform::dock
