#pragma once
// The payloads that travel to the main program's anchor window (its class and message numbers
// are in contracts/main_program.h). Other programs (a second copy, the service, Ringout, the
// Today item) find the running main program by the class alone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/message.h"

namespace zt::app {

inline constexpr char16_t kApplicationTitle[] = u"Zun Time";

// A command line is far shorter than this; a longer payload is not one of ours.
inline constexpr size_t kMaxCommandLineUnits = 1024;

// The second copy's payload: the line, a terminating zero, UTF-16LE.
std::vector<uint8_t> encode_command_line(std::u16string_view line);
// The line of a WM_COPYDATA the anchor window received; nullopt for anything else (another
// data word, an odd byte count, no terminator in the last unit, too long). Text after an
// embedded zero is not part of the line.
std::optional<std::u16string> decode_command_line(const zt::platform::CopyData& data);

}  // namespace zt::app
