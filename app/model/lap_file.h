#pragma once
// The lap file: a stopwatch's laps as text in "\My Documents\", one line per lap, "split;total;
// stop" for a pause mark and "split;total;lap" otherwise, in the device's ANSI code page.
//
// The proposed name is the first "LapsNNN.txt" (NNN from 000 up) that does not exist; a folder
// of that name ends the search as well, so the write then fails and says so rather than
// silently skipping past it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zt::core {
class CTimer;
}

namespace zt::app {

inline constexpr char16_t kLapFolder[] = u"\\My Documents\\";
inline constexpr char16_t kLapFileError[] = u"Error creating file \"%s\"!";

// The file's bytes; empty for a timer without laps.
std::string lap_file_text(const core::CTimer& timer);
// The device path of the first free lap file name; nullopt when "\My Documents" does not map.
std::optional<std::u16string> propose_lap_file_name();

struct LapFileUi {
    // The save-file dialog: the chosen device path, or nullopt when the user cancelled.
    std::function<std::optional<std::u16string>(std::u16string_view proposed)> choose_path;
    // The error box with the translated, formatted text.
    std::function<void(std::u16string_view text)> show_error;
};

// Writes the laps (nothing, and success, when there are none). Interactive: the user may change
// the name first, and cancelling writes nothing and fails. A file that cannot be created or
// written whole shows the error with its path and fails.
bool save_laps(const core::CTimer& timer, bool interactive, const LapFileUi& ui);

}  // namespace zt::app
