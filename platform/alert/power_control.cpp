#include "platform/alert/power_control.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "platform/alert/runtime_record.h"
#include "platform/power/user_activity.h"
#include "platform/registry/registry.h"

namespace zt::platform::alert {
namespace {

uint64_t read_count(std::string_view name) {
    const std::string text = read_runtime_record(name);
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;  // a damaged record restarts the count
        value = value * 10 + uint64_t(c - '0');
    }
    return value;
}

// Counters are bumped under a lock file so two processes never lose a count.
void bump_count(std::string_view name) {
    const auto dir = runtime_record_dir();
    if (dir.empty()) return;
    const int fd = ::open((dir / (std::string(name) + ".lock")).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX) == 0) {
        write_runtime_record(name, std::to_string(read_count(name) + 1));
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
}

}  // namespace

void system_idle_timer_reset() {
    bump_count("idle-resets");
    signal_user_activity();
}

uint64_t idle_timer_resets() { return read_count("idle-resets"); }

bool register_activity_event() {
    auto key = registry::Key::create(registry::Root::LocalMachine, u"System\\GWE");
    return key && key->key.set_string(u"ActivityEvent", kUserActivityEventName) == registry::Status::Ok;
}

void request_display_power_on() {
    bump_count("display-on");
    signal_user_activity();
}

uint64_t display_power_on_requests() { return read_count("display-on"); }

}  // namespace zt::platform::alert
