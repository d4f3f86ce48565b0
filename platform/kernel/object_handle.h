#pragma once
// One page of shared memory per named kernel object, and the "already existed" rule.
//
// A named object is the file <device_runtime_dir>/<object_file_name(name)>, one page long,
// mapped MAP_SHARED by every process that has it open. Its words are live state touched with
// atomics and futexes, never stored data, so they are in the machine's own byte order: the
// runtime folder exists only on this machine and only while the device runs.
//
//   offset 0   magic "ZTKO"        written last when a page is (re)initialised
//   offset 4   kind (1 mutex, 2 event)
//   offset 8   layout version
//   offset 64  the kind's payload
//
// "Already existed" means some handle to the object is open right now in some process:
//  - a process keeps one shared flock on the file while it has handles (one mapping per
//    process, shared by all its handles, so a mutex is the same object for all of them);
//  - create-or-open runs under a device-wide lock file; when an exclusive flock on the object
//    file succeeds nobody holds it, so the page is (re)initialised and reported new.
// flocks vanish with their process, so a crashed program never keeps a name "existing", and
// a page left half-written by a crash is simply initialised again by the next creator.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace zt::platform::detail {

enum class ObjectKind : std::uint32_t { Mutex = 1, Event = 2 };

inline constexpr std::size_t kObjectPageBytes = 4096;
inline constexpr std::size_t kPayloadOffset = 64;
inline constexpr std::size_t kPayloadBytes = kObjectPageBytes - kPayloadOffset;

struct SharedObject;

class ObjectHandle {
public:
    // Fills a fresh, zeroed payload; false when it cannot (the open then fails).
    using Initialise = std::function<bool(std::byte* payload)>;
    struct Opened;

    // An empty name makes an unnamed object private to this process (and its forks).
    // Fails when the runtime folder is unusable, or the name belongs to another kind.
    static std::optional<Opened> create_or_open(std::u16string_view name, ObjectKind kind,
                                                const Initialise& initialise);
    // Only when some process has it open now.
    static std::optional<ObjectHandle> open_existing(std::u16string_view name, ObjectKind kind);

    std::byte* payload() const;

    // A held robust mutex must stay mapped until released: the C library links held robust
    // mutexes into a per-thread list that runs through the mapped page itself. Mutex code
    // reports each acquisition and release; a page still held when its last handle closes
    // stays mapped (and its name existing) until the process ends.
    void note_acquired() const;
    void note_released() const;

    ObjectHandle(ObjectHandle&& other) noexcept;
    ObjectHandle& operator=(ObjectHandle&& other) noexcept;
    ObjectHandle(const ObjectHandle&) = delete;
    ObjectHandle& operator=(const ObjectHandle&) = delete;
    ~ObjectHandle();

private:
    explicit ObjectHandle(SharedObject* object) : m_object(object) {}
    void close();

    SharedObject* m_object { nullptr };
};

struct ObjectHandle::Opened {
    ObjectHandle handle;
    bool already_existed { false };
};

}  // namespace zt::platform::detail
