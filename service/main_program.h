#pragma once
// Starting and ending the main program on the screen saver's behalf.
#include <chrono>
#include <string>
#include <string_view>

#include "service/service_device.h"
#include "service/service_state.h"

namespace zt::service {

// "AppPath" of the product key; empty when missing.
std::u16string main_program_path();

// Starts the main program at "AppPath" with the command line. False when "AppPath" is empty
// or the process could not be created.
bool start_main_program(ServiceDevice& device, std::u16string_view command_line);

// Starts the main program with "ScreenSaver", first noting in the state whether its window
// exists already. True when the program was started.
bool start_screen_saver(ServiceState& state, ServiceDevice& device);

inline constexpr int kPoliteEndRounds = 3;
inline constexpr std::chrono::milliseconds kPoliteEndRoundLength { 1'700 };

// Ends the main program when the screen saver was its only reason to run: WM_CLOSE, then
// WM_QUIT, each followed by up to three waits of 1.7 s for the window to go, then the
// process is terminated. Nothing happens when the window is gone already or belongs to the
// service's own process.
void end_main_program(ServiceDevice& device, WindowHandle window);

}  // namespace zt::service
