#include "platform/base/device_root.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
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

uint64_t fnv1a(const std::string& s) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

bool private_and_ours(const fs::path& dir) {
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
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

fs::path device_runtime_dir() {
    auto root = device_root();
    if (root.empty()) return {};
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    fs::path base = (xdg && *xdg && private_and_ours(xdg)) ? fs::path(xdg) : fs::path("/tmp");
    char name[64];
    std::snprintf(name, sizeof name, "zt-%u-%016llx", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(fnv1a(root.string())));
    fs::path dir = base / name;
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return private_and_ours(dir) ? dir : fs::path();
}

}  // namespace zt::platform
