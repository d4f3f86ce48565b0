#pragma once
// What a program of the device knows about itself: its module path and its command line.
#include <string>

namespace zt::platform {

// The device path of the running program ("\Windows\ZunTime.exe"): /proc/self/exe mapped
// into the device when it lies inside the root; else ZT_MODULE, which the device sets for
// every program it starts; else "\Windows\" + the executable's file name.
std::u16string own_module_path();

// argv[1..] joined with single spaces. The device passes a command line as one argument,
// while a person types words; both give the same line.
std::u16string command_line(int argc, char** argv);

}  // namespace zt::platform
