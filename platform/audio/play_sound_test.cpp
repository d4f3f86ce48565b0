#include "platform/audio/play_sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/audio/audio_output.h"
#include "platform/audio/sound_server.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/audio/wave_out.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::audio {
namespace {

class PlaySoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_log = m_root.path() / "audio.log";
        select_output({ OutputKind::Log, m_log });
        wave_out_set_volume(0xFFFFFFFFu);
    }
    void TearDown() override { select_output({ OutputKind::Null, {} }); }
    std::vector<std::string> log() const { return testing::read_log(m_log); }
    void wait_for_log_lines(size_t count) const {
        EXPECT_TRUE(platform::testing::eventually([&] { return log().size() >= count; }, platform::testing::kPatience,
                                                  std::to_string(count) + " lines in the audio log"));
    }
    platform::testing::TempDeviceRoot m_root;
    std::filesystem::path m_log;
};

TEST_F(PlaySoundTest, LogsEachPlayWithTheWaveVolumeAndTakesTheRealDuration) {
    const auto wave = testing::make_wave(60);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(play_wave_memory(wave, u"\\Windows\\a.wav"), PlayResult::Played);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60))
        << "a silent play lasts as long as the sound";
    wave_out_set_volume(0x40004000u);
    EXPECT_EQ(play_wave_memory(wave, u"\\Windows\\b.wav"), PlayResult::Played);
    EXPECT_EQ(log(), (std::vector<std::string> { "play \\Windows\\a.wav volume=0xFFFFFFFF",
                                                 "play \\Windows\\b.wav volume=0x40004000" }));
}

TEST_F(PlaySoundTest, StopFromAnotherThreadEndsThePlayAndIsLogged) {
    const auto wave = testing::make_wave(20'000);
    PlayResult result = PlayResult::Played;
    std::thread player([&] { result = play_wave_memory(wave, u"\\long.wav"); });
    wait_for_log_lines(1);
    stop_sound();
    player.join();
    EXPECT_EQ(result, PlayResult::Stopped);
    EXPECT_EQ(log(), (std::vector<std::string> { "play \\long.wav volume=0xFFFFFFFF", "stop" }));
    stop_sound();
    EXPECT_EQ(log().size(), 2u) << "stopping with nothing playing logs nothing";
}

TEST_F(PlaySoundTest, BytesThatAreNoWaveAreRefusedWithoutALogLine) {
    std::vector<uint8_t> garbage(100, 0x41);
    EXPECT_EQ(play_wave_memory(garbage, u"\\x.wav"), PlayResult::NotAWave);
    EXPECT_EQ(play_wave_memory({}, u"\\x.wav"), PlayResult::NotAWave);
    EXPECT_TRUE(log().empty());
}

TEST_F(PlaySoundTest, VolumeFromTheRegistryIsTakenOnUpdate) {
    auto key = registry::Key::create(registry::Root::CurrentUser, u"ControlPanel\\Volume");
    ASSERT_TRUE(key);
    audio_update_from_registry();
    EXPECT_EQ(wave_out_get_volume(), 0xFFFFFFFFu) << "no value, no change";
    ASSERT_EQ(key->key.set_dword(u"Volume", 0x12345678u), registry::Status::Ok);
    audio_update_from_registry();
    EXPECT_EQ(wave_out_get_volume(), 0x12345678u);
}

TEST(AudioOutputChoice, ParsesTheNamesAndRefusesOthers) {
    EXPECT_EQ(parse_output_choice("default")->kind, OutputKind::Default);
    EXPECT_EQ(parse_output_choice("null")->kind, OutputKind::Null);
    const auto log = parse_output_choice("log:/tmp/x y.log");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->kind, OutputKind::Log);
    EXPECT_EQ(log->log_path, std::filesystem::path("/tmp/x y.log"));
    EXPECT_FALSE(parse_output_choice("log:"));
    EXPECT_FALSE(parse_output_choice("file:/tmp/x"));
    EXPECT_FALSE(parse_output_choice(""));
}

TEST(AudioOutputChoice, DefaultWithoutASoundServerFallsBackToNull) {
    select_output({ OutputKind::Default, {} });
    EXPECT_EQ(current_output().kind, sound_server_available() ? OutputKind::Default : OutputKind::Null);
    select_output({ OutputKind::Null, {} });
}

}  // namespace
}  // namespace zt::platform::audio
