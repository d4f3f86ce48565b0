#include "platform/kernel/object_handle.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/base/device_root.h"
#include "platform/kernel/object_file_name.h"

namespace zt::platform::detail {

struct SharedObject {
    std::string path;  // empty for an unnamed object
    ObjectKind kind { ObjectKind::Event };
    int fd { -1 };
    std::byte* page { nullptr };
    int handles { 0 };               // guarded by the table mutex
    std::atomic<long> held { 0 };    // acquisitions not yet released, all threads
};

namespace {

constexpr std::uint32_t kMagic = 0x4F4B545A;  // "ZTKO" read as little-endian bytes
constexpr std::uint32_t kLayoutVersion = 1;
constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kKindOffset = 4;
constexpr std::size_t kVersionOffset = 8;

std::atomic_ref<std::uint32_t> word_at(std::byte* page, std::size_t offset) {
    return std::atomic_ref<std::uint32_t>(*reinterpret_cast<std::uint32_t*>(page + offset));
}

// Objects this process has open, by file path. Never destroyed: handles may close from
// static destructors of other modules at exit.
struct Table {
    std::mutex mutex;
    std::unordered_map<std::string, SharedObject*> by_path;
};
Table& table() {
    static Table* t = new Table;
    return *t;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Serialises create-or-open across the device so "is anyone holding it" and "take my shared
// lock" happen as one step.
class DeviceObjectLock {
public:
    explicit DeviceObjectLock(const std::filesystem::path& runtime_dir)
        : m_fd(::open((runtime_dir / "objects.lock").c_str(),
                      O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        if (m_fd.get() < 0) return;
        while (flock(m_fd.get(), LOCK_EX) != 0) {
            if (errno != EINTR) return;
        }
        m_locked = true;
    }
    bool locked() const { return m_locked; }

private:
    FileDescriptor m_fd;  // closing it drops the lock
    bool m_locked { false };
};

std::byte* map_page(int fd) {
    int flags = fd >= 0 ? MAP_SHARED : (MAP_SHARED | MAP_ANONYMOUS);
    void* p = mmap(nullptr, kObjectPageBytes, PROT_READ | PROT_WRITE, flags, fd, 0);
    return p == MAP_FAILED ? nullptr : static_cast<std::byte*>(p);
}

bool initialise_page(std::byte* page, ObjectKind kind, const ObjectHandle::Initialise& init) {
    word_at(page, kKindOffset).store(static_cast<std::uint32_t>(kind));
    word_at(page, kVersionOffset).store(kLayoutVersion);
    if (!init(page + kPayloadOffset)) return false;
    word_at(page, kMagicOffset).store(kMagic);
    return true;
}

bool page_is(std::byte* page, ObjectKind kind) {
    return word_at(page, kMagicOffset).load() == kMagic &&
           word_at(page, kVersionOffset).load() == kLayoutVersion &&
           word_at(page, kKindOffset).load() == static_cast<std::uint32_t>(kind);
}

bool flock_retrying(int fd, int op) {
    while (flock(fd, op) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// Maps an object file somebody else holds (we already have the device lock).
SharedObject* attach_existing(FileDescriptor& fd, const std::string& path, ObjectKind kind) {
    struct stat st {};
    if (!flock_retrying(fd.get(), LOCK_SH | LOCK_NB)) return nullptr;
    if (fstat(fd.get(), &st) != 0 || st.st_size < static_cast<off_t>(kObjectPageBytes))
        return nullptr;
    std::byte* page = map_page(fd.get());
    if (!page) return nullptr;
    if (!page_is(page, kind)) {  // another kind of object, or not one of ours
        munmap(page, kObjectPageBytes);
        return nullptr;
    }
    return new SharedObject { path, kind, fd.release(), page };
}

// Nobody holds the file: give it a fresh page. Still exclusively flocked on entry.
SharedObject* initialise_fresh(FileDescriptor& fd, const std::string& path, ObjectKind kind,
                               const ObjectHandle::Initialise& init) {
    if (ftruncate(fd.get(), 0) != 0 || ftruncate(fd.get(), kObjectPageBytes) != 0)
        return nullptr;
    std::byte* page = map_page(fd.get());
    if (!page) return nullptr;
    if (!initialise_page(page, kind, init) || !flock_retrying(fd.get(), LOCK_SH)) {
        munmap(page, kObjectPageBytes);
        return nullptr;
    }
    return new SharedObject { path, kind, fd.release(), page };
}

SharedObject* create_unnamed(ObjectKind kind, const ObjectHandle::Initialise& init) {
    std::byte* page = map_page(-1);
    if (!page) return nullptr;
    if (!initialise_page(page, kind, init)) {
        munmap(page, kObjectPageBytes);
        return nullptr;
    }
    return new SharedObject { std::string(), kind, -1, page };
}

std::string object_path(std::u16string_view name) {
    auto dir = device_runtime_dir();
    if (dir.empty()) return {};
    return (dir / object_file_name(name)).string();
}

}  // namespace

std::optional<ObjectHandle::Opened> ObjectHandle::create_or_open(std::u16string_view name,
                                                                 ObjectKind kind,
                                                                 const Initialise& initialise) {
    if (name.empty()) {
        SharedObject* object = create_unnamed(kind, initialise);
        if (!object) return std::nullopt;
        object->handles = 1;
        return Opened { ObjectHandle(object), false };
    }
    std::string path = object_path(name);
    if (path.empty()) return std::nullopt;

    Table& t = table();
    std::lock_guard guard(t.mutex);
    if (auto it = t.by_path.find(path); it != t.by_path.end()) {
        if (it->second->kind != kind) return std::nullopt;
        ++it->second->handles;
        return Opened { ObjectHandle(it->second), true };
    }
    DeviceObjectLock device_lock(std::filesystem::path(path).parent_path());
    if (!device_lock.locked()) return std::nullopt;
    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0) return std::nullopt;

    SharedObject* object = nullptr;
    bool existed = false;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
        object = initialise_fresh(fd, path, kind, initialise);
    } else if (errno == EWOULDBLOCK) {
        existed = true;
        object = attach_existing(fd, path, kind);
    }
    if (!object) return std::nullopt;
    object->handles = 1;
    t.by_path.emplace(path, object);
    return Opened { ObjectHandle(object), existed };
}

std::optional<ObjectHandle> ObjectHandle::open_existing(std::u16string_view name,
                                                        ObjectKind kind) {
    if (name.empty()) return std::nullopt;
    std::string path = object_path(name);
    if (path.empty()) return std::nullopt;

    Table& t = table();
    std::lock_guard guard(t.mutex);
    if (auto it = t.by_path.find(path); it != t.by_path.end()) {
        if (it->second->kind != kind) return std::nullopt;
        ++it->second->handles;
        return ObjectHandle(it->second);
    }
    DeviceObjectLock device_lock(std::filesystem::path(path).parent_path());
    if (!device_lock.locked()) return std::nullopt;
    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) return std::nullopt;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) == 0) return std::nullopt;  // a leftover: nobody has it
    if (errno != EWOULDBLOCK) return std::nullopt;
    SharedObject* object = attach_existing(fd, path, kind);
    if (!object) return std::nullopt;
    object->handles = 1;
    t.by_path.emplace(path, object);
    return ObjectHandle(object);
}

std::byte* ObjectHandle::payload() const {
    return m_object ? m_object->page + kPayloadOffset : nullptr;
}

void ObjectHandle::note_acquired() const {
    if (m_object) m_object->held.fetch_add(1);
}

void ObjectHandle::note_released() const {
    if (m_object) m_object->held.fetch_sub(1);
}

ObjectHandle::ObjectHandle(ObjectHandle&& other) noexcept
    : m_object(std::exchange(other.m_object, nullptr)) {}

ObjectHandle& ObjectHandle::operator=(ObjectHandle&& other) noexcept {
    if (this != &other) {
        close();
        m_object = std::exchange(other.m_object, nullptr);
    }
    return *this;
}

ObjectHandle::~ObjectHandle() { close(); }

void ObjectHandle::close() {
    SharedObject* object = std::exchange(m_object, nullptr);
    if (!object) return;
    Table& t = table();
    std::lock_guard guard(t.mutex);
    if (--object->handles > 0 || object->held.load() > 0) return;
    if (!object->path.empty()) t.by_path.erase(object->path);
    munmap(object->page, kObjectPageBytes);
    if (object->fd >= 0) ::close(object->fd);  // drops our shared flock
    delete object;
}

}  // namespace zt::platform::detail
