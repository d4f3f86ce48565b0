#include "skins/archive_input.h"

#include <cstring>
#include <system_error>

namespace zt::skins {

std::unique_ptr<FileArchiveInput> FileArchiveInput::open(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
    auto input = std::unique_ptr<FileArchiveInput>(new FileArchiveInput());
    input->m_stream.open(path, std::ios::binary | std::ios::in);
    if (!input->m_stream.is_open()) return nullptr;
    input->m_stream.seekg(0, std::ios::end);
    std::streamoff end = input->m_stream.tellg();
    if (end < 0) return nullptr;
    input->m_size = static_cast<uint64_t>(end);
    return input;
}

bool FileArchiveInput::read_at(uint64_t offset, uint8_t* destination, size_t count) {
    if (offset > m_size || count > m_size - offset) return false;
    if (count == 0) return true;
    m_stream.clear();
    m_stream.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    if (!m_stream) return false;
    m_stream.read(reinterpret_cast<char*>(destination), static_cast<std::streamsize>(count));
    return m_stream.gcount() == static_cast<std::streamsize>(count);
}

bool MemoryArchiveInput::read_at(uint64_t offset, uint8_t* destination, size_t count) {
    if (offset > m_bytes.size() || count > m_bytes.size() - offset) return false;
    if (count) std::memcpy(destination, m_bytes.data() + offset, count);
    return true;
}

}  // namespace zt::skins
