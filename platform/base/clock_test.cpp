#include "platform/base/clock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <optional>
#include <string>

#include "platform/base/device_root.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using TempRoot = testing::TempDeviceRoot;

// Runs the test in a zone with daylight-saving time, whatever the machine's zone is. The rule
// is written out (US Eastern since 2007), so no time-zone database is needed.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone) {
        if (const char* old = getenv("TZ")) m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone() {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};
constexpr const char* kEasternZone = "EST5EDT,M3.2.0,M11.1.0";

FileTime file_time(SYSTEMTIME t) { return *system_time_to_file_time(t); }

TEST(InjectedClock, LocalTimeComesFromTheOverride) {
    ManualClock manual(SYSTEMTIME { 2009, 3, 1, 2, 7, 5, 0, 250 }, 60);
    ScopedClockOverride scope(manual);
    EXPECT_EQ(local_time(), (SYSTEMTIME { 2009, 3, 1, 2, 7, 5, 0, 250 }));
    EXPECT_EQ(universal_time().wHour, 6);
    EXPECT_EQ(local_utc_offset_minutes(), 60);
    manual.advance_ms(55 * 60'000);
    EXPECT_EQ(local_time().wHour, 8);
    EXPECT_EQ(local_time().wMinute, 0);
}

TEST(InjectedClock, WallJumpsDoNotMoveTheTickCount) {
    ManualClock manual;
    ScopedClockOverride scope(manual);
    uint64_t before = tick_count64();
    manual.jump_wall_ms(-3'600'000);
    EXPECT_EQ(tick_count64(), before);
    manual.advance_ms(1500);
    EXPECT_EQ(tick_count64(), before + 1500);
}

TEST(InjectedClock, OverridesNestAndRestore) {
    ManualClock outer(SYSTEMTIME { 2001, 1, 1, 1, 0, 0, 0, 0 });
    ManualClock inner(SYSTEMTIME { 2002, 1, 2, 1, 0, 0, 0, 0 });
    ScopedClockOverride a(outer);
    {
        ScopedClockOverride b(inner);
        EXPECT_EQ(local_time().wYear, 2002);
    }
    EXPECT_EQ(local_time().wYear, 2001);
}

TEST(TickCount, WrapsAt32BitsAndDifferencesStayRight) {
    ManualClock manual;
    ScopedClockOverride scope(manual);
    manual.advance_ms(static_cast<int64_t>(UINT32_MAX) - static_cast<int64_t>(tick_count64() % (1ull << 32)) - 100);
    uint32_t before_wrap = tick_count();
    EXPECT_GT(before_wrap, UINT32_MAX - 200);
    manual.advance_ms(300);
    uint32_t after_wrap = tick_count();
    EXPECT_LT(after_wrap, 300u);
    EXPECT_EQ(static_cast<uint32_t>(after_wrap - before_wrap), 300u);
    EXPECT_EQ(tick_count64() % (1ull << 32), after_wrap);
}

TEST(LocalAndUniversal, ConversionsAgreeWithTheOffset) {
    ManualClock manual(SYSTEMTIME { 2009, 7, 3, 1, 12, 0, 0, 0 }, -300);
    ScopedClockOverride scope(manual);
    FileTime local = local_file_time();
    EXPECT_EQ(universal_to_local(universal_file_time()), local);
    EXPECT_EQ(local_to_universal(local), universal_file_time());
}

TEST(DeviceClockOffset, MovesEveryReadingOfTheHostClock) {
    TempRoot root;
    EXPECT_EQ(device_clock_offset_ms(), 0);
    uint64_t changes = device_clock_change_count();
    FileTime before = universal_file_time();
    ASSERT_TRUE(set_device_clock_offset_ms(3'600'000));
    EXPECT_EQ(device_clock_offset_ms(), 3'600'000);
    EXPECT_EQ(device_clock_change_count(), changes + 1);
    FileTime after = universal_file_time();
    int64_t moved_ms = (after - before) / kFileTimeTicksPerMillisecond;
    EXPECT_GE(moved_ms, 3'600'000);
    EXPECT_LT(moved_ms, 3'600'000 + 60'000);
}

TEST(DeviceClockOffset, SetLocalTimeLandsOnTheWantedTime) {
    TempRoot root;
    SYSTEMTIME wanted { 2031, 5, 0, 4, 6, 59, 30, 0 };
    ASSERT_TRUE(set_device_local_time(wanted));
    SYSTEMTIME now = local_time();
    EXPECT_EQ(now.wYear, 2031);
    EXPECT_EQ(now.wMonth, 5);
    EXPECT_EQ(now.wDay, 4);
    EXPECT_EQ(now.wHour, 6);
    EXPECT_EQ(now.wDayOfWeek, 0);
    EXPECT_FALSE(set_device_local_time(SYSTEMTIME { 2031, 2, 0, 30, 0, 0, 0, 0 }));
}

TEST(LocalAndUniversal, LocalReadingsTakeTheOffsetOfTheirOwnMomentAcrossDaylightChanges) {
    ScopedZone zone(kEasternZone);
    const int64_t hour = 3600 * kFileTimeTicksPerSecond;
    // Summer and winter readings, whatever the season of now.
    EXPECT_EQ(local_to_universal(file_time({ 2031, 5, 0, 4, 6, 59, 30, 0 })), file_time({ 2031, 5, 0, 4, 10, 59, 30, 0 }));
    EXPECT_EQ(local_to_universal(file_time({ 2031, 1, 0, 15, 6, 59, 30, 0 })), file_time({ 2031, 1, 0, 15, 11, 59, 30, 0 }));
    // 2031-03-09 02:30 never happens: taken with the winter offset, it is 03:30 summer time.
    const FileTime skipped = local_to_universal(file_time({ 2031, 3, 0, 9, 2, 30, 0, 0 }));
    EXPECT_EQ(skipped, file_time({ 2031, 3, 0, 9, 7, 30, 0, 0 }));
    EXPECT_EQ(universal_to_local(skipped), file_time({ 2031, 3, 0, 9, 3, 30, 0, 0 }));
    // 2031-11-02 01:30 happens twice: the first time, still in summer time.
    const FileTime twice = local_to_universal(file_time({ 2031, 11, 0, 2, 1, 30, 0, 0 }));
    EXPECT_EQ(twice, file_time({ 2031, 11, 0, 2, 5, 30, 0, 0 }));
    EXPECT_EQ(universal_to_local(twice + hour), file_time({ 2031, 11, 0, 2, 1, 30, 0, 0 })) << "the second 01:30";
    // The readings just around both changes convert back to themselves.
    for (SYSTEMTIME t : { SYSTEMTIME { 2031, 3, 0, 9, 1, 59, 59, 0 }, SYSTEMTIME { 2031, 3, 0, 9, 3, 0, 0, 0 },
                          SYSTEMTIME { 2031, 11, 0, 2, 0, 59, 59, 0 }, SYSTEMTIME { 2031, 11, 0, 2, 2, 0, 0, 0 } })
        EXPECT_EQ(universal_to_local(local_to_universal(file_time(t))), file_time(t)) << t.wMonth << " " << t.wHour;
}

TEST(DeviceClockOffset, SetLocalTimeLandsOnTheWantedTimeInAZoneWithDaylightTime) {
    TempRoot root;
    ScopedZone zone(kEasternZone);
    struct Case {
        SYSTEMTIME wanted;
        uint16_t hour, minute;
        int32_t utc_offset;
    };
    for (const Case& c : { Case { { 2031, 5, 0, 4, 6, 59, 30, 0 }, 6, 59, -240 },
                           Case { { 2031, 1, 0, 15, 6, 59, 30, 0 }, 6, 59, -300 },
                           Case { { 2031, 3, 0, 9, 2, 30, 0, 0 }, 3, 30, -240 },     // skipped: an hour on
                           Case { { 2031, 11, 0, 2, 1, 30, 0, 0 }, 1, 30, -240 } }) {  // twice: the first
        ASSERT_TRUE(set_device_local_time(c.wanted));
        const SYSTEMTIME now = local_time();
        EXPECT_EQ(now.wDay, c.wanted.wDay) << c.wanted.wMonth;
        EXPECT_EQ(now.wHour, c.hour) << c.wanted.wMonth;
        EXPECT_EQ(now.wMinute, c.minute) << c.wanted.wMonth;
        EXPECT_EQ(local_utc_offset_minutes(), c.utc_offset) << c.wanted.wMonth;
    }
}

TEST(DeviceClockOffset, StaysWithinTheYearsTheDeviceShows) {
    TempRoot root;
    ASSERT_TRUE(set_device_clock_offset_ms(3'600'000));
    constexpr int64_t kYearMs = 366LL * 86'400'000;
    for (int64_t refused : { 9000 * kYearMs, -500 * kYearMs, INT64_MAX, INT64_MIN, INT64_MAX / 2 }) {
        EXPECT_FALSE(device_clock_offset_allowed(refused)) << refused;
        EXPECT_FALSE(set_device_clock_offset_ms(refused)) << refused;
    }
    EXPECT_EQ(device_clock_offset_ms(), 3'600'000) << "a refused offset writes nothing";
    EXPECT_TRUE(device_clock_offset_allowed(-300 * kYearMs)) << "the 1700s are fine";
    EXPECT_FALSE(set_device_local_time(SYSTEMTIME { 30000, 1, 0, 1, 0, 0, 0, 0 }));
    EXPECT_FALSE(set_device_local_time(SYSTEMTIME { 1601, 1, 0, 1, 0, 0, 0, 0 })) << "a day inside each end";
    ASSERT_TRUE(set_device_local_time(SYSTEMTIME { 9999, 12, 0, 29, 12, 0, 0, 0 }));
    EXPECT_EQ(local_time().wYear, 9999);
    EXPECT_EQ(kLatestDeviceTime + 1, file_time({ 9999, 12, 0, 31, 0, 0, 0, 0 }));
    EXPECT_EQ(kEarliestDeviceTime, file_time({ 1601, 1, 0, 2, 0, 0, 0, 0 }));
}

TEST(DeviceClockOffset, AnOffsetFileOfTheWrongSizeOrKindIsDamagedAndReadsAsNoOffset) {
    TempRoot root;
    ASSERT_TRUE(set_device_clock_offset_ms(7000));
    EXPECT_FALSE(device_clock_file_damaged());
    const auto file = device_root() / "device_clock";
    // One byte more than the 16 the file holds.
    FILE* f = fopen(file.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    fputc(0, f);
    fclose(f);
    EXPECT_EQ(device_clock_offset_ms(), 0);
    EXPECT_TRUE(device_clock_file_damaged());
    ASSERT_TRUE(set_device_clock_offset_ms(-2000));
    EXPECT_EQ(device_clock_offset_ms(), -2000) << "the next change replaces the damaged file";
    EXPECT_FALSE(device_clock_file_damaged());

    // A FIFO in its place must not hang the clock's readers.
    std::filesystem::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [] { return device_clock_offset_ms(); });
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        FILE* unblock = fopen(file.c_str(), "wb");  // lets the hung reader go before failing
        if (unblock) fclose(unblock);
        FAIL() << "reading the device clock waited on a FIFO";
    }
    EXPECT_EQ(reading.get(), 0);
    EXPECT_TRUE(device_clock_file_damaged());
}

TEST(DeviceClockOffset, AGarbledOffsetFileReadsAsNoOffset) {
    TempRoot root;
    auto file = device_root() / "device_clock";
    FILE* f = fopen(file.c_str(), "wb");
    fputs("bad", f);
    fclose(f);
    EXPECT_EQ(device_clock_offset_ms(), 0);
    EXPECT_TRUE(set_device_clock_offset_ms(-5000));
    EXPECT_EQ(device_clock_offset_ms(), -5000);
}

}  // namespace
}  // namespace zt::platform
