// Button mappings on an installed device: bindings written into the registry with zt-reg, the
// main program on the stopwatch taking application buttons from the shell, and the buttons
// pressed through `zt-device input key` starting, pausing and saving the laps to a file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/base/device_path.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;

class TimerKeysEndToEnd : public MainProgramEndToEnd {
protected:
    // The stopwatch's profile (4): button 1 starts and stops, button 3 saves the laps.
    void bind_stopwatch_buttons() {
        ASSERT_EQ(run_program(built_program("zt-reg"), { "--root", device.root().string(), "set",
                                                         "HKCU\\Software\\Zunworks\\Zun Time\\Mappings", "4",
                                                         "--binary", "0100c10002000000" "0300c300" }),
                  0);
    }
    static std::optional<std::string> read_all(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(TimerKeysEndToEnd, BoundButtonsRunTheStopwatchAndSaveItsLaps) {
    bind_stopwatch_buttons();
    store_screens(1, 1, 3);
    start_main(u"");
    const fs::path laps = *zt::platform::map_device_path(u"\\My Documents\\Laps000.txt");
    EXPECT_EQ(input({ "key", "button2" }), 0) << "an unbound button is ignored";
    ASSERT_EQ(input({ "key", "button1" }), 0);
    ASSERT_EQ(input({ "key", "button1" }), 0);  // the pause marks a stop in the laps
    ASSERT_EQ(input({ "key", "button3" }), 0);
    ASSERT_TRUE(eventually([&] { return fs::exists(laps); }, kStartLimit, "the lap file")) << "message boxes: " << read_all(m_message_log).value_or("none");
    const std::optional<std::string> text = read_all(laps);
    ASSERT_TRUE(text);
    // One line: split;total;stop with both times the same ("00:00:0s.mmm").
    ASSERT_EQ(text->size(), 32u) << *text;
    EXPECT_EQ(text->substr(0, 12), text->substr(13, 12));
    EXPECT_EQ(text->substr(26), "stop\r\n");
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
}  // namespace zt::e2e
