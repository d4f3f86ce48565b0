#include "core/sound/playlist.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/base/device_path.h"
#include "platform/base/text.h"

namespace zt::sound {
namespace {

constexpr std::string_view kHeader =
    "<ASX version = \"3.0\">\r\n"
    "<PARAM NAME = \"Encoding\" VALUE = \"UTF-8\" />\r\n"
    "<PARAM NAME = \"Custom Playlist Version\" VALUE = \"V1.0 WMP8 for CE\" />\r\n";
constexpr std::string_view kFooter = "</ASX>\r\n";
constexpr size_t kMaxEntryBytes = 1024;
constexpr uint32_t kEntriesForPlayingTime = 200;
// Any program can store a repeat count of four thousand million. A playlist as long as a
// playing time lasts long enough for any alarm, and stays a small file.
constexpr uint32_t kMostEntries = kEntriesForPlayingTime;

// The entry is cut at a byte limit; a cut through a character would leave a broken
// sequence, so the cut moves back to the character's first byte.
std::string cut_utf8(std::string text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

}  // namespace

std::string playlist_bytes(std::u16string_view sound_file, uint32_t repeat_mode, uint32_t repeat_value) {
    std::u16string entry = u"<ENTRY><ref href = \"";
    entry += sound_file;
    entry += u"\" /></ENTRY>\r\n";
    const std::string entry_bytes = cut_utf8(zt::platform::utf16_to_utf8(entry), kMaxEntryBytes);
    const uint32_t count = repeat_mode == 1 ? kEntriesForPlayingTime : std::min(repeat_value, kMostEntries);
    std::string text(kHeader);
    text.reserve(kHeader.size() + entry_bytes.size() * count + kFooter.size());
    for (uint32_t i = 0; i < count; ++i) text += entry_bytes;
    text += kFooter;
    return text;
}

bool write_playlist(std::u16string_view sound_file, uint32_t repeat_mode, uint32_t repeat_value) {
    const auto path = zt::platform::map_device_path(kPlaylistPath);
    if (!path) return false;
    const std::string text = playlist_bytes(sound_file, repeat_mode, repeat_value);
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    return bool(out.flush());
}

void delete_playlist() {
    if (const auto path = zt::platform::map_device_path(kPlaylistPath)) {
        std::error_code error;
        std::filesystem::remove(*path, error);
    }
}

}  // namespace zt::sound
