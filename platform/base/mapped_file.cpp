#include "platform/base/mapped_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace zt::platform {

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& path, Sharing sharing) {
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer. It changes
    // nothing for a regular file, the only kind mapped.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // flock belongs to the open file description, so a second exclusive open in this very
    // process is refused just as one from another process is.
    const bool locked = sharing != Sharing::Shared;
    if (locked && ::flock(fd, (sharing == Sharing::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    MappedFile file;
    file.m_size = static_cast<size_t>(st.st_size);
    if (file.m_size > 0) {
        void* data = ::mmap(nullptr, file.m_size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data == MAP_FAILED) {
            ::close(fd);
            return std::nullopt;
        }
        file.m_data = static_cast<const uint8_t*>(data);
    }
    if (locked) {
        file.m_fd = fd;
    } else {
        ::close(fd);
    }
    return file;
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_fd(std::exchange(other.m_fd, -1)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

MappedFile::~MappedFile() { release(); }

void MappedFile::release() {
    if (m_data) ::munmap(const_cast<uint8_t*>(m_data), m_size);
    if (m_fd >= 0) ::close(m_fd);
    m_data = nullptr;
    m_size = 0;
    m_fd = -1;
}

}  // namespace zt::platform
