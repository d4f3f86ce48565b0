#pragma once
// A file mapped read-only into memory, as the handheld maps its data files.
//
// Guarantees:
//  - bytes() stays valid and unchanged for the life of the object (the mapping is private and
//    read-only; the product never writes through it). An empty file maps to an empty span.
//  - Sharing::Exclusive is the handheld's "no sharing" open: while one MappedFile holds a file
//    exclusively, every other exclusive or read-shared open of it fails, in this process or
//    another one. Sharing::ReadShared is the open of a reader of a read-only file: any number
//    of read-shared opens hold it together, and each keeps exclusive opens out while it lives.
//    A Shared open takes part in neither.
//  - Only regular files are mapped. Anything else (a folder, a FIFO, a device) is refused
//    without waiting: a FIFO put where a data file belongs never hangs its reader.
//  - Failures (missing file, not a regular file, no permission, no memory) return nullopt;
//    nothing throws.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace zt::platform {

class MappedFile {
public:
    enum class Sharing { Shared, ReadShared, Exclusive };

    static std::optional<MappedFile> open(const std::filesystem::path& path, Sharing sharing = Sharing::Shared);

    std::span<const uint8_t> bytes() const { return { m_data, m_size }; }
    size_t size() const { return m_size; }

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

private:
    MappedFile() = default;
    void release();

    const uint8_t* m_data { nullptr };
    size_t m_size { 0 };
    int m_fd { -1 };  // kept open only while it holds a lock
};

}  // namespace zt::platform
