#pragma once
// Carries out one zt-alarm request on a store, as the main program would: the record is
// changed and saved under the store mutex (the store is reloaded under it first, so changes
// other programs made are not overwritten), the next due time is registered again and the
// Today item is told with its item command.
#include <cstdint>
#include <string>

#include "core/time_store.h"
#include "tools/zt_alarm/alarm_command_line.h"

namespace zt::tools {

// The item command the Today item gets (0x046B): command in the high 16 bits of the second
// word, argument in the low 16 bits.
inline constexpr uint32_t kItemCommandMessage = 0x046B;
inline constexpr char16_t kTodayWindowClass[] = u"ZUNTIME{D9561A90-B72D-44F9-866C-E22E9455AF57}";
enum ItemCommand : uint16_t {
    kCommandSnoozed = 0,       // argument: minutes
    kCommandDismissed = 1,
    kCommandTimerReset = 2,
    kCommandRemoved = 4,
    kCommandEnabled = 5,
    kCommandDisabled = 6,
    kCommandChanged = 7,       // created or changed; also a timer started or paused
};

// What follows a change; the tool uses the device's, tests a recorder.
class ChangeFollowUp {
public:
    virtual ~ChangeFollowUp() = default;
    // False when the next due time could not be registered.
    virtual bool reschedule(const zt::core::CTimeStore& store) = 0;
    virtual void tell_today(int32_t id, uint16_t command, uint16_t argument) = 0;
};

struct AlarmOutcome {
    int exit_code { 0 };  // 0 done, 1 no such record, 2 failure
    std::string output;   // for stdout
    std::string error;    // for stderr
};

AlarmOutcome run_alarm_request(const AlarmRequest& request, zt::core::CTimeStore& store, ChangeFollowUp& follow_up,
                               const zt::platform::SYSTEMTIME& now);

}  // namespace zt::tools
