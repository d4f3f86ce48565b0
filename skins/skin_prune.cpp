// The start-up prune of high-resolution images on small screens, and their return on large
// ones. The device's screen size is a setting that can be changed back, so the prune moves
// the images aside within the skin instead of deleting them.
#include <system_error>

#include "platform/base/text.h"
#include "skins/skin_files.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

namespace fs = std::filesystem;

bool is_high_resolution_file(std::u16string_view name) {
    size_t dot = name.rfind(u'.');
    std::u16string_view base = name.substr(0, dot);
    if (base.size() <= 3) return false;
    return platform::equal_ignoring_case(base.substr(base.size() - 4), u"_vga");
}

bool has_extension(std::u16string_view name, std::u16string_view extension) {
    return name.size() >= extension.size() &&
           platform::equal_ignoring_case(name.substr(name.size() - extension.size()), extension);
}

// The skin images of a folder as the prune lists them: "*.png", then "*.zip".
std::vector<std::u16string> listed_images(std::u16string_view folder) {
    std::vector<std::u16string> listed;
    const std::vector<std::u16string> all = files::file_names(folder);
    for (std::u16string_view extension : { std::u16string_view(u".png"), std::u16string_view(u".zip") })
        for (const std::u16string& file : all)
            if (has_extension(file, extension)) listed.push_back(file);
    return listed;
}

std::u16string pruned_folder(const std::u16string& skin_folder) { return skin_folder + kPrunedFolder + u"\\"; }

// Every registered skin with a folder, in registry order.
template <typename Visit>
void for_each_skin(const CSkinManager& skins, Visit visit) {
    for (const CSkinManager::RegisteredSkin& skin : skins.registered_skins()) {
        if (!skin.folder.empty()) visit(skin.name, skin.folder);
    }
}

}  // namespace

void CSkinManager::prune_high_resolution_files() {
    if (m_screen.high_resolution) return;
    std::vector<std::u16string> marked;
    for_each_skin(*this, [&](const std::u16string& name, const std::u16string& folder) {
        const std::vector<std::u16string> listed = listed_images(folder);
        const std::u16string aside = pruned_folder(folder);
        // Images set aside by an earlier prune still belong to the skin: it is not empty.
        if (listed.empty()) {
            if (listed_images(aside).empty()) marked.push_back(name);
            return;
        }
        std::optional<fs::path> aside_host = files::host_path(aside);
        bool aside_ready = false;
        for (const std::u16string& file : listed) {
            if (!is_high_resolution_file(file)) continue;
            std::optional<fs::path> host = files::host_path(folder + file);
            if (!host || !aside_host) continue;
            if (!aside_ready) {
                std::error_code ec;
                fs::create_directory(*aside_host, ec);
                aside_ready = files::is_real_folder(*aside_host);
                if (!aside_ready) return;  // nowhere safe to keep them: leave the skin whole
            }
            files::move_file(*host, *aside_host / host->filename());
        }
    });
    for (const std::u16string& name : marked) remove_skin(name);
}

void CSkinManager::restore_high_resolution_files() {
    if (!m_screen.high_resolution) return;
    for_each_skin(*this, [&](const std::u16string&, const std::u16string& folder) {
        const std::u16string aside = pruned_folder(folder);
        std::optional<fs::path> aside_host = files::host_path(aside);
        std::optional<fs::path> folder_host = files::host_path(folder);
        if (!aside_host || !folder_host || !files::is_real_folder(*aside_host)) return;
        for (const std::u16string& file : listed_images(aside)) {
            if (!is_high_resolution_file(file) || files::is_file(folder + file)) continue;
            files::move_file(*aside_host / fs::path(file), *folder_host / fs::path(file));
        }
        std::error_code ec;
        fs::remove(*aside_host, ec);  // only when nothing is left in it
    });
}

}  // namespace zt::skins
