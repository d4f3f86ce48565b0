#pragma once
// What a media URL stands for: an ASX playlist lists the entries to play in order, any other
// file is one entry. And how long an entry sounds, for the silent outputs.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::audio {

// The href of every <ref> element, in order (tags and attribute names without regard to
// case; values in double quotes, taken as UTF-8). Text that is no playlist gives none.
std::vector<std::u16string> playlist_entries(std::span<const uint8_t> asx_text);

// Duration of a media file's bytes: exact for a wave file; for MP3 from the first frame
// header's bit rate (after an ID3v2 tag), which is exact for constant bit rates. nullopt when
// neither is recognised.
std::optional<uint64_t> media_duration_ms(std::span<const uint8_t> file);

// The entries a URL (a device path) plays: the playlist's entries for ".asx" (any case), else
// the URL itself.
std::vector<std::u16string> entries_of_url(std::u16string_view url);

}  // namespace zt::platform::audio
