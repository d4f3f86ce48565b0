#include "app/model/lap_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/timer.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "texts/ansi_code_page.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

// The longest line the conversion may give; a lap line is far shorter.
constexpr size_t kMaxLineBytes = 50;
// The counter is printed with at least three digits; the search ends somewhere.
constexpr uint32_t kMostLapFiles = 100'000;

std::u16string lap_file_name(uint32_t counter) {
    char name[32];
    std::snprintf(name, sizeof name, "Laps%03u.txt", counter);
    return std::u16string(kLapFolder) + platform::to_u16(name);
}

}  // namespace

std::string lap_file_text(const core::CTimer& timer) {
    std::string text;
    for (size_t i = 0; i < timer.laps().size(); ++i) {
        const auto reading = timer.lap_reading(i);
        if (!reading) continue;
        const std::u16string line = core::format_lap_text(reading->split_ms) + u";" + core::format_lap_text(reading->time_ms) +
                                    u";" + (reading->pause ? u"stop" : u"lap") + u"\r\n";
        std::string bytes = utf16_to_ansi(line);
        if (bytes.size() > kMaxLineBytes) bytes.resize(kMaxLineBytes);
        text += bytes;
    }
    return text;
}

std::optional<std::u16string> propose_lap_file_name() {
    for (uint32_t counter = 0; counter < kMostLapFiles; ++counter) {
        std::u16string name = lap_file_name(counter);
        const auto host = platform::map_device_path(name);
        if (!host) return std::nullopt;
        std::error_code error;
        // A folder of this name ends the search too: it is "taken", but not by a lap file.
        if (!std::filesystem::exists(*host, error) || std::filesystem::is_directory(*host, error)) return name;
    }
    return std::nullopt;
}

bool save_laps(const core::CTimer& timer, bool interactive, const LapFileUi& ui) {
    const std::string text = lap_file_text(timer);
    if (text.empty()) return true;
    std::optional<std::u16string> path = propose_lap_file_name();
    if (!path) path = lap_file_name(0);
    if (interactive) {
        path = ui.choose_path ? ui.choose_path(*path) : std::nullopt;
        if (!path) return false;
    }
    bool written = false;
    if (const auto host = platform::map_device_path(*path)) {
        std::ofstream out(*host, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        written = out.good();
    }
    if (!written && ui.show_error) ui.show_error(fill_in(CTextTable::instance().translate(kLapFileError), u"%s", *path));
    return written;
}

}  // namespace zt::app
