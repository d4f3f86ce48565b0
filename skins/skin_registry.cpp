// The Skins key: registered skins, their folders and kinds, and the device facts the manager
// caches.
#include <algorithm>
#include <array>

#include "contracts/registry_keys.h"
#include "core/registry_key.h"
#include "platform/base/text.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "skins/skin_files.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

constexpr std::array<std::u16string_view, 5> kBuiltInSkins = { u"black", u"white", u"zunsilver", u"default_big", u"wins" };

bool suits(SkinConsumer consumer, std::u16string_view folder) {
    if (consumer == SkinConsumer::Any) return true;
    for (const std::u16string& name : files::file_names(folder)) {
        bool applet_image = platform::starts_with_ignoring_case(name, u"apl_");
        if (consumer == SkinConsumer::MainProgram && !applet_image) return true;
        if (consumer == SkinConsumer::Applet && applet_image) return true;
    }
    return false;
}

}  // namespace

SkinScreen read_skin_screen() {
    platform::DeviceProfile profile = platform::read_device_profile();
    return { profile.screen_width > 400, platform::platform_generation(profile) };
}

CSkinManager& CSkinManager::instance() {
    static CSkinManager manager(read_skin_screen());
    return manager;
}

CSkinManager::CSkinManager(SkinScreen screen) : m_screen(screen) {}

SkinKind CSkinManager::skin_kind(std::u16string_view name) {
    if (platform::equal_ignoring_case(name, kDefaultSkinName)) return SkinKind::Default;
    for (std::u16string_view built_in : kBuiltInSkins)
        if (platform::equal_ignoring_case(name, built_in)) return SkinKind::BuiltIn;
    return SkinKind::Installed;
}

std::u16string CSkinManager::skin_folder(std::u16string_view name) const {
    if (name.empty()) return {};
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, contracts::kSkinsKeyPath, false, false);
    std::optional<std::u16string> folder = key.peek_string(name);
    if (!folder || folder->empty()) return {};
    if (folder->back() != u'\\' && folder->back() != u'/') folder->push_back(u'\\');
    return *folder;
}

std::vector<CSkinManager::RegisteredSkin> CSkinManager::registered_skins() const {
    std::vector<RegisteredSkin> skins;
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, contracts::kSkinsKeyPath, false, false);
    for (uint32_t index = 0;; ++index) {
        std::optional<std::u16string> name = key.value_name(index);
        if (!name) break;
        std::u16string folder = skin_folder(*name);
        skins.push_back({ std::move(*name), std::move(folder) });
    }
    return skins;
}

std::vector<std::u16string> CSkinManager::build_skin_list(SkinConsumer consumer) {
    m_default_folder = skin_folder(kDefaultSkinName);
    std::vector<std::u16string> names;
    for (RegisteredSkin& skin : registered_skins()) {
        if (!skin.folder.empty() && suits(consumer, skin.folder)) names.push_back(std::move(skin.name));
    }
    return names;
}

std::u16string CSkinManager::default_folder() {
    if (!m_default_folder || m_default_folder->empty()) m_default_folder = skin_folder(kDefaultSkinName);
    return *m_default_folder;
}

}  // namespace zt::skins
