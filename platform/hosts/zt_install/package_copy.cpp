#include "platform/hosts/zt_install/package_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/windows/unique_fd.h"

namespace zt::platform::install {
namespace {

namespace fs = std::filesystem;
using platform::detail::UniqueFd;

constexpr mode_t kPermissionBits = 0777;  // everything but set-user-id, set-group-id and sticky

struct Parent {
    UniqueFd folder;             // the folder that holds the file; invalid when it is missing
    std::string name;            // the file's name in it
    std::optional<std::string> problem;
};

// Opens the folders from `base` along `relative` up to the file's folder, one step at a time
// and never through a link; with `create`, missing folders are made on the way.
Parent open_parent(const fs::path& base, const fs::path& relative, bool create) {
    Parent parent;
    std::vector<std::string> parts;
    for (const auto& part : relative) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            parent.problem = relative.string() + " leaves its folder";
            return parent;
        }
        parts.push_back(part.string());
    }
    if (parts.empty()) {
        parent.problem = "no file name in " + relative.string();
        return parent;
    }
    parent.folder.reset(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.folder.valid()) {
        parent.problem = base.string() + ": " + std::strerror(errno);
        return parent;
    }
    fs::path reached = base;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        reached /= parts[i];
        const int at = parent.folder.get();
        int next = ::openat(at, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && create) {
            if (::mkdirat(at, parts[i].c_str(), 0777) != 0 && errno != EEXIST) {
                parent.problem = "cannot make " + reached.string() + ": " + std::strerror(errno);
                return parent;
            }
            next = ::openat(at, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (next < 0) {
            if (errno == ENOENT && !create) {
                parent.folder.reset();  // made later; nothing in it can be in the way
            } else if (errno == ELOOP || errno == ENOTDIR) {
                parent.problem = reached.string() + " is a link or not a folder";
            } else {
                parent.problem = reached.string() + ": " + std::strerror(errno);
            }
            return parent;
        }
        parent.folder.reset(next);
    }
    parent.name = parts.back();
    return parent;
}

UniqueFd open_package_file(const fs::path& package, const std::string& relative, std::string* problem) {
    Parent parent = open_parent(package, relative, false);
    if (parent.problem || !parent.folder.valid()) {
        *problem = parent.problem.value_or("missing in the package: " + relative);
        return {};
    }
    // Non-blocking, so a FIFO in a package cannot hang the installer before it is refused.
    UniqueFd file(::openat(parent.folder.get(), parent.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file.valid()) {
        *problem = errno == ELOOP ? "a link in the package: " + relative
                 : errno == ENOENT ? "missing in the package: " + relative
                                   : relative + ": " + std::strerror(errno);
        return {};
    }
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *problem = "not a regular file in the package: " + relative;
        return {};
    }
    return file;
}

// Why the entry in the target's place may not be replaced, or nullopt (none, or a file).
std::optional<std::string> check_in_place(const Parent& parent, const fs::path& target) {
    if (!parent.folder.valid()) return std::nullopt;
    struct stat info {};
    if (::fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return target.string() + ": " + std::strerror(errno);
    }
    if (S_ISLNK(info.st_mode)) return target.string() + " is a link";
    if (!S_ISREG(info.st_mode)) return target.string() + " is not a regular file";
    return std::nullopt;
}

std::optional<fs::path> relative_below(const fs::path& root, const fs::path& target) {
    fs::path relative = target.lexically_normal().lexically_relative(root.lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return std::nullopt;
    return relative;
}

bool copy_bytes(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            done += put;
        }
    }
}

}  // namespace

std::optional<std::string> check_package_file(const fs::path& package, const std::string& relative) {
    std::string problem;
    if (!open_package_file(package, relative, &problem).valid()) return problem;
    return std::nullopt;
}

std::optional<std::string> check_device_target(const fs::path& root, const fs::path& target) {
    auto relative = relative_below(root, target);
    if (!relative) return target.string() + " is outside the device";
    Parent parent = open_parent(root, *relative, false);
    if (parent.problem) return parent.problem;
    return check_in_place(parent, target);
}

std::optional<FileIdentity> copy_package_file(const fs::path& package, const std::string& relative,
                                              const fs::path& root, const fs::path& target, std::string* message) {
    UniqueFd source = open_package_file(package, relative, message);
    if (!source.valid()) return std::nullopt;
    auto below = relative_below(root, target);
    if (!below) {
        *message = target.string() + " is outside the device";
        return std::nullopt;
    }
    Parent parent = open_parent(root, *below, true);
    if (!parent.problem) parent.problem = check_in_place(parent, target);
    if (parent.problem) {
        *message = *parent.problem;
        return std::nullopt;
    }
    const int folder = parent.folder.get();
    const std::string temporary = partial_copy_of(parent.name).string();
    ::unlinkat(folder, temporary.c_str(), 0);  // left by an installation cut short
    const int copy = ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat source_info {};
    struct stat copy_info {};
    bool done = copy >= 0 && ::fstat(source.get(), &source_info) == 0 && copy_bytes(source.get(), copy) &&
                ::fchmod(copy, source_info.st_mode & kPermissionBits) == 0 && ::fstat(copy, &copy_info) == 0;
    int error = errno;
    // A write the file system could not keep may show only now.
    if (copy >= 0 && ::close(copy) != 0 && done) {
        error = errno;
        done = false;
    }
    if (done && ::renameat(folder, temporary.c_str(), folder, parent.name.c_str()) != 0) {
        error = errno;
        done = false;
    }
    if (!done) {
        ::unlinkat(folder, temporary.c_str(), 0);
        *message = "cannot copy " + relative + " to " + target.string() + ": " + std::strerror(error);
        return std::nullopt;
    }
    return FileIdentity { copy_info.st_dev, copy_info.st_ino };
}

fs::path partial_copy_of(const fs::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".zt-install");
}

std::optional<fs::path> find_renamed(const fs::path& target, const FileIdentity& identity) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && FileIdentity { info.st_dev, info.st_ino } == identity) return std::nullopt;
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end; it.increment(error)) {
        if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (FileIdentity { info.st_dev, info.st_ino } == identity) return it->path();
    }
    return std::nullopt;
}

}  // namespace zt::platform::install
