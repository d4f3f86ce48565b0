#pragma once
// What the three timer screens take from the program: the device's keep-awake, the lap file's
// save dialog and error box, and the one rule of "Lap/Reset" on a record.
#include <QWidget>

#include "app/model/lap_file.h"
#include "app/model/timer_keep_awake.h"

namespace zt::core {
class CTimer;
}

namespace zt::app {

// The process's device alerting.
CTimerKeepAwake::KeepAwake device_keep_awake();
// A save-file dialog over `parent` ("Text files (*.txt)", default extension "txt", overwrite
// prompt, only folders of the device) and the program's error box.
LapFileUi program_lap_file_ui(QWidget* parent);

// A running count-up timer takes a lap; any other is reset. True when it was reset (the caller
// saves it and reschedules).
bool lap_or_reset(core::CTimer& timer);
// A tick's sample of the timer at the millisecond clock's now. A running countdown that has run
// out is reset (in memory: the ringing program answers for it); true then.
bool sample_or_expire(core::CTimer& timer);

}  // namespace zt::app
