#pragma once
// 16-bit PCM mono wave files: written by the sound generator, read back by its tests.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace zt::sounds {

struct Wave {
    uint32_t sample_rate { 0 };
    uint16_t channels { 0 };
    uint16_t bits_per_sample { 0 };
    std::vector<int16_t> samples;  // interleaved when channels > 1
};

std::vector<uint8_t> encode_wave(const Wave& wave);
// nullopt unless the bytes are a RIFF/WAVE with a PCM "fmt " chunk and a "data" chunk that fit.
std::optional<Wave> decode_wave(const std::vector<uint8_t>& bytes);

bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> read_file(const std::filesystem::path& path);

}  // namespace zt::sounds
