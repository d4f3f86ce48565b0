#include "platform/audio/media_decoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/audio/audio_output.h"
#include "platform/audio/media_player.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::audio {
namespace {

const std::filesystem::path kTone = std::filesystem::path(ZT_AUDIO_TESTDATA_DIR) / "tone_880hz_1s.mp3";

std::vector<uint8_t> tone_bytes() {
    std::ifstream in(kTone, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Why this machine cannot decode our own tone, or nothing when it can. A missing backend, or
// one chosen by QT_MEDIA_BACKEND other than the FFmpeg one the device selects, is the
// machine's matter; a failure of the FFmpeg backend to decode the tone is a fault.
std::optional<std::string> reason_not_to_decode() {
    const DecodeStatus status = decode_media_file(kTone, Cancel {}).status;
    if (status == DecodeStatus::NoDecoder) return "Qt Multimedia has no decoder backend on this machine";
    const char* backend = std::getenv("QT_MEDIA_BACKEND");
    if (status != DecodeStatus::Decoded && backend && std::string_view(backend) != "ffmpeg")
        return std::string("QT_MEDIA_BACKEND=") + backend + " cannot decode MP3 here";
    return std::nullopt;
}

#define SKIP_UNLESS_DECODING()                                       \
    if (const auto reason = reason_not_to_decode()) GTEST_SKIP() << *reason

class MediaDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_FALSE(tone_bytes().empty()) << "test sound missing: " << kTone;
    }
    std::filesystem::path write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto path = m_root.path() / "My Documents" / name;
        EXPECT_TRUE(testing::write_file(path, bytes));
        return path;
    }
    platform::testing::TempDeviceRoot m_root;
};

struct OwnTone {
    const char* file;
    uint32_t sample_rate;
    uint64_t duration_ms;
};

// Both tones were encoded at amplitude 12000 (testdata/README.md).
TEST_F(MediaDecoderTest, OurTonesDecodeToTheirLengthRateAndLoudness) {
    SKIP_UNLESS_DECODING();
    for (const OwnTone& tone : { OwnTone { "tone_880hz_1s.mp3", 32000, 1000 },
                                 OwnTone { "tone_880hz_half_s.wma", 22050, 500 } }) {
        SCOPED_TRACE(tone.file);
        const DecodeResult result = decode_media_file(kTone.parent_path() / tone.file, Cancel {});
        ASSERT_EQ(result.status, DecodeStatus::Decoded);
        EXPECT_EQ(result.sound.sample_rate, tone.sample_rate);
        EXPECT_EQ(result.sound.channels, 1);
        EXPECT_NEAR(double(result.sound.duration_ms()), double(tone.duration_ms), 50.0);
        const WaveFormat wave = result.sound.wave();
        EXPECT_EQ(wave.byte_rate, tone.sample_rate * 2);
        EXPECT_EQ(wave.samples.size(), result.sound.samples.size());
        int16_t peak = 0;
        for (size_t at = 0; at + 1 < wave.samples.size(); at += 2)
            peak = std::max<int16_t>(peak, int16_t(wave.samples[at] | wave.samples[at + 1] << 8));
        EXPECT_GT(peak, 8000) << "silence or noise here means a bad sample conversion";
    }
}

TEST_F(MediaDecoderTest, DamagedFilesFailCleanly) {
    const std::string text = "this is a shopping list, not a sound\n";
    const auto not_audio = write("list.mp3", std::vector<uint8_t>(text.begin(), text.end()));
    SKIP_UNLESS_DECODING();
    const DecodeResult foreign = decode_media_file(not_audio, Cancel {});
    EXPECT_EQ(foreign.status, DecodeStatus::NotDecodable);
    EXPECT_TRUE(foreign.sound.samples.empty());

    EXPECT_EQ(decode_media_file(write("empty.wma", {}), Cancel {}).status, DecodeStatus::NotDecodable);

    // Only the first frame (LAME's Info frame, which holds no sound) and a few bytes more.
    auto cut = tone_bytes();
    cut.resize(200);
    const auto truncated = decode_media_file(write("cut.mp3", cut), Cancel {});
    if (truncated.status == DecodeStatus::Decoded)
        EXPECT_LT(truncated.sound.duration_ms(), 100u) << "a cut file cannot give back the whole tone";
    else
        EXPECT_EQ(truncated.status, DecodeStatus::NotDecodable);
}

TEST_F(MediaDecoderTest, ARaisedCancelEndsTheDecoding) {
    SKIP_UNLESS_DECODING();
    const std::atomic<bool> stop { true };
    const DecodeResult result = decode_media_file(kTone, Cancel { &stop });
    EXPECT_EQ(result.status, DecodeStatus::Cancelled);
    EXPECT_TRUE(result.sound.samples.empty());
}

class CompressedPlayTest : public MediaDecoderTest {
protected:
    void SetUp() override {
        MediaDecoderTest::SetUp();
        m_log = m_root.path() / "audio.log";
        select_output({ OutputKind::Log, m_log });
    }
    void TearDown() override { select_output({ OutputKind::Null, {} }); }
    std::filesystem::path m_log;
};

TEST_F(CompressedPlayTest, AnMp3PlaysForItsDecodedLengthNotItsHeaderGuess) {
    SKIP_UNLESS_DECODING();
    // Trailing zeros carry no frame, so the decoder ignores them, but the header guess counts
    // every byte at the first frame's bit rate: (6480 + 54000) * 8 / 48 kbit/s is about 10 s.
    auto padded = tone_bytes();
    padded.resize(padded.size() + 54'000, 0);
    write("tone.mp3", padded);
    auto player = MediaPlayer::create();
    player->set_volume(50);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(player->set_url(u"\\My Documents\\tone.mp3"));
    ASSERT_TRUE(platform::testing::eventually([&] { return player->play_state() == PlayState::Stopped; },
                                              platform::testing::kPatience, "the play to end"));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(testing::read_log(m_log), (std::vector<std::string> { "play \\My Documents\\tone.mp3 volume=0x00000032" }));
    EXPECT_GE(elapsed, std::chrono::milliseconds(950)) << "the play takes the decoded second";
    EXPECT_LT(elapsed, std::chrono::seconds(6)) << "the play took the header's guess, not the decoded length";
}

TEST_F(CompressedPlayTest, AnEntryThatDoesNotDecodeIsSkippedAndStopEndsAPlayAtOnce) {
    SKIP_UNLESS_DECODING();
    const std::string text = "no frames in here";
    write("broken.wma", std::vector<uint8_t>(text.begin(), text.end()));
    write("tone.mp3", tone_bytes());
    write("long.wav", testing::make_wave(20'000));
    std::ofstream(m_root.path() / "My Documents" / "list.asx", std::ios::binary)
        << "<ASX version = \"3.0\">\r\n<ENTRY><ref href = \"\\My Documents\\broken.wma\" /></ENTRY>\r\n"
           "<ENTRY><ref href = \"\\My Documents\\tone.mp3\" /></ENTRY>\r\n"
           "<ENTRY><ref href = \"\\My Documents\\long.wav\" /></ENTRY>\r\n</ASX>\r\n";
    auto player = MediaPlayer::create();
    player->set_volume(100);
    player->set_mute(true);
    ASSERT_TRUE(player->set_url(u"\\My Documents\\list.asx"));
    ASSERT_TRUE(platform::testing::eventually([&] { return testing::read_log(m_log).size() >= 2; },
                                              platform::testing::kPatience, "the second entry to start"));
    player->stop();
    EXPECT_EQ(player->play_state(), PlayState::Stopped);
    EXPECT_EQ(testing::read_log(m_log), (std::vector<std::string> { "play \\My Documents\\tone.mp3 volume=0x00000000",
                                                                    "play \\My Documents\\long.wav volume=0x00000000",
                                                                    "stop" }));
}

}  // namespace
}  // namespace zt::platform::audio
