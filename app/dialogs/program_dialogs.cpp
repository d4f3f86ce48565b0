#include "app/dialogs/program_dialogs.h"

#include "app/dialogs/alarm_editor.h"
#include "app/model/city_answer.h"
#include "core/time_store.h"
#include "world/city_database.h"

namespace zt::app {

void open_alarm_editor(const CommandLine& line, QWidget* parent) {
    AlarmEditRequest request;
    if (line.mode == StartMode::EditAlarm)
        request.alarm_id = static_cast<int32_t>(line.numbers[0]);
    else
        request.one_time = line.mode == StartMode::NewOneTimeAlarm;
    open_alarm_editor(core::CTimeStore::instance(), request, parent);
}

void run_city_chooser(const CommandLine& line, QWidget* /*parent*/) {
    // Until the add-city dialog exists there is nothing to choose with: the request ends as a
    // cancel would, sending nothing. The dialog's issue hands its picker in here.
    const CityPicker no_chooser_yet = [](const CityPreselection&) { return std::optional<world::CityRecord> {}; };
    answer_city_request(line, no_chooser_yet, world::CityDatabase::instance(), 0);
}

}  // namespace zt::app
