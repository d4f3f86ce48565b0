#pragma once
// The sounds a sound panel offers before "Custom...": the wave files, then the MP3 files, of
// the program's "sounds\" folder, then the same of "\Windows\".
#include <string>
#include <string_view>
#include <vector>

namespace zt::app {

inline constexpr char16_t kSystemSoundFolder[] = u"\\Windows\\";

// Full device paths. application_folder ends in "\" (CTimeStore::application_folder()); when
// it is empty only "\Windows\" is looked in. Each folder's files of one type by name, without
// regard to case.
std::vector<std::u16string> offered_sound_files(std::u16string_view application_folder);

// The names a sound list compares: at most 258 characters, without regard to case.
bool same_sound_file(std::u16string_view a, std::u16string_view b);

// The last component of a device path.
std::u16string_view sound_file_name(std::u16string_view path);

}  // namespace zt::app
