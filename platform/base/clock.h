#pragma once
// The device clock: the host clock plus a device clock offset kept in the device root, so
// every process of one device sees the same moved clock. Tests and people move a device's
// clock by setting the offset; a change of the offset is a device clock change.
//
// Unit tests inject a ClockSource instead (ScopedClockOverride): nothing here ever sleeps.
#include <cstdint>
#include <mutex>

#include "platform/base/system_time.h"

namespace zt::platform {

// Where time comes from. The real one reads the host clock, the device clock offset and the
// host time zone; tests install a ManualClock.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    // Universal time now, as a file time.
    virtual FileTime universal_now() = 0;
    // Minutes to add to universal time to get local time at that instant (east positive).
    virtual int32_t utc_offset_minutes_at(FileTime universal) = 0;
    // Milliseconds since an arbitrary start; never goes backwards, not moved by clock changes.
    virtual uint64_t monotonic_ms() = 0;
};

// Current local wall-clock time with milliseconds (the platform's GetLocalTime).
SYSTEMTIME local_time();
FileTime local_file_time();
// Current universal time (GetSystemTime).
SYSTEMTIME universal_time();
FileTime universal_file_time();
// Offset of local time from universal time now, in minutes, east positive (UTC+1 gives 60).
int32_t local_utc_offset_minutes();
// Local file time for a universal one, by the time-zone rules at that instant.
FileTime universal_to_local(FileTime universal);
// Universal file time of a local wall-clock reading, by the zone rules in force at that
// reading, not now. Around a change of the zone's offset:
//  - a reading that occurs twice (01:30 on the night daylight time ends) is its first
//    occurrence, the one still in daylight time;
//  - a reading the change skipped (02:30 on the night daylight time starts) is taken with the
//    offset in force before the change, so the clock then reads as far past the change as the
//    reading lay past it (03:30).
FileTime local_to_universal(FileTime local);

// Milliseconds since boot as the platform counts them: 32 bits, wrapping after ~49.7 days.
// Compare two ticks by unsigned subtraction, never with "<".
uint32_t tick_count();
uint64_t tick_count64();

// The device clock stays within the calendar the product shows: universal time from
// 1601-01-02 to 9999-12-30, a day inside each end so that local time in any zone stays within
// the years 1601 to 9999.
inline constexpr FileTime kEarliestDeviceTime = kFileTimeTicksPerDay;  // 1601-01-02 00:00
inline constexpr FileTime kLatestDeviceTime = 2'650'466'880'000'000'000 - 1;  // 9999-12-30 23:59:59.9999999

// The device clock offset in milliseconds. 0 when never set, and when the "device_clock" file
// is damaged: not a regular file of exactly 16 bytes, or an offset that puts the clock outside
// the range above. A damaged file is reported once per process on stderr and replaced by the
// next change.
int64_t device_clock_offset_ms();
// True when a "device_clock" file exists and is damaged as described above.
bool device_clock_file_damaged();
// Whether the device clock may be moved by this offset now: the clock must stay within
// kEarliestDeviceTime .. kLatestDeviceTime.
bool device_clock_offset_allowed(int64_t offset_ms);
// Moves the device clock. Written atomically (a reader sees the old or the new offset); each
// call bumps the change counter, which the running device turns into the time-change event.
// False, with nothing written, for an offset device_clock_offset_allowed refuses.
bool set_device_clock_offset_ms(int64_t offset_ms);
// Sets the device clock so that local time reads `local` now, by the zone rules in force at
// `local` (see local_to_universal for readings that occur twice or not at all). False for an
// impossible date, a time outside the device clock's range, or a failed write.
bool set_device_local_time(const SYSTEMTIME& local);
// Counts the changes of the device clock offset since the device root was made.
uint64_t device_clock_change_count();

// Installs a clock for this process while the object lives (tests; nesting restores).
class ScopedClockOverride {
public:
    explicit ScopedClockOverride(ClockSource& clock);
    ~ScopedClockOverride();
    ScopedClockOverride(const ScopedClockOverride&) = delete;
    ScopedClockOverride& operator=(const ScopedClockOverride&) = delete;

private:
    ClockSource* m_previous { nullptr };
};

// A clock that stands still until told to move. Thread-safe.
class ManualClock : public ClockSource {
public:
    // Starts at the given local time with a fixed offset from universal time.
    explicit ManualClock(const SYSTEMTIME& local, int32_t utc_offset_minutes = 0);
    ManualClock();  // 2009-03-02 12:00:00.000 local, UTC

    void set_local(const SYSTEMTIME& local);
    void set_utc_offset_minutes(int32_t minutes);
    // Moves wall time and the monotonic clock forward together (negative moves only the wall).
    void advance_ms(int64_t ms);
    // Moves only the wall clock, as a user's clock change does.
    void jump_wall_ms(int64_t ms);

    FileTime universal_now() override;
    int32_t utc_offset_minutes_at(FileTime universal) override;
    uint64_t monotonic_ms() override;

private:
    std::mutex m_mutex;
    FileTime m_universal { 0 };
    int32_t m_offset_minutes { 0 };
    uint64_t m_monotonic { 1'000'000 };
};

}  // namespace zt::platform
