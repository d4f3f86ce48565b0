// Removing skins, pruning high-resolution files on small screens, and the options page's
// Remove rules.
#include <algorithm>
#include <system_error>

#include "core/registry_key.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "skins/skin_files.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

namespace fs = std::filesystem;
using platform::registry::Key;
using platform::registry::Root;

constexpr int kFirstGenerationWithAppInstall = 4;

std::u16string replace_name(std::u16string_view pattern, std::u16string_view name) {
    std::u16string text(pattern);
    size_t at = text.find(u"%s");
    if (at != std::u16string::npos) text.replace(at, 2, name);
    return text;
}

std::u16string install_record_path(int generation, std::u16string_view install_name) {
    return (generation < kFirstGenerationWithAppInstall ? std::u16string(u"\\SOFTWARE\\Apps\\")
                                                        : std::u16string(u"Security\\AppInstall\\")) +
           std::u16string(install_name);
}

std::u16string installation_name(int generation, std::u16string_view skin) {
    std::u16string name = replace_name(u"Zun Time %s Skin", skin);
    if (Key::open(Root::LocalMachine, install_record_path(generation, name))) return name;
    return replace_name(u"%s Time Skin", skin);
}

// A skin folder that is the device root or holds the default skin is never deleted: a
// damaged or hostile Skins value must not be able to wipe the device.
bool safe_to_delete(const fs::path& folder, const std::u16string& default_folder) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(folder, ec);
    if (ec) return false;
    fs::path root = platform::device_root();
    if (canonical == root || canonical.empty()) return false;
    if (auto protected_folder = files::host_path(default_folder)) {
        fs::path kept = fs::weakly_canonical(*protected_folder, ec);
        if (!ec) {
            auto [mismatch, rest] = std::mismatch(canonical.begin(), canonical.end(), kept.begin(), kept.end());
            if (mismatch == canonical.end()) return false;  // the default skin lies at or below it
        }
    }
    return true;
}

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

}  // namespace

bool CSkinManager::remove_skin(std::u16string_view name) {
    if (skin_kind(name) == SkinKind::Default) return false;
    const std::u16string folder = skin_folder(name);
    if (folder.empty()) return false;
    const SkinKind kind = skin_kind(name);
    const int generation = m_screen.generation;
    const std::u16string install_name = installation_name(generation, name);

    auto delete_value_and_folder = [&] {
        core::CRegistryKey(core::RegistryRoot::CurrentUser, kSkinsKeyPath, false, false).delete_value(name);
        std::optional<fs::path> host = files::host_path(folder);
        if (!host || !safe_to_delete(*host, default_folder())) return;
        files::delete_folder_tree(*host);
        if (kind == SkinKind::BuiltIn) {
            std::error_code ec;
            fs::create_directories(*host, ec);
        }
    };

    if (generation < kFirstGenerationWithAppInstall) {
        delete_value_and_folder();
        if (kind == SkinKind::Installed) {
            platform::registry::delete_tree(Root::LocalMachine, install_record_path(generation, install_name));
            if (auto unload = files::host_path(u"\\Windows\\" + install_name + u".unload")) files::delete_file(*unload);
        }
        return true;
    }
    if (kind == SkinKind::Installed) {
        if (auto record = Key::open(Root::LocalMachine, install_record_path(generation, install_name)))
            record->delete_value(u"Role");
        return true;
    }
    delete_value_and_folder();
    return true;
}

void CSkinManager::prune_high_resolution_files() {
    if (m_screen.high_resolution) return;
    std::vector<std::u16string> marked;
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, kSkinsKeyPath, false, false);
    for (uint32_t index = 0;; ++index) {
        std::optional<std::u16string> name = key.value_name(index);
        if (!name) break;
        std::u16string folder = skin_folder(*name);
        if (folder.empty()) continue;
        std::vector<std::u16string> listed;
        std::vector<std::u16string> all = files::file_names(folder);
        for (std::u16string_view extension : { std::u16string_view(u".png"), std::u16string_view(u".zip") })
            for (const std::u16string& file : all)
                if (has_extension(file, extension)) listed.push_back(file);
        if (listed.empty()) {
            marked.push_back(*name);
            continue;
        }
        size_t deleted = 0;
        for (const std::u16string& file : listed) {
            if (!is_high_resolution_file(file)) continue;
            std::optional<fs::path> host = files::host_path(folder + file);
            if (host && files::delete_file(*host)) ++deleted;
        }
        if (deleted == listed.size()) marked.push_back(*name);
    }
    for (const std::u16string& name : marked) remove_skin(name);
}

SkinRemovalCheck check_skin_removal(std::u16string_view row, std::u16string_view active_skin,
                                    std::u16string_view today_skin) {
    if (platform::equal_ignoring_case(row, active_skin) || platform::equal_ignoring_case(row, today_skin))
        return SkinRemovalCheck::CurrentSkin;
    if (CSkinManager::skin_kind(row) == SkinKind::Default) return SkinRemovalCheck::DefaultSkin;
    return SkinRemovalCheck::AskConfirmation;
}

std::u16string skin_removal_message(SkinRemovalCheck check, std::u16string_view row) {
    switch (check) {
    case SkinRemovalCheck::CurrentSkin: return u"You cannot remove current skin!";
    case SkinRemovalCheck::DefaultSkin: return u"You cannot remove the default skin!";
    case SkinRemovalCheck::AskConfirmation: break;
    }
    return replace_name(u"Are you sure you want to remove the %s skin?", row);
}

}  // namespace zt::skins
