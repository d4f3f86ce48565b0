#pragma once
// The device's debug bridge as both ends see it: what `zt-device screencap / input / ui` asks a
// GUI program for, and how the program answers. No Qt here: zt-device sends, the program's
// bridge (debug_bridge.h) answers.
//
// The exchange:
//  - Every GUI program of the device keeps one hidden device window of class kBridgeWindowClass.
//    A client finds the foreground program's one (find_foreground_bridge) and sends it
//    WM_COPYDATA with data word kRequestDataWord, the encoded request as payload and its own
//    window as the sender.
//  - Screen pictures and control lists are written by the program into a file the client made
//    beforehand in the bridge folder (bridge_folder()); the request names the file, never a
//    path, and the program only writes a file that exists there. The answer says how it went.
//  - Input answers Accepted at once and is played on the program's event loop; once the program
//    has handled all of it, kInputDoneMessage is posted to the sender with the request's id in
//    wparam and the final status in lparam. Input never blocks the sender's wait on a modal
//    dialog that the input opens.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/message.h"
#include "platform/windows/window_info.h"

namespace zt::platform::gui::bridge {

inline constexpr char16_t kBridgeWindowClass[] = u"zt_debug_bridge";
inline constexpr std::uint32_t kRequestDataWord = 0x5A544252;  // "ZTBR"
inline constexpr std::uint32_t kInputDoneMessage = WM_USER + 0x3B1;

enum class Verb : std::uint32_t { Screencap = 1, Ui = 2, Key = 3, Tap = 4, Hold = 5, Drag = 6, Text = 7 };

enum class Status : std::uint32_t {
    Ok = 0,
    Accepted = 1,         // input: it is being played; kInputDoneMessage follows
    BadRequest = 2,       // malformed, or an output file that is not the client's
    NoWindow = 3,         // the program shows no window
    NoWindowAtPoint = 4,  // the pen lands where the program has no window
    UnknownKey = 5,       // no key of the device has that code
    WriteFailed = 6,
};
const char* status_text(Status status);

// The longest text `input text` types, and the longest output file name.
inline constexpr std::size_t kMaxTextUnits = 4096;
inline constexpr std::size_t kMaxFileNameBytes = 128;
// A drag lasts at most this long.
inline constexpr std::uint32_t kMaxDragMs = 60'000;
inline constexpr std::uint32_t kDefaultDragMs = 200;

struct Request {
    Verb verb { Verb::Screencap };
    std::uint32_t id { 0 };
    Point from {};                    // tap, hold, drag: device-screen point
    Point to {};                      // drag: where the pen lifts
    std::uint32_t duration_ms { 0 };  // drag
    std::uint32_t key_code { 0 };     // key
    std::u16string text {};           // text
    std::string output_file {};       // screencap, ui: a file name in the bridge folder
};

// Little-endian, field by field; decode refuses anything malformed, truncated or too long.
std::vector<std::uint8_t> encode_request(const Request& request);
std::optional<Request> decode_request(std::span<const std::uint8_t> bytes);

// <device_runtime_dir>/bridge, made 0700 on first use; empty when there is none.
std::filesystem::path bridge_folder();
// A file name the client may use for output: letters, digits, "-", "_" and "." (not first).
bool is_output_file_name(std::string_view name);

// The hardware keys by name: left up right down action button1..button4; nullopt otherwise.
std::optional<std::uint32_t> key_code_of_name(std::string_view name);

// The bridge of the foreground program: the front-most visible window of the device whose
// process keeps a bridge window. nullopt when no such program runs.
std::optional<WindowInfo> find_foreground_bridge();

}  // namespace zt::platform::gui::bridge
