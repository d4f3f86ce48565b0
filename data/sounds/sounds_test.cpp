// The committed alarm tones: valid waves of the stated length, loud enough to wake someone,
// silent at both ends so they loop without a click, and exactly what the generator makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "data/sounds/tone_synth.h"
#include "data/sounds/wave_file.h"

namespace zt::sounds {
namespace {

const std::filesystem::path kFolder = ZT_SOUNDS_DIR;

TEST(ShippedSounds, EachToneParsesAsPcmWaveOfItsLengthAndLoopsQuietly)
{
    for (const Tone& tone : default_tones()) {
        SCOPED_TRACE(tone.file_name);
        const auto bytes = read_file(kFolder / tone.file_name);
        ASSERT_TRUE(bytes) << "missing file";
        const auto wave = decode_wave(*bytes);
        ASSERT_TRUE(wave) << "not a 16-bit PCM wave";
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->sample_rate, kSampleRate);
        const double seconds = static_cast<double>(wave->samples.size()) / wave->sample_rate;
        EXPECT_NEAR(seconds, tone.seconds, 0.001);
        EXPECT_GE(seconds, 2.0);
        EXPECT_LE(seconds, 6.0);
        int peak = 0;
        for (int16_t s : wave->samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 25000) << "too quiet to be an alarm";
        EXPECT_LT(std::abs(wave->samples.front()), 200);
        EXPECT_LT(std::abs(wave->samples.back()), 200) << "would click when looped";
        // The generator's sines and exponentials come from the machine's maths library, whose
        // last bit may differ between CPUs; a changed tone differs by far more than that.
        const auto made = render(tone);
        ASSERT_EQ(wave->samples.size(), made.size()) << "committed file differs in length from the generator's output";
        int worst = 0;
        size_t at = 0;
        for (size_t i = 0; i < made.size(); ++i) {
            const int d = std::abs(static_cast<int>(made[i]) - static_cast<int>(wave->samples[i]));
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        EXPECT_LE(worst, 1) << "committed file differs from the generator's output at sample " << at << ": made "
                            << made[at] << ", committed " << wave->samples[at];
    }
}

TEST(WaveFile, RoundTripsAndRejectsDamagedFiles)
{
    const Wave wave { 8000, 1, 16, { 0, 1, -1, 32767, -32768 } };
    auto bytes = encode_wave(wave);
    const auto back = decode_wave(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->samples, wave.samples);

    auto truncated = bytes;
    truncated.resize(truncated.size() - 3);
    EXPECT_FALSE(decode_wave(truncated)) << "data chunk longer than the file";
    auto compressed = bytes;
    compressed[20] = 2;  // format tag: not PCM
    EXPECT_FALSE(decode_wave(compressed));
    EXPECT_FALSE(decode_wave({ 'R', 'I', 'F', 'F' }));
}

}  // namespace
}  // namespace zt::sounds
