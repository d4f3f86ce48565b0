#pragma once
// Copying a package's files into the device without ever following a link, at either end.
//
//  - A package file is opened folder by folder below the package folder: every step must be a
//    real folder and the file a regular file, so a link in a package can never bring a file
//    from elsewhere (/etc/shadow) into the device. The package folder itself may be a link.
//  - A device file is reached folder by folder from the device root the same way: a link on
//    the way or in the file's place is refused, even one that points nowhere yet.
//  - The copy is written beside the target and renamed over it, so a target is either the old
//    file or the whole new one. It gets the source's permission bits without set-user-id,
//    set-group-id and sticky bits.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zt::platform::install {

// Why the package file cannot be copied (a link, not a regular file, missing), or nullopt.
std::optional<std::string> check_package_file(const std::filesystem::path& package, const std::string& relative);

// Why nothing may be written at the target below the root (a link or something other than a
// folder on the way, a link or something other than a regular file in its place), or
// nullopt. Missing folders are fine: they will be made.
std::optional<std::string> check_device_target(const std::filesystem::path& root, const std::filesystem::path& target);

// The file's identity on the host, to follow it when the setup library renames it.
struct FileIdentity {
    dev_t device { 0 };
    ino_t inode { 0 };
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Copies as described above, making missing folders. The identity of the new file, or
// nullopt with the reason in *message.
std::optional<FileIdentity> copy_package_file(const std::filesystem::path& package, const std::string& relative,
                                              const std::filesystem::path& root, const std::filesystem::path& target,
                                              std::string* message);

// Where a copy to the target is written before it is renamed into place. A copy cut short
// leaves it behind; removing the application removes it too.
std::filesystem::path partial_copy_of(const std::filesystem::path& target);

// Where the file with this identity now is in the target's folder under another name (a
// setup library renamed it), or nullopt. Links and folders are never taken for it.
std::optional<std::filesystem::path> find_renamed(const std::filesystem::path& target, const FileIdentity& identity);

}  // namespace zt::platform::install
