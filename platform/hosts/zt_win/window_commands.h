#pragma once
// The window verbs of the device's command line, for people and scripts that drive programs:
//   windows                                              one line per top-level window
//   post (--class NAME | --handle H) MSG [WPARAM [LPARAM]]  post a message
// A host program chooses the device root first, then hands the verb and its arguments here.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/windows/window_info.h"

namespace zt::platform::zt_win {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitFailure = 2;  // usage errors too

bool is_window_command(std::string_view verb);
// args[0] is the verb. Returns the exit status; messages go to err.
int run_window_command(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);
std::string window_commands_usage();

// The pieces, for tests.
// Decimal or 0x hex (either case), 0 ... 4294967295, nothing around it.
std::optional<std::uint32_t> parse_number(std::string_view text);

struct PostCommand {
    std::optional<std::u16string> class_name;
    std::optional<WindowHandle> handle;
    std::uint32_t number { 0 };
    std::uint32_t wparam { 0 };
    std::uint32_t lparam { 0 };
};
// Arguments after "post"; the usage error as text otherwise.
std::variant<PostCommand, std::string> parse_post(const std::vector<std::string_view>& args);

// handle (0x and 8 hex digits), class, title, process id, device path of the executable,
// separated by tabs. Control characters in the texts show as spaces, so a window is one line.
std::string format_window_line(const WindowInfo& window);

}  // namespace zt::platform::zt_win
