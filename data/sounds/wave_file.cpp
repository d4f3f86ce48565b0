#include "data/sounds/wave_file.h"

#include <fstream>
#include <iterator>
#include <string_view>

namespace zt::sounds {

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xff));
}

void put_tag(std::vector<uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

uint32_t get16(const std::vector<uint8_t>& in, size_t at)
{
    return static_cast<uint32_t>(in[at] | (in[at + 1] << 8));
}

uint32_t get32(const std::vector<uint8_t>& in, size_t at)
{
    return get16(in, at) | (get16(in, at + 2) << 16);
}

bool tag_at(const std::vector<uint8_t>& in, size_t at, std::string_view tag)
{
    return at + 4 <= in.size() && std::string_view(reinterpret_cast<const char*>(in.data() + at), 4) == tag;
}

}  // namespace

std::vector<uint8_t> encode_wave(const Wave& wave)
{
    const uint32_t data_bytes = static_cast<uint32_t>(wave.samples.size() * 2);
    const uint16_t block_align = static_cast<uint16_t>(wave.channels * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, wave.channels);
    put32(out, wave.sample_rate);
    put32(out, wave.sample_rate * block_align);
    put16(out, block_align);
    put16(out, 16);
    put_tag(out, "data");
    put32(out, data_bytes);
    for (int16_t s : wave.samples)
        put16(out, static_cast<uint16_t>(s));
    return out;
}

std::optional<Wave> decode_wave(const std::vector<uint8_t>& in)
{
    if (in.size() < 12 || !tag_at(in, 0, "RIFF") || !tag_at(in, 8, "WAVE"))
        return std::nullopt;
    Wave wave;
    bool have_format = false;
    size_t at = 12;
    while (at + 8 <= in.size()) {
        const uint32_t size = get32(in, at + 4);
        const size_t body = at + 8;
        if (size > in.size() - body)
            return std::nullopt;
        if (tag_at(in, at, "fmt ")) {
            if (size < 16 || get16(in, body) != 1)
                return std::nullopt;
            wave.channels = static_cast<uint16_t>(get16(in, body + 2));
            wave.sample_rate = get32(in, body + 4);
            wave.bits_per_sample = static_cast<uint16_t>(get16(in, body + 14));
            have_format = true;
        } else if (tag_at(in, at, "data")) {
            if (!have_format || wave.bits_per_sample != 16 || wave.channels == 0 || size % 2 != 0)
                return std::nullopt;
            wave.samples.resize(size / 2);
            for (size_t i = 0; i < wave.samples.size(); ++i)
                wave.samples[i] = static_cast<int16_t>(get16(in, body + 2 * i));
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::optional<std::vector<uint8_t>> read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zt::sounds
