#include "platform/power/unattended_mode.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "platform/base/device_root.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;

struct Holder {
    fs::path file;
    int fd { -1 };
};

std::mutex g_mutex;
std::vector<Holder> g_holders;  // this process's own, newest last
std::atomic<unsigned> g_serial { 0 };

fs::path holders_dir() {
    auto runtime = device_runtime_dir();
    if (runtime.empty()) return {};
    auto dir = runtime / "unattended";
    return make_private_dir(dir) ? dir : fs::path {};
}

bool take(const fs::path& dir) {
    auto file = dir / (std::to_string(getpid()) + "-" + std::to_string(g_serial++));
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // The lock lives as long as the descriptor, so it ends with the process however it ends.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        unlink(file.c_str());
        return false;
    }
    g_holders.push_back({ file, fd });
    return true;
}

bool give_back() {
    if (g_holders.empty()) return false;
    Holder holder = g_holders.back();
    g_holders.pop_back();
    unlink(holder.file.c_str());
    ::close(holder.fd);
    return true;
}

}  // namespace

bool power_policy_notify_unattended(bool on) {
    std::lock_guard lock(g_mutex);
    if (!on) return give_back();
    auto dir = holders_dir();
    return !dir.empty() && take(dir);
}

std::size_t unattended_mode_holders() {
    auto dir = holders_dir();
    if (dir.empty()) return 0;
    std::size_t alive = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
            // Nobody holds it: its process died. Tidy up so the folder does not grow.
            unlink(it->path().c_str());
        } else {
            ++alive;
        }
        ::close(fd);
    }
    return alive;
}

}  // namespace zt::platform
