#pragma once
// The playlist both media players hand to the media player: "\My Documents\zuntime.asx".
#include <cstdint>
#include <string>
#include <string_view>

namespace zt::sound {

inline constexpr std::u16string_view kPlaylistPath = u"\\My Documents\\zuntime.asx";

// The playlist's bytes: the header, the entry for the sound file (UTF-8, cut to 1024 bytes)
// 200 times in repeat mode 1 or repeat-value times (at most 200) in repeat mode 0, and the
// footer.
std::string playlist_bytes(std::u16string_view sound_file, uint32_t repeat_mode, uint32_t repeat_value);

// Creates or overwrites the playlist file; true only when every byte was written.
bool write_playlist(std::u16string_view sound_file, uint32_t repeat_mode, uint32_t repeat_value);

void delete_playlist();

}  // namespace zt::sound
