#include "platform/audio/wave_format.h"

#include "platform/base/le_bytes.h"

namespace zt::platform::audio {
namespace {

uint32_t u32_at(std::span<const uint8_t> b, size_t at) { return read_le32(b.data() + at); }
uint16_t u16_at(std::span<const uint8_t> b, size_t at) { return read_le16(b.data() + at); }
bool tag_at(std::span<const uint8_t> b, size_t at, const char (&tag)[5]) {
    for (size_t i = 0; i < 4; ++i)
        if (b[at + i] != uint8_t(tag[i])) return false;
    return true;
}

}  // namespace

uint64_t WaveFormat::duration_ms() const {
    if (byte_rate == 0) return 0;
    return uint64_t(samples.size()) * 1000 / byte_rate;
}

std::optional<WaveFormat> parse_wave(std::span<const uint8_t> file) {
    if (file.size() < 12 || !tag_at(file, 0, "RIFF") || !tag_at(file, 8, "WAVE")) return std::nullopt;
    WaveFormat wave;
    bool have_format = false;
    bool have_data = false;
    size_t at = 12;
    while (at + 8 <= file.size() && !have_data) {
        const uint32_t size = u32_at(file, at + 4);
        const size_t body = at + 8;
        const size_t available = file.size() - body;
        if (tag_at(file, at, "fmt ")) {
            if (size < 16 || available < 16) return std::nullopt;
            wave.format_tag = u16_at(file, body);
            wave.channels = u16_at(file, body + 2);
            wave.sample_rate = u32_at(file, body + 4);
            wave.byte_rate = u32_at(file, body + 8);
            wave.block_align = u16_at(file, body + 12);
            wave.bits_per_sample = u16_at(file, body + 14);
            have_format = true;
        } else if (tag_at(file, at, "data")) {
            // A writer killed before it fixed the size leaves a too-large count: play what is there.
            wave.samples = file.subspan(body, size < available ? size : available);
            have_data = true;
        }
        if (size > available) break;
        at = body + size + (size & 1u);  // chunks are padded to even sizes
    }
    if (!have_format || !have_data || wave.byte_rate == 0) return std::nullopt;
    return wave;
}

}  // namespace zt::platform::audio
