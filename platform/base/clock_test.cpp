#include "platform/base/clock.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/base/device_root.h"

namespace zt::platform {
namespace {

class TempRoot {
public:
    TempRoot() {
        char tmpl[] = "/tmp/zt-clock-test-XXXXXX";
        path_ = mkdtemp(tmpl);
        set_device_root(path_);
    }
    ~TempRoot() { std::filesystem::remove_all(path_); }

private:
    std::filesystem::path path_;
};

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
