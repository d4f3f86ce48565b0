#include "core/sound/sound_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/alert/led_driver.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/audio/wave_out.h"
#include "platform/base/clock.h"
#include "platform/profile/device_profile.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"
#include "core/sound/playlist.h"
#include "core/sound/testing/clock_window.h"

namespace zt::sound {
namespace {

namespace audio = zt::platform::audio;
namespace alert = zt::platform::alert;

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_log = m_root.path() / "audio.log";
        audio::select_output({ audio::OutputKind::Log, m_log });
        audio::wave_out_set_volume(0x12341234u);
        ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "beep.wav", audio::testing::make_wave(30)));
        ASSERT_TRUE(audio::testing::write_file(m_root.path() / "Program Files" / "Zun Time" / "sounds" / "ZunAlarm1.wav",
                                               audio::testing::make_wave(20)));
        m_manager.SetNotificationWindow(&m_window);
        m_manager.SetApplicationFolder(u"\\Program Files\\Zun Time\\");
    }
    void TearDown() override {
        m_manager.Stop();
        audio::select_output({ audio::OutputKind::Null, {} });
    }
    std::vector<std::string> log() const { return audio::testing::read_log(m_log); }
    std::vector<std::string> plays() const {
        auto lines = log();
        std::erase_if(lines, [](const std::string& line) { return !line.starts_with("play "); });
        return lines;
    }
    void wait_for_plays(size_t count) const {
        EXPECT_TRUE(zt::platform::testing::eventually([&] { return plays().size() >= count; },
                                                      zt::platform::testing::kPatience,
                                                      std::to_string(count) + " plays in the audio log"));
    }
    size_t ended_count() const {
        const auto posted = m_window.posted();
        return size_t(std::count(posted.begin(), posted.end(), kMsgSoundEnded));
    }
    void advance(int64_t ms) {
        m_clock.advance_ms(ms);
        m_window.fire_due_timers();
    }

    zt::platform::testing::TempDeviceRoot m_root;
    zt::platform::ManualClock m_clock;
    zt::platform::ScopedClockOverride m_clock_override { m_clock };
    std::filesystem::path m_log;
    testing::ClockWindow m_window;
    CDeviceAlerting m_alerting { 5 };
    CSoundManager m_manager { m_alerting };
};

const std::string kBeep = "play \\My Documents\\beep.wav volume=";

TEST_F(SoundManagerTest, CountedRepeatPlaysThreeTimesThenEndsOnce) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 3, 1, false }));
    EXPECT_TRUE(m_manager.IsPlaying());
    m_window.wait_for_posted(kMsgSoundEnded);
    EXPECT_FALSE(m_manager.IsPlaying());
    EXPECT_EQ(plays(), std::vector<std::string>(3, kBeep + "0xFFFFFFFF"));
    EXPECT_EQ(m_window.posted(), (std::vector<uint32_t> { kMsgSoundStarted, kMsgSoundEnded }));
    EXPECT_EQ(audio::wave_out_get_volume(), 0x12341234u) << "the wave volume comes back after the sound";
}

TEST_F(SoundManagerTest, PlayingTimeEndsWhenTimer240FiresAndAscendsTheVolume) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 1, 60, 2, false }));
    wait_for_plays(1);
    EXPECT_EQ(plays()[0], kBeep + "0x40004000") << "the ascent starts at a quarter";
    advance(10'000);
    size_t seen = plays().size();
    wait_for_plays(seen + 2);
    EXPECT_EQ(plays()[seen + 1], kBeep + "0x9FFF9FFF") << "halfway up after 10 s";
    advance(15'000);
    seen = plays().size();
    wait_for_plays(seen + 2);
    EXPECT_EQ(plays()[seen + 1], kBeep + "0xFFFFFFFF") << "full after 20 s";
    advance(34'999);
    EXPECT_TRUE(m_manager.IsPlaying()) << "still looping before 60 s";
    EXPECT_EQ(ended_count(), 0u);
    advance(1);
    EXPECT_FALSE(m_manager.IsPlaying());
    EXPECT_EQ(ended_count(), 1u);
    EXPECT_FALSE(m_window.timer_running(kTimerPlayingTime));
}

TEST_F(SoundManagerTest, RequestThatPlaysNothingKeepsTheRunningSoundsTimeLimit) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 1, 5, 1, false }));
    EXPECT_FALSE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 0, 1, false }));
    EXPECT_TRUE(m_manager.IsPlaying());
    advance(5'000);
    EXPECT_FALSE(m_manager.IsPlaying()) << "the first sound still ends after its 5 s";
    EXPECT_EQ(ended_count(), 1u);
}

TEST_F(SoundManagerTest, EachPlaybacksMessagesCarryItsNumber) {
    EXPECT_EQ(m_manager.LastPlayback(), 0u);
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 1, 60, 1, false }));
    EXPECT_EQ(m_manager.LastPlayback(), 1u);
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 1, 60, 1, false }));  // replaces the first
    EXPECT_FALSE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 0, 1, false }));
    EXPECT_EQ(m_manager.LastPlayback(), 2u) << "a request that plays nothing starts no playback";
    m_manager.Stop();
    EXPECT_EQ(m_window.posted(),
              (std::vector<uint32_t> { kMsgSoundStarted, kMsgSoundEnded, kMsgSoundStarted, kMsgSoundEnded }));
    EXPECT_EQ(m_window.posted_playbacks(), (std::vector<uint64_t> { 1, 1, 2, 2 }));
}

TEST_F(SoundManagerTest, SinglePlayIsAtFullVolumeEvenWhenAscending) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 1, 2, false }));
    m_window.wait_for_posted(kMsgSoundEnded);
    EXPECT_EQ(plays(), std::vector<std::string> { kBeep + "0xFFFFFFFF" });
}

TEST_F(SoundManagerTest, NormalVolumeLeavesTheWaveVolumeAlone) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 2, 0, false }));
    m_window.wait_for_posted(kMsgSoundEnded);
    EXPECT_EQ(plays(), std::vector<std::string>(2, kBeep + "0x12341234"));
}

TEST_F(SoundManagerTest, VibrationStopsAfter30SecondsAndAtOnceOnStop) {
    ASSERT_TRUE(zt::platform::write_vibrator(true));
    CDeviceAlerting alerting(5);
    CSoundManager manager(alerting);
    testing::ClockWindow window;
    manager.SetNotificationWindow(&window);
    ASSERT_TRUE(manager.Play({ u"\\My Documents\\beep.wav", 1, 60, 1, true }));
    EXPECT_EQ(alert::led_state(1), alert::LedState::On);
    m_clock.advance_ms(30'000);
    window.fire_due_timers();
    EXPECT_EQ(alert::led_state(1), alert::LedState::Off) << "vibration ends after 30 s";
    EXPECT_TRUE(manager.IsPlaying()) << "while the sound goes on";

    ASSERT_TRUE(manager.Play({ u"\\My Documents\\beep.wav", 1, 60, 1, true }));
    EXPECT_EQ(alert::led_state(1), alert::LedState::On);
    manager.Stop();  // an answer
    EXPECT_EQ(alert::led_state(1), alert::LedState::Off);
    EXPECT_FALSE(window.timer_running(kTimerVibration));
    EXPECT_FALSE(window.timer_running(kTimerPlayingTime));
}

TEST_F(SoundManagerTest, NothingPlaysOrPostsForZeroRepeatOrUnknownTypeOrNoWindow) {
    EXPECT_FALSE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 0, 1, false }));
    ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "x.ogg", audio::testing::make_wave(20)));
    EXPECT_FALSE(m_manager.Play({ u"\\My Documents\\x.ogg", 0, 1, 1, false }));
    m_window.m_exists = false;
    EXPECT_FALSE(m_manager.Play({ u"\\My Documents\\beep.wav", 0, 1, 1, false }));
    EXPECT_TRUE(m_window.posted().empty());
    EXPECT_TRUE(log().empty());
}

TEST_F(SoundManagerTest, MissingFilePlaysTheDefaultSound) {
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\gone.mp3", 0, 1, 1, false }));
    m_window.wait_for_posted(kMsgSoundEnded);
    EXPECT_EQ(m_manager.CurrentKind(), PlayerKind::Wave) << "the kind follows the default sound";
    EXPECT_EQ(plays(), std::vector<std::string> { "play \\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav volume=0xFFFFFFFF" });
}

TEST_F(SoundManagerTest, WaveThatIsNoWaveStillStartsAndEnds) {
    ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "bad.wav", { 'n', 'o', 't' }));
    EXPECT_TRUE(m_manager.Play({ u"\\My Documents\\bad.wav", 0, 3, 1, false }));
    m_window.wait_for_posted(kMsgSoundEnded);
    EXPECT_EQ(m_window.posted(), (std::vector<uint32_t> { kMsgSoundStarted, kMsgSoundEnded }));
    EXPECT_TRUE(plays().empty());
}

TEST_F(SoundManagerTest, AFailureInsideAPlayerIsAFinishedSound) {
    // Memory runs out while the player is being made ready.
    CSoundManager manager(m_alerting, []() -> std::unique_ptr<audio::MediaPlayer> { throw std::bad_alloc(); });
    testing::ClockWindow window;
    manager.SetNotificationWindow(&window);
    ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "tune.mp3", std::vector<uint8_t>(800, 0)));
    EXPECT_FALSE(manager.Play({ u"\\My Documents\\tune.mp3", 0, 1, 1, false }));
    EXPECT_EQ(window.posted(), (std::vector<uint32_t> { kMsgSoundStarted, kMsgSoundEnded }))
        << "the item's kind applies as after any failed sound";
    EXPECT_FALSE(manager.IsPlaying());
    // The manager is still usable afterwards.
    EXPECT_TRUE(manager.Play({ u"\\My Documents\\beep.wav", 0, 1, 1, false }));
    window.wait_for_posted(kMsgSoundEnded, 2);
}

TEST_F(SoundManagerTest, UpperCaseMp3PlaysAsMediaThroughThePlaylist) {
    // MPEG-1 layer III at 128 kbit/s: 800 bytes sound for 50 ms.
    std::vector<uint8_t> mp3(800, 0);
    mp3[0] = 0xFF; mp3[1] = 0xFB; mp3[2] = 0x90;
    ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "tune.MP3", mp3));
    ASSERT_TRUE(m_manager.Play({ u"\\My Documents\\tune.MP3", 0, 2, 1, false }));
    EXPECT_EQ(m_manager.CurrentKind(), PlayerKind::Media);
    EXPECT_TRUE(m_window.timer_running(kTimerPlayStatePoll));
    // The poll timer's rounds, as the window would run them, until the player reports the end.
    EXPECT_TRUE(zt::platform::testing::eventually(
        [&] {
            if (!m_manager.IsPlaying()) return true;
            advance(100);
            return false;
        },
        zt::platform::testing::kPatience, "the media play to end"));
    EXPECT_EQ(plays(), std::vector<std::string>(2, "play \\My Documents\\tune.MP3 volume=0x00000064"));
    EXPECT_EQ(ended_count(), 1u);
    EXPECT_FALSE(m_window.timer_running(kTimerPlayStatePoll));
}

TEST_F(SoundManagerTest, WithoutTheControlTheExternalPathFailsCleanly) {
    CSoundManager manager(m_alerting, [] { return std::unique_ptr<audio::MediaPlayer>(); });
    manager.SetNotificationWindow(&m_window);
    std::vector<uint8_t> mp3(800, 0);
    ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "tune.mp3", mp3));
    EXPECT_FALSE(manager.Play({ u"\\My Documents\\tune.mp3", 0, 1, 1, false }));
    EXPECT_EQ(m_window.posted(), (std::vector<uint32_t> { kMsgSoundStarted, kMsgSoundEnded }))
        << "the failure after the start is an ended sound";
    EXPECT_FALSE(std::filesystem::exists(m_root.path() / "My Documents" / "zuntime.asx"));
}

}  // namespace
}  // namespace zt::sound
