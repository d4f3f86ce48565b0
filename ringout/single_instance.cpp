#include "ringout/single_instance.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "contracts/ringout.h"
#include "platform/base/text.h"
#include "platform/windows/window_lookup.h"

namespace zt::ringout {

namespace {
constexpr int kWindowLookups = 3;
constexpr std::chrono::milliseconds kLookupPause { 1000 };
}  // namespace

std::u16string instance_mutex_name(std::u16string path) {
    std::replace(path.begin(), path.end(), u'\\', u'/');
    return path;
}

bool program_window_exists(const std::u16string& module_path) {
    for (const auto& window : zt::platform::find_windows_by_class_prefix(contracts::kRingoutClassPrefix)) {
        if (zt::platform::equal_ignoring_case(window.module_path, module_path)) return true;
    }
    return false;
}

InstanceCheck SingleInstance::claim(const std::u16string& own_path) {
    auto opened = zt::platform::NamedMutex::create_or_open(instance_mutex_name(own_path));
    if (!opened) return InstanceCheck::First;  // without the mutex there is nothing to compare
    const bool existed = opened->already_existed;
    m_mutex.emplace(std::move(opened->mutex));
    if (!existed) return InstanceCheck::First;
    // The device has no thread priorities to lower: the pause alone lets the other copy
    // finish putting up (or taking down) its windows.
    for (int lookup = 0; lookup < kWindowLookups; ++lookup) {
        if (program_window_exists(own_path)) return InstanceCheck::AnotherRuns;
        std::this_thread::sleep_for(kLookupPause);
    }
    return InstanceCheck::First;
}

}  // namespace zt::ringout
