#pragma once
// The icons of Zun Time's desktop entries, drawn from the skin art: the main program's clock
// face, the Today screen (a page with a clock) and the dock (a clock on a tray). They go into
// the hicolor icon theme as <size>x<size>/apps/<name>.png.
#include <QImage>
#include <QString>
#include <filesystem>
#include <vector>

namespace zt::skinart {

enum class DesktopIcon { Main, Today, Dock };

struct DesktopIconEntry {
    DesktopIcon icon;
    const char* name;  // the Icon= key of its desktop entry
};

const std::vector<DesktopIconEntry>& desktop_icons();
const std::vector<int>& desktop_icon_sizes();

// A size x size picture with a transparent background, in the Default skin's colours.
QImage draw_desktop_icon(DesktopIcon icon, int size);

// Every icon at every size under `hicolor`; returns the files that could not be written.
std::vector<std::filesystem::path> write_desktop_icons(const std::filesystem::path& hicolor);
std::filesystem::path desktop_icon_file(const std::filesystem::path& hicolor, const char* name, int size);

}  // namespace zt::skinart
