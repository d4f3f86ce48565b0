#pragma once
// What tells one version of a file from another without reading it: the file it is (device
// and inode), its size and its modification time. A file replaced or rewritten gets another
// stamp, however quickly it happened.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace zt::platform {

struct FileStamp {
    std::uint64_t device { 0 };
    std::uint64_t inode { 0 };
    std::int64_t size { 0 };
    std::int64_t modified_ns { 0 };
    bool operator==(const FileStamp&) const = default;
};

// nullopt unless the path names a regular file (a link to one counts).
std::optional<FileStamp> regular_file_stamp(const std::filesystem::path& path);

}  // namespace zt::platform
