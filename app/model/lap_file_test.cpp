// The lap file's name, lines and failures, and the keep-awake throttle of running timers, on a
// device root of their own with a clock that moves only when told.
#include "app/model/lap_file.h"
#include "app/model/timer_keep_awake.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/settings_bag.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;

class LapFileTest : public ::testing::Test {
protected:
    fs::path documents() const { return m_root.path() / "My Documents"; }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    void SetUp() override {
        fs::create_directories(documents());
        // Ran 1.5 s, paused, started again and lapped at 2.5 s of running time.
        m_lapped.start({ 2026, 12, 2, 8, 10, 0, 0, 0 });
        m_lapped.toggle({ 2026, 12, 2, 8, 10, 0, 1, 500 });
        m_lapped.start({ 2026, 12, 2, 8, 10, 0, 20, 0 });
        m_lapped.lap({ 2026, 12, 2, 8, 10, 0, 21, 0 });
    }
    LapFileUi recording_ui() {
        return { [this](std::u16string_view proposed) -> std::optional<std::u16string> {
                    m_proposed = std::u16string(proposed);
                    return m_choice;
                },
                 [this](std::u16string_view text) { m_errors.emplace_back(text); } };
    }

    platform::testing::TempDeviceRoot m_root;
    core::CTimer m_lapped { 0 };
    std::vector<std::u16string> m_errors;
    std::u16string m_proposed;
    std::optional<std::u16string> m_choice;
};

TEST_F(LapFileTest, APausedAndLappedStopwatchTakesTheFirstFreeCounter) {
    std::ofstream(documents() / "Laps000.txt") << "older";
    std::ofstream(documents() / "Laps001.txt") << "older";
    ASSERT_TRUE(save_laps(m_lapped, false, recording_ui()));
    EXPECT_EQ(read(documents() / "Laps002.txt"),
              "00:00:01.500;00:00:01.500;stop\r\n00:00:01.000;00:00:02.500;lap\r\n");
    EXPECT_EQ(read(documents() / "Laps000.txt"), "older") << "an existing file is never overwritten";
    EXPECT_TRUE(m_proposed.empty()) << "the screens' form asks nobody";
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(LapFileTest, AFolderNamedLikeALapFileEndsTheSearchAndTheWriteFailsWithItsPath) {
    fs::create_directory(documents() / "Laps000.txt");
    EXPECT_FALSE(save_laps(m_lapped, false, recording_ui()));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], u"Error creating file \"\\My Documents\\Laps000.txt\"!");
    EXPECT_FALSE(fs::exists(documents() / "Laps001.txt")) << "no other name is tried";
}

TEST_F(LapFileTest, AnUnwritableDocumentsFolderShowsTheErrorAndNoLapsWritesNothing) {
    core::CTimer no_laps(0);
    EXPECT_TRUE(save_laps(no_laps, true, recording_ui())) << "nothing to write is no failure";
    EXPECT_TRUE(m_proposed.empty()) << "and no dialog";
    EXPECT_TRUE(fs::is_empty(documents()));

    fs::remove(documents());
    std::ofstream(documents()) << "a file where the folder should be";
    EXPECT_FALSE(save_laps(m_lapped, false, recording_ui()));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], u"Error creating file \"\\My Documents\\Laps000.txt\"!");
}

TEST_F(LapFileTest, TheInteractiveFormWritesWhereTheUserChoseOrNothingWhenCancelled) {
    EXPECT_FALSE(save_laps(m_lapped, true, recording_ui())) << "cancelled";
    EXPECT_EQ(m_proposed, u"\\My Documents\\Laps000.txt");
    EXPECT_TRUE(fs::is_empty(documents()));
    m_choice = u"\\My Documents\\race.txt";
    ASSERT_TRUE(save_laps(m_lapped, true, recording_ui()));
    EXPECT_EQ(read(documents() / "race.txt").size(), 63u);
}

TEST(TimerKeepAwakeTest, RunningTimersKeepTheDeviceAwakeAtMostEveryTenSeconds) {
    platform::testing::TempDeviceRoot root;
    platform::ManualClock clock;
    platform::ScopedClockOverride use(clock);
    core::CSettingsBag settings;
    settings.register_program_defaults();
    std::vector<bool> calls;  // the backlight flag of each keep-awake
    CTimerKeepAwake keep(settings, [&](bool backlight) { calls.push_back(backlight); });

    keep.tick(false);
    EXPECT_TRUE(calls.empty()) << "nothing runs";
    keep.tick(true);
    clock.advance_ms(9'999);
    keep.tick(true);
    EXPECT_EQ(calls, std::vector<bool>({ true })) << "the first at once, then not within 10 s";
    clock.advance_ms(1);
    settings.set_number(kKeepBacklightValue, 0);
    keep.tick(true);
    EXPECT_EQ(calls, std::vector<bool>({ true, false })) << "10 s later, without the backlight";
    settings.set_number(kNoSleepOnTimersValue, 0);
    clock.advance_ms(60'000);
    keep.tick(true);
    EXPECT_EQ(calls.size(), 2u) << "switched off";
}

}  // namespace
}  // namespace zt::app
