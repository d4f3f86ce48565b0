#include "platform/base/clock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/base/state_files.h"

namespace zt::platform {
namespace {

// The offset file: 8 bytes offset in ms, 8 bytes change count, both little-endian. It is
// replaced by rename, so a reader never sees half of a write.
constexpr const char* kOffsetFileName = kDeviceClockFileName;
constexpr size_t kOffsetFileSize = 16;

struct OffsetRecord {
    int64_t offset_ms = 0;
    uint64_t changes = 0;
    bool damaged = false;
};

FileTime host_universal_now() {
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return kUnixEpochAsFileTime + ts.tv_sec * kFileTimeTicksPerSecond + ts.tv_nsec / 100;
}

// Within the device clock's range at this host moment; written so that no sum can overflow.
bool offset_allowed_at(FileTime host, int64_t offset_ms) {
    constexpr int64_t kLimitMs = INT64_MAX / kFileTimeTicksPerMillisecond;
    if (offset_ms > kLimitMs || offset_ms < -kLimitMs) return false;
    const FileTime moved = offset_ms * kFileTimeTicksPerMillisecond;
    return host >= kEarliestDeviceTime - moved && host <= kLatestDeviceTime - moved;
}

void report_damage_once(const std::filesystem::path& file) {
    static std::atomic<bool> reported { false };
    if (reported.exchange(true)) return;
    std::fprintf(stderr, "zt device clock: %s is damaged and is read as no offset; the next clock change replaces it\n",
                 file.c_str());
}

OffsetRecord read_offset_record() {
    OffsetRecord record;
    auto root = device_root();
    if (root.empty()) return record;
    const auto file = root / kOffsetFileName;
    // Non-blocking, so that a FIFO put in its place cannot hang every reader of the clock.
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) {
        record.damaged = errno != ENOENT;
        if (record.damaged) report_damage_once(file);
        return record;
    }
    uint8_t bytes[kOffsetFileSize];
    struct stat st {};
    bool sound = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == static_cast<off_t>(sizeof bytes) &&
                 pread(fd, bytes, sizeof bytes, 0) == static_cast<ssize_t>(sizeof bytes);
    close(fd);
    if (sound) {
        record.offset_ms = static_cast<int64_t>(read_le64(bytes));
        record.changes = read_le64(bytes + 8);
        sound = offset_allowed_at(host_universal_now(), record.offset_ms);
    }
    if (!sound) {
        record = OffsetRecord { 0, 0, true };
        report_damage_once(file);
    }
    return record;
}

class HostClock final : public ClockSource {
public:
    FileTime universal_now() override {
        return host_universal_now() + read_offset_record().offset_ms * kFileTimeTicksPerMillisecond;
    }
    int32_t utc_offset_minutes_at(FileTime universal) override {
        time_t t = static_cast<time_t>((universal - kUnixEpochAsFileTime) / kFileTimeTicksPerSecond);
        tm local {};
        if (!localtime_r(&t, &local)) return 0;
        return static_cast<int32_t>(local.tm_gmtoff / 60);
    }
    uint64_t monotonic_ms() override {
        timespec ts {};
        // Boot time keeps counting through suspend, as the handheld's tick count does.
        clock_gettime(CLOCK_BOOTTIME, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec / 1'000'000);
    }
};

HostClock g_host_clock;
std::atomic<ClockSource*> g_clock { &g_host_clock };

ClockSource& clock() { return *g_clock.load(std::memory_order_acquire); }

SYSTEMTIME to_system_time_or_epoch(FileTime ft) {
    auto st = file_time_to_system_time(ft);
    return st ? *st : SYSTEMTIME { 1601, 1, 1, 1, 0, 0, 0, 0 };
}

}  // namespace

FileTime universal_file_time() { return clock().universal_now(); }
SYSTEMTIME universal_time() { return to_system_time_or_epoch(universal_file_time()); }

FileTime universal_to_local(FileTime universal) {
    return universal + int64_t { clock().utc_offset_minutes_at(universal) } * 60 * kFileTimeTicksPerSecond;
}

FileTime local_to_universal(FileTime local) {
    // The offsets a day before and a day after the reading are the two candidates: no zone
    // changes its offset twice within two days. A candidate holds when the zone really has
    // that offset at the moment it gives.
    auto& c = clock();
    auto minutes = [](int32_t m) { return FileTime { m } * 60 * kFileTimeTicksPerSecond; };
    const int32_t before = c.utc_offset_minutes_at(local - kFileTimeTicksPerDay);
    const int32_t after = c.utc_offset_minutes_at(local + kFileTimeTicksPerDay);
    const FileTime with_before = local - minutes(before);
    const FileTime with_after = local - minutes(after);
    const bool before_holds = c.utc_offset_minutes_at(with_before) == before;
    const bool after_holds = c.utc_offset_minutes_at(with_after) == after;
    if (before_holds && after_holds) return std::min(with_before, with_after);  // the first occurrence
    if (after_holds) return with_after;
    // Held by the offset before, or skipped by the change: the offset before counts.
    return with_before;
}

FileTime local_file_time() { return universal_to_local(universal_file_time()); }
SYSTEMTIME local_time() { return to_system_time_or_epoch(local_file_time()); }

int32_t local_utc_offset_minutes() {
    auto& c = clock();
    return c.utc_offset_minutes_at(c.universal_now());
}

uint64_t tick_count64() { return clock().monotonic_ms(); }
uint32_t tick_count() { return static_cast<uint32_t>(tick_count64()); }

int64_t device_clock_offset_ms() { return read_offset_record().offset_ms; }
bool device_clock_file_damaged() { return read_offset_record().damaged; }
bool device_clock_offset_allowed(int64_t offset_ms) { return offset_allowed_at(host_universal_now(), offset_ms); }
uint64_t device_clock_change_count() { return read_offset_record().changes; }

bool set_device_clock_offset_ms(int64_t offset_ms) {
    auto root = device_root();
    if (root.empty() || !device_clock_offset_allowed(offset_ms)) return false;
    OffsetRecord record = read_offset_record();
    uint8_t bytes[kOffsetFileSize];
    write_le64(bytes, static_cast<uint64_t>(offset_ms));
    write_le64(bytes + 8, record.changes + 1);
    auto temp = root / (std::string(kOffsetFileName) + ".new." + std::to_string(getpid()));
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = write(fd, bytes, sizeof bytes) == static_cast<ssize_t>(sizeof bytes);
    ok = fsync(fd) == 0 && ok;
    close(fd);
    if (!ok || rename(temp.c_str(), (root / kOffsetFileName).c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

bool set_device_local_time(const SYSTEMTIME& local) {
    auto wanted = system_time_to_file_time(local);
    // Past the range a zone's offset could not bring it back into it; the check also keeps
    // the sums below far from overflowing.
    if (!wanted || *wanted > kLatestDeviceTime + kFileTimeTicksPerDay) return false;
    const FileTime universal = local_to_universal(*wanted);
    // Rounded up: truncating a forward step would leave the clock a fraction of a millisecond
    // short, reading 01:29:59.999 for a wanted 01:30.
    const int64_t delta_ticks = universal - universal_file_time();
    int64_t delta_ms = delta_ticks / kFileTimeTicksPerMillisecond;
    if (delta_ticks % kFileTimeTicksPerMillisecond > 0) ++delta_ms;
    return set_device_clock_offset_ms(device_clock_offset_ms() + delta_ms);
}

ScopedClockOverride::ScopedClockOverride(ClockSource& source)
    : m_previous(g_clock.exchange(&source, std::memory_order_acq_rel)) {}

ScopedClockOverride::~ScopedClockOverride() { g_clock.store(m_previous, std::memory_order_release); }

ManualClock::ManualClock(const SYSTEMTIME& local, int32_t utc_offset_minutes)
    : m_offset_minutes(utc_offset_minutes) {
    set_local(local);
}

ManualClock::ManualClock() : ManualClock(SYSTEMTIME { 2009, 3, 1, 2, 12, 0, 0, 0 }) {}

void ManualClock::set_local(const SYSTEMTIME& local) {
    auto ft = system_time_to_file_time(local);
    std::lock_guard lock(m_mutex);
    if (ft) m_universal = *ft - int64_t { m_offset_minutes } * 60 * kFileTimeTicksPerSecond;
}

void ManualClock::set_utc_offset_minutes(int32_t minutes) {
    std::lock_guard lock(m_mutex);
    m_offset_minutes = minutes;
}

void ManualClock::advance_ms(int64_t ms) {
    std::lock_guard lock(m_mutex);
    m_universal += ms * kFileTimeTicksPerMillisecond;
    if (ms > 0) m_monotonic += static_cast<uint64_t>(ms);
}

void ManualClock::jump_wall_ms(int64_t ms) {
    std::lock_guard lock(m_mutex);
    m_universal += ms * kFileTimeTicksPerMillisecond;
}

FileTime ManualClock::universal_now() {
    std::lock_guard lock(m_mutex);
    return m_universal;
}

int32_t ManualClock::utc_offset_minutes_at(FileTime) {
    std::lock_guard lock(m_mutex);
    return m_offset_minutes;
}

uint64_t ManualClock::monotonic_ms() {
    std::lock_guard lock(m_mutex);
    return m_monotonic;
}

}  // namespace zt::platform
