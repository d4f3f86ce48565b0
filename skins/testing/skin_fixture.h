#pragma once
// A fresh device with registered skin folders for the skin manager's tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "contracts/registry_keys.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/skin_manager.h"
#include "skins/testing/zip_writer.h"

namespace zt::skins::testing {

inline constexpr char16_t kInstallFolder[] = u"\\Program Files\\Zun Time\\";

class SkinDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }

    // Registers the skin in the Skins key with a folder under the installation folder and
    // makes that folder; `trailing` adds the backslash.
    std::u16string add_skin(const std::u16string& name, bool trailing = true) {
        std::u16string folder = std::u16string(kInstallFolder) + name + (trailing ? u"\\" : u"");
        register_skin(name, folder);
        std::filesystem::create_directories(host(folder));
        return folder;
    }
    // Registers the skin and copies the shipped one of that name (from data/skins) into its folder.
    std::u16string add_shipped_skin(const std::u16string& name, const std::filesystem::path& shipped_skins) {
        const std::u16string folder = add_skin(name);
        std::filesystem::copy(shipped_skins / platform::utf16_to_utf8(name), host(folder),
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        return folder;
    }
    void register_skin(const std::u16string& name, const std::u16string& folder) {
        auto created = platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSkinsKeyPath);
        ASSERT_TRUE(created);
        created->key.set_string(name, folder);
    }
    std::filesystem::path host(std::u16string_view device_path) { return *platform::map_device_path(device_path); }
    void add_file(const std::u16string& skin, const std::u16string& file, const std::vector<uint8_t>& bytes = { 1, 2, 3 }) {
        ASSERT_TRUE(write_bytes(host(std::u16string(kInstallFolder) + skin + u"\\" + file), bytes));
    }
    bool has_file(const std::u16string& skin, const std::u16string& file) {
        return std::filesystem::exists(host(std::u16string(kInstallFolder) + skin + u"\\" + file));
    }
    std::optional<std::u16string> skins_value(const std::u16string& name) {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSkinsKeyPath);
        return key ? key->get_string(name) : std::nullopt;
    }

    platform::testing::TempDeviceRoot m_root;
};

}  // namespace zt::skins::testing
