#pragma once
// The main program from its entry to its end: single instance, then the start-up steps in their
// fixed order, the dialog the command line asks for (or the main dialog), and the end.
namespace zt::app {

// The exit code of the program. A copy that handed its command line to a running one ends
// with 0 and has made no window.
int run_main_program(int argc, char** argv);

}  // namespace zt::app
