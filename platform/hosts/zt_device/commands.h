#pragma once
// The verbs of zt-device. Each takes the words after the verb, prints to stdout (machine-
// readable lines) and stderr (errors), and returns the exit code: 0 done, 1 not found,
// 2 usage or failure.
#include <span>
#include <string>

namespace zt::platform::device {

using Words = std::span<const std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitFailure = 2;

int clock_command(Words words);
int notify_command(Words words);
int status_command(Words words);
int windows_command(Words words);
int post_command(Words words);
int screencap_command(Words words);
int input_command(Words words);
int ui_command(Words words);

// Prints "zt-device: <what>" and the hint to --help on stderr; returns kExitFailure.
int usage_error(const std::string& what);

}  // namespace zt::platform::device
