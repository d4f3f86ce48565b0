#pragma once
// Short 16-bit mono PCM wave files for tests that play sounds.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/base/le_bytes.h"

namespace zt::platform::audio::testing {

inline std::vector<uint8_t> make_wave(uint32_t duration_ms, uint32_t rate = 8000) {
    const uint32_t data_size = rate * duration_ms / 1000 * 2;
    std::vector<uint8_t> bytes(44 + data_size, 0);
    uint8_t* p = bytes.data();
    const auto tag = [&](size_t at, const char* text) { for (int i = 0; i < 4; ++i) p[at + i] = uint8_t(text[i]); };
    tag(0, "RIFF");
    write_le32(p + 4, 36 + data_size);
    tag(8, "WAVE");
    tag(12, "fmt ");
    write_le32(p + 16, 16);
    write_le16(p + 20, 1);
    write_le16(p + 22, 1);
    write_le32(p + 24, rate);
    write_le32(p + 28, rate * 2);
    write_le16(p + 32, 2);
    write_le16(p + 34, 16);
    tag(36, "data");
    write_le32(p + 40, data_size);
    for (uint32_t i = 0; i < data_size / 2; ++i) write_le16(p + 44 + 2 * i, uint16_t(i % 40 < 20 ? 8000 : -8000));
    return bytes;
}

inline bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace zt::platform::audio::testing
