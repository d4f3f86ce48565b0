#include "platform/kernel/process_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/kernel/module_path.h"

namespace zt::platform {
namespace fs = std::filesystem;
namespace {

// Environments are small; anything larger than this is not worth reading for two variables.
constexpr std::size_t kMaxEnvironmentBytes = 1 << 20;

std::string proc_path(int pid, const char* entry) {
    return "/proc/" + std::to_string(pid) + "/" + entry;
}

std::optional<fs::path> executable_of(int pid) {
    std::error_code ec;
    auto exe = fs::read_symlink(proc_path(pid, "exe"), ec);
    if (ec || exe.empty()) return std::nullopt;
    // A program replaced on disk while it runs still counts as that program.
    static constexpr std::string_view kDeleted = " (deleted)";
    std::string text = exe.string();
    if (text.ends_with(kDeleted)) text.resize(text.size() - kDeleted.size());
    return fs::path(text);
}

struct StartEnvironment {
    std::optional<std::string> root;
    std::optional<std::string> module;
};

StartEnvironment start_environment_of(int pid) {
    StartEnvironment env;
    int fd = ::open(proc_path(pid, "environ").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return env;
    std::string data;
    char buf[8192];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buf, static_cast<std::size_t>(n));
        if (data.size() > kMaxEnvironmentBytes) break;
    }
    ::close(fd);
    std::string_view rest(data);
    while (!rest.empty()) {
        auto end = rest.find('\0');
        std::string_view entry = rest.substr(0, end);
        if (entry.starts_with("ZT_ROOT=")) env.root = std::string(entry.substr(8));
        if (entry.starts_with("ZT_MODULE=")) env.module = std::string(entry.substr(10));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return env;
}

bool same_root(const std::string& candidate, const fs::path& root) {
    std::error_code ec;
    auto canonical = fs::canonical(candidate, ec);
    return !ec && canonical == root;
}

std::optional<std::u16string> module_path_in(int pid, const fs::path& root) {
    if (pid == getpid()) return own_module_path();
    auto exe = executable_of(pid);
    if (!exe) return std::nullopt;  // gone, a zombie, or not ours to inspect
    if (auto mapped = to_device_path(*exe, root)) return mapped;
    StartEnvironment env = start_environment_of(pid);
    if (!env.root || !same_root(*env.root, root)) return std::nullopt;
    if (env.module && !env.module->empty()) return utf8_to_utf16(*env.module);
    return u"\\Windows\\" + utf8_to_utf16(exe->filename().string());
}

std::optional<int> pid_from_name(const char* name) {
    int pid = 0;
    const char* end = name + std::char_traits<char>::length(name);
    auto [ptr, ec] = std::from_chars(name, end, pid);
    if (ec != std::errc() || ptr != end || pid <= 0) return std::nullopt;
    return pid;
}

}  // namespace

std::vector<ProcessEntry> device_processes() {
    std::vector<ProcessEntry> found;
    fs::path root = device_root();
    if (root.empty()) return found;
    DIR* proc = opendir("/proc");
    if (!proc) return found;
    while (dirent* entry = readdir(proc)) {
        auto pid = pid_from_name(entry->d_name);
        if (!pid) continue;
        if (auto path = module_path_in(*pid, root)) found.push_back({ *pid, std::move(*path) });
    }
    closedir(proc);
    return found;
}

std::optional<std::u16string> process_module_path(int id) {
    fs::path root = device_root();
    if (id <= 0 || root.empty()) return std::nullopt;
    return module_path_in(id, root);
}

}  // namespace zt::platform
