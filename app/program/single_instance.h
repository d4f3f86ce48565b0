#pragma once
// One main program per installed copy. The mutex is named after the program file's device path
// (with "/" for "\"); when it already exists, a running copy is looked for by its anchor window
// and handed this copy's command line, and this copy ends without making a window.
//
// The mutex only detects a running copy: it is never waited on, and it is held for the life
// of the process so that later copies see this one.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/named_mutex.h"

namespace zt::app {

enum class InstanceCheck {
    Started,     // the first copy (or the running one never showed its window): start normally
    HandedOver,  // a running copy got the command line: end now
};

// "\Program Files\Zun Time\ZunTime.exe" -> "/Program Files/Zun Time/ZunTime.exe".
std::u16string instance_mutex_name(std::u16string_view module_path);

class SingleInstance {
public:
    static constexpr int kLookups = 3;
    using Pause = std::function<void()>;

    // `pause` runs between lookups that found no anchor window; by default it sleeps
    // 1000 ms at idle priority, so the other copy can finish starting or ending.
    explicit SingleInstance(Pause pause = {});

    InstanceCheck claim(std::u16string_view module_path, std::u16string_view command_line);

private:
    Pause m_pause;
    std::optional<zt::platform::NamedMutex> m_mutex;
};

// Finds the running copy's anchor window; when there is one, asks it to come forward and hands
// it the command line. False when no anchor window exists.
bool hand_over_to_running_copy(std::u16string_view command_line,
                               std::chrono::milliseconds answer_limit = std::chrono::seconds(5));

}  // namespace zt::app
