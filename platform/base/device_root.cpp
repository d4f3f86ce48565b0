#include "platform/base/device_root.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <system_error>

namespace zt::platform {
namespace fs = std::filesystem;
namespace {

std::mutex g_root_mutex;
fs::path g_root;  // cached canonical root; empty until first asked

fs::path default_root() {
    if (const char* env = std::getenv("ZT_ROOT"); env && *env) return env;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return fs::path(data) / "zuntime" / "device";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "zuntime" / "device";
}

fs::path canonical_or_empty(const fs::path& p) {
    std::error_code ec;
    auto c = fs::canonical(fs::absolute(p, ec), ec);
    return ec ? fs::path() : c;
}

}  // namespace

bool make_private_dir(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    if (dir.has_parent_path() && dir.parent_path() != dir) {
        if (!fs::is_directory(dir.parent_path(), ec) && !make_private_dir(dir.parent_path()))
            return false;
    }
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return fs::is_directory(dir, ec);
}

fs::path device_root() {
    std::lock_guard lock(g_root_mutex);
    if (g_root.empty()) {
        auto wanted = default_root();
        if (make_private_dir(wanted)) g_root = canonical_or_empty(wanted);
    }
    return g_root;
}

bool set_device_root(const fs::path& root) {
    if (!make_private_dir(root)) return false;
    auto c = canonical_or_empty(root);
    if (c.empty()) return false;
    std::lock_guard lock(g_root_mutex);
    g_root = c;
    setenv("ZT_ROOT", c.c_str(), 1);
    return true;
}

}  // namespace zt::platform
