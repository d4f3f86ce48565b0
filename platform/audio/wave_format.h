#pragma once
// The layout of a RIFF WAVE file as far as playing it needs: the sample format and where the
// samples are. Read field by field, little-endian, with every chunk bounded by the file.
#include <cstdint>
#include <optional>
#include <span>

namespace zt::platform::audio {

struct WaveFormat {
    uint16_t format_tag { 0 };      // 1 = PCM
    uint16_t channels { 0 };
    uint32_t sample_rate { 0 };
    uint32_t byte_rate { 0 };
    uint16_t block_align { 0 };
    uint16_t bits_per_sample { 0 };
    std::span<const uint8_t> samples;  // the "data" chunk, cut to the file when it claims more

    // How long the samples sound, from the byte rate the header states.
    uint64_t duration_ms() const;
};

// nullopt for anything that is not a RIFF WAVE with a "fmt " chunk (at least 16 bytes), a
// "data" chunk and a non-zero byte rate.
std::optional<WaveFormat> parse_wave(std::span<const uint8_t> file);

}  // namespace zt::platform::audio
