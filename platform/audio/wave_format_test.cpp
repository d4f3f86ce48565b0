#include "platform/audio/wave_format.h"

#include <gtest/gtest.h>

#include "platform/audio/media_source.h"
#include "platform/audio/testing/make_wave.h"

namespace zt::platform::audio {
namespace {

TEST(WaveFormat, ReadsFormatAndDurationOfAPcmWave) {
    const auto bytes = testing::make_wave(250);
    const auto wave = parse_wave(bytes);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->sample_rate, 8000u);
    EXPECT_EQ(wave->bits_per_sample, 16);
    EXPECT_EQ(wave->duration_ms(), 250u);
}

TEST(WaveFormat, RefusesOrCutsDamagedFiles) {
    auto bytes = testing::make_wave(100);
    EXPECT_FALSE(parse_wave(std::span(bytes).first(30))) << "cut inside the format chunk";
    auto no_riff = bytes;
    no_riff[0] = 'X';
    EXPECT_FALSE(parse_wave(no_riff));
    auto zero_rate = bytes;
    write_le32(zero_rate.data() + 28, 0);
    EXPECT_FALSE(parse_wave(zero_rate)) << "a zero byte rate would make the duration divide by 0";
    auto huge_chunk = bytes;
    write_le32(huge_chunk.data() + 16, 0xFFFFFFF0u);
    EXPECT_FALSE(parse_wave(huge_chunk)) << "a format chunk larger than the file";
    const auto truncated = std::span(bytes).first(44 + 800);
    const auto cut = parse_wave(truncated);
    ASSERT_TRUE(cut.has_value()) << "a data chunk claiming more than the file plays what is there";
    EXPECT_EQ(cut->samples.size(), 800u);
    EXPECT_EQ(cut->duration_ms(), 50u);
}

TEST(MediaSource, PlaylistEntriesAreFoundWithoutRegardToCase) {
    const std::string asx =
        "<ASX version = \"3.0\">\r\n<ENTRY><ref href = \"\\My Documents\\a.mp3\" /></ENTRY>\r\n"
        "<entry><REF HREF=\"\\b\xC3\xA9.wav\"/></entry>\r\n<reference href=\"no\"/>\r\n<ref href=\"open";
    const auto entries = playlist_entries(std::span(reinterpret_cast<const uint8_t*>(asx.data()), asx.size()));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], u"\\My Documents\\a.mp3");
    EXPECT_EQ(entries[1], u"\\b\u00e9.wav");
}

TEST(MediaSource, Mp3DurationComesFromTheFrameBitRate) {
    // An ID3v2 tag of 20 bytes, then MPEG-1 layer III frames at 128 kbit/s: 16000 bytes a second.
    std::vector<uint8_t> mp3(10 + 20 + 16000, 0);
    mp3[0] = 'I'; mp3[1] = 'D'; mp3[2] = '3'; mp3[9] = 20;
    mp3[30] = 0xFF; mp3[31] = 0xFB; mp3[32] = 0x90;
    EXPECT_EQ(media_duration_ms(mp3), 1000u);
    EXPECT_FALSE(media_duration_ms(std::vector<uint8_t>(100, 0x20))) << "no frame, no wave";
}

}  // namespace
}  // namespace zt::platform::audio
