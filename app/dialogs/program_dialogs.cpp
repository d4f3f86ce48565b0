#include "app/dialogs/program_dialogs.h"

#include "app/dialogs/alarm_editor.h"
#include "app/dialogs/city_dialogs.h"
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

void run_city_chooser(const CommandLine& line, QWidget* parent) {
    // The requester's city is being changed, not added to the favourites: the change form.
    const CityPicker change_city = [parent](const CityPreselection& current) {
        return run_add_city_dialog(AddCityRequest::change(current.country_index, current.region_index, current.city_id), parent);
    };
    answer_city_request(line, change_city, world::CityDatabase::instance(), 0);
}

}  // namespace zt::app
