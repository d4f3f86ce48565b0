// ZunTime: the main program — clocks, world time, timers, alarms, options and the screensaver.
#include "app/program/program_startup.h"

int main(int argc, char** argv) { return zt::app::run_main_program(argc, argv); }
