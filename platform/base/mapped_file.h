#pragma once
// A file mapped read-only into memory, as the handheld maps its data files.
//
// Guarantees:
//  - bytes() stays valid and unchanged for the life of the object (the mapping is private and
//    read-only; the product never writes through it). An empty file maps to an empty span.
//  - Sharing::Exclusive is the handheld's "no sharing" open: while one MappedFile holds a file
//    exclusively, every other exclusive open of it fails, in this process or another one. A
//    shared open does not take part in that exclusion.
//  - Failures (missing file, a folder, no permission, no memory) return nullopt; nothing throws.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace zt::platform {

class MappedFile {
public:
    enum class Sharing { Shared, Exclusive };

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
    int m_fd { -1 };  // kept open only while it holds the exclusive lock
};

}  // namespace zt::platform
