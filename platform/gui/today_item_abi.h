#pragma once
// What a Today item library and the device's Today screen (zt-today) agree on: the entry
// points the screen looks up in the library, the list entry it hands over, and the messages
// that go between the screen and the item's child window.
//
// The library is loaded into the Today screen's process, so the item's window is a child
// widget of the screen's item area and the two talk through in-process messages
// (send_child_message), not through device windows. Handles are widgets.
//
// Entry points (the handheld reaches them by ordinal; the device by these names):
//  - kInitializeItemExport ("InitializeCustomItem", ordinal 240): InitializeItemFunction.
//    Returns the item's child widget, created in `parent`, or nullptr (a disabled entry).
//  - kOptionsDialogExport ("CustomItemOptionsDlgProc", ordinal 241): OptionsDialogFunction,
//    called with kMsgInitDialog when the person asks for the item's options; the library may
//    end the dialog at once with end_options_dialog().
//  - kInitializeEmbeddedExport ("InitializeEmbeddedItem", ordinal 242): the tabbed host's
//    route, EmbeddedItemFunction.
//  - "GetSmartPluginInterface" and "GetTabIcon": the tabbed host's tab clock and tab icon.
#include <QEvent>

#include <cstdint>
#include <optional>

class QImage;
class QPainter;
class QWidget;

namespace zt::platform::today {

// One registered item, as the screen hands it to the library (TODAYLISTITEM). The item keeps
// its height in `height` when it answers kMsgQueryRefreshCache.
struct TodayListItem {
    char16_t name[33] {};  // the item's key name under the Items key, NUL-terminated
    uint32_t type { 0 };
    uint32_t order { 0 };
    uint32_t height { 0 };
    bool enabled { false };
    uint32_t options { 0 };
    uint32_t selectability { 0 };
};

// Messages the screen sends the item's widget.
inline constexpr uint32_t kMsgQueryRefreshCache = 0x04F3;  // lparam: TodayListItem*; 1 = height changed
inline constexpr uint32_t kMsgReceivedSelection = 0x04F4;  // wparam: the key that moved it; 1 = taken
inline constexpr uint32_t kMsgLostSelection = 0x04F5;
inline constexpr uint32_t kMsgUserNavigation = 0x04F6;     // wparam: the key; 0 = the screen moves on
inline constexpr uint32_t kMsgAction = 0x04F7;             // Enter while selected
// Messages the item sends its parent (the screen's item area).
inline constexpr uint32_t kMsgGetColor = 0x0464;       // wparam: a colour index below; answer 0x00BBGGRR
inline constexpr uint32_t kMsgDrawWatermark = 0x0465;  // lparam: WatermarkRequest*; 1 = drawn
inline constexpr uint32_t kMsgVScroll = 0x0115;        // WM_VSCROLL; wparam kScrollTop: back to the top
inline constexpr uint32_t kScrollTop = 6;
inline constexpr uint32_t kMsgInitDialog = 0x0110;

inline constexpr uint32_t kColorText = 0x10000004;
inline constexpr uint32_t kColorHighlight = 0x10000022;
inline constexpr uint32_t kColorHighlightedText = 0x10000023;
// 0x00BBGGRR answers of kMsgGetColor when the theme has none.
inline constexpr uint32_t kDefaultTextColour = 0x00000000;             // black
inline constexpr uint32_t kDefaultHighlightColour = 0x00C66931;        // a mid blue
inline constexpr uint32_t kDefaultHighlightedTextColour = 0x00FFFFFF;  // white

// The Today background behind `item` drawn into 24-bit bottom-up pixels (blue, green, red) of
// `width` x `height`, whose top-left corner lies at (left, top) of the item's widget.
struct WatermarkRequest {
    uint8_t* bits { nullptr };
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
    int32_t left { 0 };
    int32_t top { 0 };
    QWidget* item { nullptr };
};

// How a message reaches a widget: the receiver's event() sees this type, handles the message,
// and sets `result` (and `handled`).
class ChildMessageEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 0x0400);
    ChildMessageEvent(uint32_t number, uintptr_t first, intptr_t second)
        : QEvent(kType), message(number), wparam(first), lparam(second) {}
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
    intptr_t result { 0 };
    bool handled { false };
};
// The dynamic property of the screen's item area that carries its scroll bar width.
inline constexpr char kScrollBarWidthProperty[] = "zt_scroll_bar_width";

// Sends a message to a widget of this process and returns its answer: the widget (or, for the
// parent's messages, the screen) handles it in its event() on a ChildMessageEvent. 0 when the
// widget is null or does not answer.
intptr_t send_child_message(QWidget* widget, uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0);

// What a screen answers an item's kMsgGetColor with: the theme's colour for the index (a
// kColor... number), else its default; nullopt for an index no screen knows.
std::optional<uint32_t> answer_colour_request(uintptr_t index);

// The scroll bar width of the screen's item area when it shows one, else 0.
int32_t parent_scroll_bar_width(const QWidget* parent);
// Ends the options dialog the screen opened (returning `result` from its run).
void end_options_dialog(QWidget* dialog, int result);

using InitializeItemFunction = QWidget* (*)(TodayListItem* item, QWidget* parent);
using OptionsDialogFunction = intptr_t (*)(QWidget* dialog, uint32_t message, uintptr_t wparam, intptr_t lparam);
using EmbeddedItemFunction = QWidget* (*)(QWidget* parent);

inline constexpr char kInitializeItemExport[] = "InitializeCustomItem";
inline constexpr char kOptionsDialogExport[] = "CustomItemOptionsDlgProc";
inline constexpr char kInitializeEmbeddedExport[] = "InitializeEmbeddedItem";
inline constexpr char kSmartPluginExport[] = "GetSmartPluginInterface";
inline constexpr char kTabIconExport[] = "GetTabIcon";

// The tabbed host's clock in its tab strip: a reference-counted object with these operations
// in this order. Interface identifiers as 16 bytes in the usual GUID layout.
struct InterfaceId {
    uint32_t data1 { 0 };
    uint16_t data2 { 0 };
    uint16_t data3 { 0 };
    uint8_t data4[8] {};
    bool operator==(const InterfaceId&) const = default;
};
inline constexpr InterfaceId kIidUnknown { 0x00000000, 0x0000, 0x0000, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
inline constexpr InterfaceId kIidSmartPlugin { 0x0A354D74, 0xC669, 0x41AF, { 0xBF, 0x16, 0x8C, 0x27, 0xF3, 0x46, 0x3A, 0x20 } };

inline constexpr int32_t kOk = 0;
inline constexpr int32_t kNoInterface = static_cast<int32_t>(0x80004002);
inline constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057);
inline constexpr int32_t kFail = static_cast<int32_t>(0x80004005);

// Where the tab clock paints: 24-bit bottom-up pixels as in WatermarkRequest.
struct PaintTarget {
    uint8_t* bits { nullptr };
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
    QWidget* host { nullptr };  // the host window to invalidate on update
};
struct PaintRect {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t right { 0 };
    int32_t bottom { 0 };
};

class SmartPlugin {
public:
    virtual int32_t query_interface(const InterfaceId* iid, void** result) = 0;
    virtual uint32_t add_ref() = 0;
    virtual uint32_t release() = 0;
    virtual int32_t set_up(uint32_t first, uint32_t second, uint32_t third) = 0;
    virtual int32_t paint(const PaintTarget* target, const PaintRect* rect) = 0;
    virtual int32_t update() = 0;
    virtual int32_t set_size(uint32_t first, uint32_t second) = 0;
    virtual int32_t destroy() = 0;

protected:
    ~SmartPlugin() = default;
};

using SmartPluginFunction = int32_t (*)(SmartPlugin** result);
// The tab icon as a picture (ARGB); false when there is none.
using TabIconFunction = bool (*)(QImage* icon);

}  // namespace zt::platform::today
