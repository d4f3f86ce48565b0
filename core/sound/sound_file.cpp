#include "core/sound/sound_file.h"

#include <filesystem>
#include <fstream>

#include "platform/base/device_path.h"
#include "platform/base/text.h"

namespace zt::sound {

bool is_existing_file(std::u16string_view device_path) {
    if (device_path.empty()) return false;
    const auto path = zt::platform::map_device_path(device_path);
    std::error_code error;
    return path && std::filesystem::is_regular_file(*path, error);
}

std::u16string sound_file_to_play(std::u16string_view requested, std::u16string_view application_folder) {
    if (is_existing_file(requested)) return std::u16string(requested);
    return std::u16string(application_folder) + u"sounds\\ZunAlarm1.wav";
}

std::optional<PlayerKind> player_kind_for(std::u16string_view file) {
    const size_t dot = file.rfind(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    const auto extension = file.substr(dot + 1);
    using zt::platform::equal_ignoring_case;
    if (equal_ignoring_case(extension, u"wav")) return PlayerKind::Wave;
    if (equal_ignoring_case(extension, u"mp3") || equal_ignoring_case(extension, u"asx") ||
        equal_ignoring_case(extension, u"wma"))
        return PlayerKind::Media;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> read_whole_file(std::u16string_view device_path) {
    if (device_path.empty()) return std::nullopt;
    const auto path = zt::platform::map_device_path(device_path);
    if (!path) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*path, error)) return std::nullopt;
    const auto size = std::filesystem::file_size(*path, error);
    if (error) return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    if (std::uint64_t(in.gcount()) != size) return std::nullopt;
    return bytes;
}

}  // namespace zt::sound
