#include "platform/audio/media_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/audio/audio_output.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::audio {
namespace {

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_log = m_root.path() / "audio.log";
        select_output({ OutputKind::Log, m_log });
        ASSERT_TRUE(testing::write_file(m_root.path() / "My Documents" / "short.wav", testing::make_wave(30)));
        ASSERT_TRUE(testing::write_file(m_root.path() / "My Documents" / "long.wav", testing::make_wave(20'000)));
    }
    void TearDown() override { select_output({ OutputKind::Null, {} }); }
    void write_playlist(const std::string& text) {
        std::ofstream(m_root.path() / "My Documents" / "list.asx", std::ios::binary) << text;
    }
    static void wait_until_stopped(const MediaPlayer& player) {
        EXPECT_TRUE(platform::testing::eventually([&] { return player.play_state() == PlayState::Stopped; },
                                                  platform::testing::kPatience, "the play to end"));
    }
    std::vector<std::string> log() const { return testing::read_log(m_log); }
    platform::testing::TempDeviceRoot m_root;
    std::filesystem::path m_log;
};

TEST_F(MediaPlayerTest, PlaysEveryPlaylistEntryWithItsVolumeAndSkipsBrokenOnes) {
    write_playlist("<ASX version = \"3.0\">\r\n"
                   "<ENTRY><ref href = \"\\My Documents\\short.wav\" /></ENTRY>\r\n"
                   "<ENTRY><ref href = \"\\My Documents\\missing.mp3\" /></ENTRY>\r\n"
                   "<ENTRY><ref href = \"\\my documents\\SHORT.wav\" /></ENTRY>\r\n</ASX>\r\n");
    auto player = MediaPlayer::create();
    ASSERT_TRUE(player);
    player->set_auto_start(false);
    player->set_volume(100);
    ASSERT_TRUE(player->set_url(u"\\My Documents\\list.asx"));
    EXPECT_EQ(player->play_state(), PlayState::Stopped) << "automatic start is off";
    ASSERT_TRUE(player->play());
    wait_until_stopped(*player);
    EXPECT_EQ(log(), (std::vector<std::string> { "play \\My Documents\\short.wav volume=0x00000064",
                                                 "play \\my documents\\SHORT.wav volume=0x00000064" }));
}

TEST_F(MediaPlayerTest, AutomaticStartMuteAndStop) {
    auto player = MediaPlayer::create();
    ASSERT_TRUE(player->auto_start()) << "the control starts with automatic start on";
    player->set_mute(true);
    player->set_volume(250);
    EXPECT_EQ(player->volume(), 100);
    ASSERT_TRUE(player->set_url(u"\\My Documents\\long.wav"));
    EXPECT_EQ(player->play_state(), PlayState::Playing);
    ASSERT_TRUE(platform::testing::eventually([&] { return !log().empty(); }, platform::testing::kPatience,
                                              "the play to start"));
    player->stop();
    EXPECT_EQ(player->play_state(), PlayState::Stopped);
    EXPECT_EQ(log(), (std::vector<std::string> { "play \\My Documents\\long.wav volume=0x00000000", "stop" }));
}

TEST_F(MediaPlayerTest, PlayWithoutUrlFails) {
    auto player = MediaPlayer::create();
    EXPECT_FALSE(player->play());
    EXPECT_EQ(player->play_state(), PlayState::Stopped);
}

}  // namespace
}  // namespace zt::platform::audio
