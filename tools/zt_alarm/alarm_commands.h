#pragma once
// Carries out one zt-alarm request on a store, as the main program would: the record is
// changed and saved under the store mutex (the store is reloaded under it first, so changes
// other programs made are not overwritten), the next due time is registered again and the
// main program and the Today item are told with the item command.
#include <cstdint>
#include <string>

#include "contracts/item_command.h"
#include "core/time_store.h"
#include "tools/zt_alarm/alarm_command_line.h"

namespace zt::tools {

// What follows a change; the tool uses the device's, tests a recorder.
class ChangeFollowUp {
public:
    virtual ~ChangeFollowUp() = default;
    // False when the next due time could not be registered.
    virtual bool reschedule(const zt::core::CTimeStore& store) = 0;
    // The main program and the Today item mirror the change in their own copies.
    virtual void tell_programs(int32_t id, contracts::ItemCommand command, uint16_t argument) = 0;
};

struct AlarmOutcome {
    int exit_code { 0 };  // 0 done, 1 no such record, 2 failure
    std::string output;   // for stdout
    std::string error;    // for stderr
};

AlarmOutcome run_alarm_request(const AlarmRequest& request, zt::core::CTimeStore& store, ChangeFollowUp& follow_up,
                               const zt::platform::SYSTEMTIME& now);

}  // namespace zt::tools
