#pragma once
// "Select Sound File": the device's folders as a tree with the sound files (wav, mp3, wma) in
// them; the user picks one file.
#include <optional>
#include <string>

class QWidget;

namespace zt::app {

// The chosen file's device path; nullopt when cancelled or nothing was chosen.
std::optional<std::u16string> choose_sound_file(QWidget& parent);

}  // namespace zt::app
