// The device's runtime folder (device_root.h): where it is, and how it is kept out of other
// users' reach when the session has no private runtime folder of its own.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/state_files.h"

namespace zt::platform {
namespace fs = std::filesystem;
namespace {

// Folder + "/" + the longest socket name + the terminating NUL must fit a socket address.
constexpr std::size_t kLongestFolder = sizeof(sockaddr_un::sun_path) - 2 - kRuntimeSocketNameRoom;
constexpr std::size_t kLongestRecord = 4096;

uint64_t fnv1a(const std::string& s) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

// "zt-<uid>-<hash of the root>": the part of the folder's name that ties it to this user and root.
std::string folder_stem(const fs::path& root) {
    char name[64];
    std::snprintf(name, sizeof name, "zt-%u-%016llx", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(fnv1a(root.string())));
    return name;
}

bool private_and_ours(const fs::path& dir) {
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

bool fits(const fs::path& dir) { return dir.native().size() <= kLongestFolder; }

struct Found {
    fs::path dir;
    std::string why_not;  // when dir is empty
};

Found in_session_folder(const fs::path& root) {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (!xdg || !*xdg) return { {}, "XDG_RUNTIME_DIR is not set" };
    if (!private_and_ours(xdg)) return { {}, std::string("XDG_RUNTIME_DIR ") + xdg + " is not a private folder of this user" };
    fs::path dir = fs::path(xdg) / folder_stem(root);
    if (!fits(dir)) return { {}, "XDG_RUNTIME_DIR " + std::string(xdg) + " is too long for the device's socket paths" };
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return { {}, dir.string() + ": " + std::strerror(errno) };
    if (!private_and_ours(dir)) return { {}, dir.string() + " is not a private folder of this user" };
    return { dir, {} };
}

// What the root's record names, when that is still a usable folder of this root.
fs::path usable_record(const std::string& text, const fs::path& root) {
    if (text.empty() || text.find('\0') != std::string::npos) return {};
    fs::path dir(text);
    if (!dir.is_absolute() || !fits(dir)) return {};
    // A copied device root must not share the live objects of the one it was copied from.
    if (!dir.filename().string().starts_with(folder_stem(root) + "-")) return {};
    return private_and_ours(dir) ? dir : fs::path();
}

Found in_recorded_folder(const fs::path& root) {
    const fs::path record = root / kRuntimePointerFileName;
    int fd = ::open(record.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return { {}, record.string() + ": " + std::strerror(errno) };
    // Held while the record is read and, when it names nothing usable, replaced: two processes
    // starting at once agree on one folder.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    std::string text(kLongestRecord, '\0');
    ssize_t got = pread(fd, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    Found found { usable_record(text, root), {} };
    if (found.dir.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        fs::path base = tmp && *tmp ? fs::path(tmp) : fs::path("/tmp");
        std::string pattern = (base / (folder_stem(root) + "-XXXXXX")).string();
        if (!fits(pattern)) {
            found.why_not = base.string() + " is too long for the device's socket paths";
        } else if (!mkdtemp(pattern.data())) {
            found.why_not = "cannot make a folder in " + base.string() + ": " + std::strerror(errno);
        } else {
            std::string line = pattern + "\n";
            if (ftruncate(fd, 0) != 0 || pwrite(fd, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size())) {
                found.why_not = "cannot record the runtime folder in " + record.string() + ": " + std::strerror(errno);
                rmdir(pattern.c_str());
            } else {
                found.dir = pattern;
            }
        }
    }
    ::close(fd);
    return found;
}

std::mutex g_mutex;
std::map<fs::path, fs::path> g_found;  // root -> its folder, checked again on every use
std::set<fs::path> g_reported;         // roots whose lack of a folder was reported

}  // namespace

fs::path device_runtime_dir() {
    auto root = device_root();
    if (root.empty()) return {};
    std::lock_guard lock(g_mutex);
    if (auto cached = g_found.find(root); cached != g_found.end() && private_and_ours(cached->second))
        return cached->second;
    Found session = in_session_folder(root);
    Found found = session.dir.empty() ? in_recorded_folder(root) : session;
    if (!found.dir.empty()) {
        g_found[root] = found.dir;
        return found.dir;
    }
    g_found.erase(root);
    if (g_reported.insert(root).second) {
        std::fprintf(stderr, "zt device: no private runtime folder for the device %s: %s; %s\n", root.c_str(),
                     session.why_not.c_str(), found.why_not.c_str());
    }
    return {};
}

}  // namespace zt::platform
