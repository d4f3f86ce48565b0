#include "core/time_math.h"

#include <algorithm>

namespace zt::core {
namespace {

using zt::platform::FileTime;
using zt::platform::kFileTimeTicksPerMillisecond;

// The last instant the calendar converts back: 30827-12-31 23:59:59.999.
FileTime last_representable() {
    static const FileTime last = *zt::platform::system_time_to_file_time(SYSTEMTIME { 30827, 12, 0, 31, 23, 59, 59, 999 });
    return last;
}

}  // namespace

FileTime clamped_file_time(const SYSTEMTIME& time) {
    SYSTEMTIME t = time;
    t.wYear = std::clamp<uint16_t>(t.wYear, 1601, 30827);
    t.wMonth = std::clamp<uint16_t>(t.wMonth, 1, 12);
    t.wDay = static_cast<uint16_t>(std::clamp<int>(t.wDay, 1, zt::platform::days_in_month(t.wYear, t.wMonth)));
    t.wHour = std::min<uint16_t>(t.wHour, 23);
    t.wMinute = std::min<uint16_t>(t.wMinute, 59);
    t.wSecond = std::min<uint16_t>(t.wSecond, 59);
    t.wMilliseconds = std::min<uint16_t>(t.wMilliseconds, 999);
    return *zt::platform::system_time_to_file_time(t);
}

SYSTEMTIME add_milliseconds(const SYSTEMTIME& time, int64_t milliseconds) {
    if (time.wYear == 0) return time;
    FileTime base = clamped_file_time(time);
    // Saturate instead of overflowing: a huge interval ends at the calendar's end.
    const FileTime last = last_representable();
    FileTime result;
    if (milliseconds >= 0)
        result = milliseconds > (last - base) / kFileTimeTicksPerMillisecond ? last : base + milliseconds * kFileTimeTicksPerMillisecond;
    else
        result = milliseconds < -(base / kFileTimeTicksPerMillisecond) ? 0 : base + milliseconds * kFileTimeTicksPerMillisecond;
    return *zt::platform::file_time_to_system_time(result);
}

int64_t difference_ms(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return (clamped_file_time(a) - clamped_file_time(b)) / kFileTimeTicksPerMillisecond;
}

int64_t time_of_day_difference_ms(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return (int64_t { a.wHour } - b.wHour) * 3'600'000 + (int64_t { a.wMinute } - b.wMinute) * 60'000 +
           (int64_t { a.wSecond } - b.wSecond) * 1'000 + (int64_t { a.wMilliseconds } - b.wMilliseconds);
}

void copy_time_of_day(SYSTEMTIME& target, const SYSTEMTIME& source) {
    target.wHour = std::min<uint16_t>(source.wHour, 23);
    target.wMinute = std::min<uint16_t>(source.wMinute, 59);
    target.wSecond = std::min<uint16_t>(source.wSecond, 59);
    target.wMilliseconds = std::min<uint16_t>(source.wMilliseconds, 999);
}

}  // namespace zt::core
