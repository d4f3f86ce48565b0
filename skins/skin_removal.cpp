// Removing skins and the options page's Remove rules.
#include <system_error>

#include "contracts/registry_keys.h"
#include "core/registry_key.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "skins/skin_files.h"
#include "skins/skin_folder_safety.h"
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

// An installation name is a registry key name and a file name in "\Windows": a skin name
// with a path separator in it could reach another application's records.
bool plain_name(std::u16string_view name) { return name.find_first_of(u"\\/") == std::u16string_view::npos; }

std::u16string parent_folder(std::u16string_view folder) {
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.remove_suffix(1);
    const size_t last = folder.find_last_of(u"\\/");
    return last == std::u16string_view::npos ? std::u16string {} : std::u16string(folder.substr(0, last + 1));
}

}  // namespace

SkinFolderRules CSkinManager::folder_rules(std::u16string_view skin) {
    SkinFolderRules rules;
    const std::u16string default_skin = default_folder();
    rules.skin_locations.push_back(m_installation_folder.empty() ? parent_folder(default_skin) : m_installation_folder);
    rules.protected_folders = { m_installation_folder, default_skin };
    for (RegisteredSkin& other : registered_skins()) {
        if (!platform::equal_ignoring_case(other.name, skin)) rules.protected_folders.push_back(std::move(other.folder));
    }
    return rules;
}

bool CSkinManager::remove_skin(std::u16string_view name) {
    if (skin_kind(name) == SkinKind::Default) return false;
    const std::u16string folder = skin_folder(name);
    if (folder.empty()) return false;
    const SkinKind kind = skin_kind(name);
    const int generation = m_screen.generation;
    const std::u16string install_name = installation_name(generation, name);

    auto delete_value_and_folder = [&] {
        // Judged while the skin is still registered, so its own value is not among the others.
        const SkinFolderVerdict verdict = judge_skin_folder(folder, folder_rules(name));
        core::CRegistryKey(core::RegistryRoot::CurrentUser, contracts::kSkinsKeyPath, false, false).delete_value(name);
        std::optional<fs::path> host = files::host_path(folder);
        if (!host || verdict == SkinFolderVerdict::Refused) return;
        files::delete_folder_tree(*host);
        if (kind == SkinKind::BuiltIn) {
            std::error_code ec;
            fs::create_directories(*host, ec);
        }
    };

    if (generation < kFirstGenerationWithAppInstall) {
        delete_value_and_folder();
        if (kind == SkinKind::Installed && plain_name(name)) {
            platform::registry::delete_tree(Root::LocalMachine, install_record_path(generation, install_name));
            if (auto unload = files::host_path(u"\\Windows\\" + install_name + u".unload")) files::delete_file(*unload);
        }
        return true;
    }
    if (kind == SkinKind::Installed && plain_name(name)) {
        if (auto record = Key::open(Root::LocalMachine, install_record_path(generation, install_name)))
            record->delete_value(u"Role");
        return true;
    }
    delete_value_and_folder();
    return true;
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
