#include "app/dialogs/sound_files.h"

#include <algorithm>

#include "platform/base/text.h"
#include "skins/skin_files.h"

namespace zt::app {
namespace {

constexpr size_t kComparedLength = 258;

bool has_extension(std::u16string_view name, std::u16string_view extension) {
    return name.size() > extension.size() &&
           platform::equal_ignoring_case(name.substr(name.size() - extension.size()), extension);
}

bool name_before(const std::u16string& a, const std::u16string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        return lower(x) < lower(y);
    });
}

void add_folder(std::vector<std::u16string>& paths, const std::u16string& folder) {
    std::vector<std::u16string> names = skins::files::file_names(folder);
    std::sort(names.begin(), names.end(), name_before);
    for (const char16_t* extension : { u".wav", u".mp3" })
        for (const std::u16string& name : names)
            if (has_extension(name, extension)) paths.push_back(folder + name);
}

}  // namespace

std::vector<std::u16string> offered_sound_files(std::u16string_view application_folder) {
    std::vector<std::u16string> paths;
    if (!application_folder.empty()) add_folder(paths, std::u16string(application_folder) + u"sounds\\");
    add_folder(paths, kSystemSoundFolder);
    return paths;
}

bool same_sound_file(std::u16string_view a, std::u16string_view b) {
    return platform::equal_ignoring_case(a.substr(0, kComparedLength), b.substr(0, kComparedLength));
}

std::u16string_view sound_file_name(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace zt::app
