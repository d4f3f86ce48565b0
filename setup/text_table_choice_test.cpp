#include "setup/text_table_choice.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/base/device_path.h"
#include "platform/base/user_language.h"
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

// Sets the locale variables for one test and puts the process's own back afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (size_t i = 0; i < kNames.size(); ++i)
            if (const char* value = std::getenv(kNames[i])) m_saved[i] = value;
    }
    ~LocaleEnvironment() {
        for (size_t i = 0; i < kNames.size(); ++i) set(kNames[i], m_saved[i]);
    }
    void use(const char* all, const char* messages, const char* lang) {
        set("LC_ALL", all ? std::optional<std::string>(all) : std::nullopt);
        set("LC_MESSAGES", messages ? std::optional<std::string>(messages) : std::nullopt);
        set("LANG", lang ? std::optional<std::string>(lang) : std::nullopt);
    }

private:
    static void set(const char* name, const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    static constexpr std::array<const char*, 3> kNames { "LC_ALL", "LC_MESSAGES", "LANG" };
    std::array<std::optional<std::string>, 3> m_saved;
};

class TextTableChoice : public ::testing::Test {
protected:
    void SetUp() override {
        put(u"\\Program Files\\Zun Time\\texts\\de\\ZunTime.txt", "Alarm|Wecker\r\n");
        put(u"\\Program Files\\Zun Time\\texts\\fr\\ZunTime.txt", "Alarm|Alarme\r\n");
    }
    platform::testing::TempDeviceRoot m_root;
    LocaleEnvironment m_locale;
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
        m_locale.use(c.all, c.messages, c.lang);
        fs::remove(host(u"\\Program Files\\Zun Time\\ZunTime.txt"));
        choose_text_table(kFolder);
        EXPECT_EQ(table(), c.table) << "LC_ALL=" << (c.all ? c.all : "(unset)") << " LANG=" << (c.lang ? c.lang : "(unset)");
    }
}

TEST_F(TextTableChoice, AUsersOwnTableIsKept) {
    m_locale.use(nullptr, nullptr, "de_DE.UTF-8");
    put(u"\\Program Files\\Zun Time\\zuntime.TXT", "Alarm|Mein Wecker\r\n");
    choose_text_table(kFolder);
    EXPECT_EQ(table(), "Alarm|Mein Wecker\r\n") << "the table the user wrote must survive an upgrade";
}

}  // namespace
}  // namespace zt::setup
