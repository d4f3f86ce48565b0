#pragma once
// The sound files of the ringing: which file plays, which player it needs, and its bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::sound {

enum class PlayerKind : uint32_t { Wave = 0, Media = 1, None = 2 };

// True when the device path names an existing file (not a folder).
bool is_existing_file(std::u16string_view device_path);

// The file to play: the requested one, else (empty, missing or a folder) the default sound
// "sounds\ZunAlarm1.wav" in the application folder.
std::u16string sound_file_to_play(std::u16string_view requested, std::u16string_view application_folder);

// By the text after the last ".": "wav" wave; "mp3", "asx", "wma" media (any case); anything
// else, or no ".", nothing.
std::optional<PlayerKind> player_kind_for(std::u16string_view file);

// The whole file, read at its size in one read; nullopt when any of it cannot be read.
std::optional<std::vector<uint8_t>> read_whole_file(std::u16string_view device_path);

}  // namespace zt::sound
