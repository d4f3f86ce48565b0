#include "platform/audio/media_source.h"

#include <cctype>

#include "platform/audio/wave_format.h"
#include "platform/base/device_path.h"
#include "platform/base/mapped_file.h"
#include "platform/base/text.h"

namespace zt::platform::audio {
namespace {

bool starts_with_ignoring_case(std::string_view text, size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
    return true;
}

size_t skip_spaces(std::string_view text, size_t at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    return at;
}

// The MPEG-1/2 layer III bit rates in kbit/s by index, for MPEG-1 and for MPEG-2/2.5.
constexpr uint32_t kRatesV1[16] = { 0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0 };
constexpr uint32_t kRatesV2[16] = { 0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0 };

std::optional<uint64_t> mp3_duration_ms(std::span<const uint8_t> file) {
    size_t at = 0;
    if (file.size() >= 10 && file[0] == 'I' && file[1] == 'D' && file[2] == '3')
        at = 10 + ((size_t(file[6] & 0x7F) << 21) | (size_t(file[7] & 0x7F) << 14) |
                   (size_t(file[8] & 0x7F) << 7) | size_t(file[9] & 0x7F));
    for (; at + 4 <= file.size(); ++at) {
        if (file[at] != 0xFF || (file[at + 1] & 0xE0) != 0xE0) continue;
        const uint8_t version = (file[at + 1] >> 3) & 3;  // 3 = MPEG-1
        const uint8_t layer = (file[at + 1] >> 1) & 3;    // 1 = layer III
        const uint8_t rate_index = file[at + 2] >> 4;
        if (version == 1 || layer != 1) continue;
        const uint32_t kbits = (version == 3 ? kRatesV1 : kRatesV2)[rate_index];
        if (kbits == 0) continue;
        return uint64_t(file.size() - at) * 8 / kbits;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::u16string> playlist_entries(std::span<const uint8_t> asx_text) {
    const std::string_view text(reinterpret_cast<const char*>(asx_text.data()), asx_text.size());
    std::vector<std::u16string> entries;
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        size_t p = skip_spaces(text, at + 1);
        if (!starts_with_ignoring_case(text, p, "ref") || p + 3 >= text.size() ||
            !std::isspace(static_cast<unsigned char>(text[p + 3])))
            continue;
        const size_t close = text.find('>', p);
        if (close == std::string_view::npos) break;
        for (p += 3; p < close; ++p) {
            if (!starts_with_ignoring_case(text, p, "href")) continue;
            size_t q = skip_spaces(text, p + 4);
            if (q >= close || text[q] != '=') continue;
            q = skip_spaces(text, q + 1);
            if (q >= close || text[q] != '"') continue;
            const size_t end = text.find('"', q + 1);
            if (end == std::string_view::npos || end > close) break;
            entries.push_back(utf8_to_utf16(text.substr(q + 1, end - q - 1)));
            break;
        }
    }
    return entries;
}

std::optional<uint64_t> media_duration_ms(std::span<const uint8_t> file) {
    if (auto wave = parse_wave(file)) return wave->duration_ms();
    return mp3_duration_ms(file);
}

std::vector<std::u16string> entries_of_url(std::u16string_view url) {
    const size_t dot = url.rfind(u'.');
    if (dot == std::u16string_view::npos || !equal_ignoring_case(url.substr(dot + 1), u"asx"))
        return { std::u16string(url) };
    auto path = map_device_path(url);
    if (!path) return {};
    auto file = MappedFile::open(*path);
    if (!file) return {};
    return playlist_entries(file->bytes());
}

}  // namespace zt::platform::audio
