#pragma once
// A GUI program of the device ends cleanly on SIGTERM and SIGINT: the signal quits the Qt event
// loop, so main() returns and every destructor runs (a service manager's stop, Ctrl+C).
//
// Call block_termination_signals() first in main(), before any thread exists (Qt's own
// threads then inherit the blocked set and never take the signal), and
// quit_on_termination_signals() once the application object exists. A signal that arrives in
// between is kept and quits the loop as soon as it runs.
namespace zt::platform::gui {

// False when the signals cannot be blocked.
bool block_termination_signals();
// False without a QCoreApplication or when the signals cannot be watched.
bool quit_on_termination_signals();

}  // namespace zt::platform::gui
