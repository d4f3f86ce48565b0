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
// Local file time for a universal one and back, by the time-zone rules at that instant.
FileTime universal_to_local(FileTime universal);
FileTime local_to_universal(FileTime local);

// Milliseconds since boot as the platform counts them: 32 bits, wrapping after ~49.7 days.
// Compare two ticks by unsigned subtraction, never with "<".
uint32_t tick_count();
uint64_t tick_count64();

// The device clock offset in milliseconds (0 when never set or unreadable).
int64_t device_clock_offset_ms();
// Moves the device clock. Written atomically (a reader sees the old or the new offset); each
// call bumps the change counter, which the running device turns into the time-change event.
bool set_device_clock_offset_ms(int64_t offset_ms);
// Sets the device clock so that local time reads `local` now.
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
