// scripts/install-desktop.sh for a user without a systemd user manager, in a home of its own:
// what it installs, that the entries pass desktop-file-validate, and that --remove takes back
// every file it put there and nothing else, the device root least of all.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "data/skins/generator/desktop_icons.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using zt::platform::testing::run_program;

const fs::path kSource = ZT_SOURCE_DIR;

std::string read_text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every file and link under `top`, with its content, so a run can be compared with another.
std::map<fs::path, std::string> snapshot(const fs::path& top)
{
    std::map<fs::path, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(top))
        if (!item.is_directory())
            files[item.path()] = item.is_symlink() ? "link" : read_text(item.path());
    return files;
}

class DesktopInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_home.path().empty());
        // A PATH of everything the system has but systemctl: the autostart way is taken even on
        // a machine with a user manager, and no real unit is touched.
        const fs::path tools = m_home / "tools";
        fs::create_directories(tools);
        for (const char* folder : { "/usr/bin", "/bin", "/usr/sbin", "/sbin" })
            for (const auto& item : fs::directory_iterator(folder, fs::directory_options::skip_permission_denied)) {
                const auto name = item.path().filename();
                std::error_code exists;
                if (name != "systemctl" && !fs::exists(fs::symlink_status(tools / name)))
                    fs::create_symlink(item.path(), tools / name, exists);
            }
        setenv("PATH", tools.c_str(), 1);
        setenv("HOME", m_home.path().c_str(), 1);
        setenv("XDG_DATA_HOME", (m_home / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_home / "config").c_str(), 1);
        // A folder with a space: the entries and the unit must quote the launcher's path.
        setenv("ZT_DESKTOP_BIN_DIR", bin().c_str(), 1);
        setenv("ZT_BUILD_DIR", fs::path(std::getenv("ZT_BIN_DIR")).parent_path().c_str(), 1);
        setenv("ZT_DESKTOP_NO_START", "1", 1);
        unsetenv("ZT_ROOT");
    }

    zt::platform::testing::ProgramResult install(std::vector<std::string> arguments = {})
    {
        arguments.insert(arguments.begin(), (kSource / "scripts" / "install-desktop.sh").string());
        return run_program("/bin/bash", arguments);
    }
    fs::path bin() const { return m_home / "my apps" / "bin"; }
    fs::path data() const { return m_home / "data"; }
    fs::path config() const { return m_home / "config"; }

    zt::platform::testing::TempFolder m_home { "zt_desktop" };
};

TEST_F(DesktopInstall, InstallsEntriesIconsAndAutostartWithoutSystemdAndRemoveTakesBackExactlyThat)
{
    // The user's data and somebody else's entry, which must outlive the removal.
    const fs::path root = data() / "zuntime" / "device";
    fs::create_directories(root / "Program Files" / "Zun Time");
    std::ofstream(root / "registry.db") << "the user's alarms";
    std::ofstream(root / "Program Files" / "Zun Time" / "ZunTime.exe") << "program";
    fs::create_directories(data() / "applications");
    std::ofstream(data() / "applications" / "other.desktop") << "[Desktop Entry]\n";
    const auto before = snapshot(m_home / "data");

    EXPECT_EQ(install({ "--bogus" }).exit_code, 2) << "an unknown option is a usage error";
    const auto first = install();
    ASSERT_EQ(first.exit_code, 0) << first.out << first.err;
    EXPECT_NE(first.out.find("autostart"), std::string::npos) << first.out;

    for (const char* program : { "zt-device", "zt-today", "zt-dock", "zt-install", "zt-reg", "zt-alarm", "zt-cities",
                                 "zt-win", "zuntime-launch" })
        EXPECT_EQ(access((bin() / program).c_str(), X_OK), 0) << program << " not installed as a program";
    EXPECT_FALSE(fs::exists(config() / "systemd")) << "no unit without a user manager";

    const std::vector<fs::path> entries { data() / "applications" / "zuntime.desktop",
                                          data() / "applications" / "zuntime-today.desktop",
                                          data() / "applications" / "zuntime-dock.desktop",
                                          config() / "autostart" / "zuntime-device.desktop" };
    const std::string launcher = "Exec=\"" + (bin() / "zuntime-launch").string() + "\"";
    ASSERT_TRUE(fs::exists("/usr/bin/desktop-file-validate"))
        << "desktop-file-utils is missing: scripts/setup.sh installs it";
    for (const auto& entry : entries) {
        const auto checked = run_program("/usr/bin/desktop-file-validate", { entry.string() });
        EXPECT_EQ(checked.exit_code, 0) << entry << ": " << checked.out << checked.err;
        EXPECT_EQ(checked.out.find("error"), std::string::npos) << entry << ": " << checked.out;
        EXPECT_NE(read_text(entry).find(launcher), std::string::npos)
            << entry << " does not start the installed launcher";
    }
    const std::string main_entry = read_text(entries[0]);
    for (const char* command : { " WorldClock\n", " NewAlarm\n", " ScreenSaver\n" })
        EXPECT_NE(main_entry.find(launcher + command), std::string::npos) << "no action passes" << command;
    EXPECT_NE(read_text(entries[1]).find(launcher + " --today\n"), std::string::npos);
    EXPECT_NE(read_text(entries[2]).find(launcher + " --dock\n"), std::string::npos);
    EXPECT_NE(read_text(entries[3]).find(launcher + " --device\n"), std::string::npos);

    for (const auto& icon : zt::skinart::desktop_icons())
        for (int size : zt::skinart::desktop_icon_sizes()) {
            const auto file = zt::skinart::desktop_icon_file(data() / "icons" / "hicolor", icon.name, size);
            EXPECT_EQ(QImage(QString::fromStdString(file.string())).size(), QSize(size, size)) << file;
        }

    // Again, as an upgrade: the same files, listed once.
    const auto installed = snapshot(m_home / "data");
    const auto second = install();
    ASSERT_EQ(second.exit_code, 0) << second.out << second.err;
    EXPECT_EQ(snapshot(m_home / "data"), installed);
    std::set<fs::path> listed;
    std::istringstream manifest(read_text(data() / "zuntime" / "desktop-install.manifest"));
    for (std::string line; std::getline(manifest, line);)
        EXPECT_TRUE(listed.insert(line).second) << line << " listed twice";
    EXPECT_EQ(listed.size(), 9u + 3u + 24u + 1u);

    const auto removed = install({ "--remove" });
    ASSERT_EQ(removed.exit_code, 0) << removed.out << removed.err;
    for (const auto& path : listed)
        EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << path << " left behind";
    EXPECT_EQ(snapshot(m_home / "data"), before) << "removal changed what it did not install";
    EXPECT_TRUE(fs::is_empty(bin())) << "the programs' folder keeps a file";
    EXPECT_FALSE(fs::exists(data() / "icons" / "hicolor" / "16x16")) << "emptied icon folders stay";
}

}  // namespace
