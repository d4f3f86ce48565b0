#pragma once
// Where the zip reader takes its bytes from: a file opened for one extraction, or a block
// already in memory (fuzzing, benchmarks). Both answer positioned reads only, so a reader
// never depends on a shared file position.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

namespace zt::skins {

class ArchiveInput {
public:
    virtual ~ArchiveInput() = default;
    virtual uint64_t size() const = 0;
    // True only when all `count` bytes at `offset` were delivered.
    virtual bool read_at(uint64_t offset, uint8_t* destination, size_t count) = 0;
};

// Opened for reading only; the file is closed when the object goes.
class FileArchiveInput final : public ArchiveInput {
public:
    static std::unique_ptr<FileArchiveInput> open(const std::filesystem::path& path);
    uint64_t size() const override { return m_size; }
    bool read_at(uint64_t offset, uint8_t* destination, size_t count) override;

private:
    std::ifstream m_stream;
    uint64_t m_size { 0 };
};

// Borrows the bytes; they must outlive the input.
class MemoryArchiveInput final : public ArchiveInput {
public:
    explicit MemoryArchiveInput(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    uint64_t size() const override { return m_bytes.size(); }
    bool read_at(uint64_t offset, uint8_t* destination, size_t count) override;

private:
    std::span<const uint8_t> m_bytes;
};

}  // namespace zt::skins
