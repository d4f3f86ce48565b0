#pragma once
// Compressed sounds (MP3, WMA) decoded to PCM through Qt Multimedia's decoder, so they can
// sound on the sound server and be timed exactly on the silent outputs.
//
// Guarantees:
//  - Returns within about 5 ms of `cancel` being raised, and gives up on a file that makes no
//    progress for kStallLimit (a backend may neither decode a foreign file nor report it).
//  - Never throws and never crashes on damaged input: such a file is NotDecodable.
//  - NoDecoder means this process cannot decode at all (Qt's backend is missing); it is
//    reported once on stderr, and later calls return it at once.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/audio/cancel.h"
#include "platform/audio/wave_format.h"

namespace zt::platform::audio {

inline constexpr std::chrono::milliseconds kStallLimit { 2000 };

// Interleaved signed 16-bit samples in the machine's byte order, as the sound server takes them.
struct DecodedSound {
    uint32_t sample_rate { 0 };
    uint16_t channels { 0 };
    std::vector<uint8_t> samples;

    uint64_t duration_ms() const;
    // A view of the samples as a PCM wave; valid while this object lives.
    WaveFormat wave() const;
};

enum class DecodeStatus { Decoded, NoDecoder, NotDecodable, Cancelled };

struct DecodeResult {
    DecodeStatus status { DecodeStatus::NotDecodable };
    DecodedSound sound;  // DecodeStatus::Decoded only
};

DecodeResult decode_media_file(const std::filesystem::path& file, const Cancel& cancel);

}  // namespace zt::platform::audio
