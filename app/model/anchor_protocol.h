#pragma once
// The main program's cross-process protocol: the anchor window's class, title and message
// numbers, and the payloads that travel with them. Other programs (a second copy, the
// service, Ringout, the Today item) find the running main program by the class alone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/message.h"

namespace zt::app {

inline constexpr char16_t kAnchorClass[] = u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}";
inline constexpr char16_t kApplicationTitle[] = u"Zun Time";

inline constexpr uint32_t kMsgEnable = 0x000A;             // WM_ENABLE, wparam 0 = disable
inline constexpr uint32_t kMsgSettingChange = 0x001A;      // WM_SETTINGCHANGE
inline constexpr uint32_t kMsgEndScreenSaver = 0x0469;     // WM_USER + 105, from the service
inline constexpr uint32_t kMsgItemCommand = 0x046B;        // WM_USER + 107, from Ringout / Today
inline constexpr uint32_t kMsgBringForward = 0x0498;       // WM_USER + 152, from a second copy
inline constexpr uint32_t kCommandLineDataWord = 0;        // WM_COPYDATA of a second copy

// A command line is far shorter than this; a longer payload is not one of ours.
inline constexpr size_t kMaxCommandLineUnits = 1024;

// The second copy's payload: the line, a terminating zero, UTF-16LE.
std::vector<uint8_t> encode_command_line(std::u16string_view line);
// The line of a WM_COPYDATA the anchor window received; nullopt for anything else (another
// data word, an odd byte count, no terminator in the last unit, too long). Text after an
// embedded zero is not part of the line.
std::optional<std::u16string> decode_command_line(const zt::platform::CopyData& data);

struct ItemCommandMessage {
    int32_t item_id { 0 };
    uint16_t command { 0 };
    uint16_t argument { 0 };
};
// 0x046B: wparam the item, lparam the command in its high 16 bits and the argument in the low.
ItemCommandMessage decode_item_command(uint32_t wparam, uint32_t lparam);
uint32_t item_command_parameter(uint16_t command, uint16_t argument);

}  // namespace zt::app
