#pragma once
// The dialogs the command line and a second instance can ask for outside the main dialog's
// own screens. parent may be null (a start straight into the dialog).
#include "app/model/start_mode.h"

class QWidget;

namespace zt::app {

// NewAlarm, New1TAlarm or EditAlarm (numbers[0] = alarm identifier) on the process's store.
// Returns when it closes; an alarm that does not exist opens nothing.
void open_alarm_editor(const CommandLine& line, QWidget* parent);

// ChooseCity: lets the user pick a city, preselected from the requester's current city, and
// sends the requester the 300-byte answer (data word 1130). Cancelling sends nothing.
void run_city_chooser(const CommandLine& line, QWidget* parent);

}  // namespace zt::app
