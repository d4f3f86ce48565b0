#include "setup/text_table_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/base/device_path.h"
#include "platform/testing/temp_device_root.h"

namespace zt::setup {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kFolder[] = u"\\Program Files\\Zun Time";

fs::path host(std::u16string_view device_path) { return *platform::map_device_path(device_path); }

void put(std::u16string_view device_path, const std::string& text) {
    const fs::path path = host(device_path);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::optional<std::string> table() {
    std::ifstream in(host(u"\\Program Files\\Zun Time\\ZunTime.txt"), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// ctest runs each case in a process of its own, so the variables need no restoring.
void use_locale(const char* all, const char* messages, const char* lang) {
    const std::pair<const char*, const char*> variables[] = { { "LC_ALL", all }, { "LC_MESSAGES", messages }, { "LANG", lang } };
    for (const auto& [name, value] : variables) value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

class TextTableChoice : public ::testing::Test {
protected:
    void SetUp() override {
        put(u"\\Program Files\\Zun Time\\texts\\de\\ZunTime.txt", "Alarm|Wecker\r\n");
        put(u"\\Program Files\\Zun Time\\texts\\fr\\ZunTime.txt", "Alarm|Alarme\r\n");
    }
    platform::testing::TempDeviceRoot m_root;
};

TEST_F(TextTableChoice, TheUsersLanguagePicksTheSampleAndOthersStayEnglish) {
    struct Case { const char* all; const char* messages; const char* lang; std::optional<std::string> table; };
    const Case cases[] = {
        { nullptr, nullptr, "de_DE.UTF-8", "Alarm|Wecker\r\n" },
        { nullptr, nullptr, "fr", "Alarm|Alarme\r\n" },
        { "FR_CA.UTF-8", nullptr, "de_DE.UTF-8", "Alarm|Alarme\r\n" },  // LC_ALL comes first
        { "", "de_AT", "fr_FR", "Alarm|Wecker\r\n" },                    // then LC_MESSAGES
        { nullptr, nullptr, "C", std::nullopt },
        { nullptr, nullptr, "POSIX", std::nullopt },
        { nullptr, nullptr, "en_US.UTF-8", std::nullopt },
        { nullptr, nullptr, "ja_JP.UTF-8", std::nullopt },  // no sample for it
        { nullptr, nullptr, "../../x", std::nullopt },
        { nullptr, nullptr, nullptr, std::nullopt },
    };
    for (const Case& c : cases) {
        use_locale(c.all, c.messages, c.lang);
        fs::remove(host(u"\\Program Files\\Zun Time\\ZunTime.txt"));
        choose_text_table(kFolder);
        EXPECT_EQ(table(), c.table) << "LC_ALL=" << (c.all ? c.all : "(unset)") << " LANG=" << (c.lang ? c.lang : "(unset)");
    }
}

TEST_F(TextTableChoice, AUsersOwnTableIsKeptWhateverItsCase) {
    use_locale(nullptr, nullptr, "de_DE.UTF-8");
    put(u"\\Program Files\\Zun Time\\zuntime.TXT", "Alarm|Mein Wecker\r\n");
    choose_text_table(kFolder);
    EXPECT_EQ(table(), "Alarm|Mein Wecker\r\n");
}

}  // namespace
}  // namespace zt::setup
