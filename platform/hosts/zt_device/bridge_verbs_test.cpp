// zt-device screencap / input / ui against a program with a shell frame in this test process:
// the verbs run as their own process while this one serves its event loop.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/gui/bridge_protocol.h"
#include "platform/gui/debug_bridge.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/shell_test_support.h"
#include "platform/gui/ui_line.h"
#include "platform/profile/device_profile.h"
#include "platform/testing/running_device.h"
#include "platform/windows/message_sender.h"

namespace zt::platform {
namespace {

using gui::testing::run_until;
using testing::ProgramResult;

class BridgeVerbs : public ::testing::Test {
protected:
    void SetUp() override {
        gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
    }

    // Runs zt-device while this thread serves the program's event loop.
    ProgramResult verb(std::vector<std::string> args) {
        ProgramResult result;
        std::atomic<bool> finished { false };
        std::thread runner([&] {
            result = testing::run_zt_device(args);
            finished = true;
        });
        const bool ended = run_until([&] { return finished.load(); }, 60'000);
        runner.join();
        EXPECT_TRUE(ended) << "zt-device did not end within 60 s";
        return result;
    }

    std::filesystem::path file(const char* name) const { return m_root.path() / name; }

    zt::platform::testing::TempDeviceRoot m_root;
};

TEST_F(BridgeVerbs, WithoutAGuiProgramEveryVerbSaysNotFound) {
    for (const auto& args : std::vector<std::vector<std::string>> {
             { "screencap", file("none.png").string() }, { "ui" }, { "input", "key", "action" }, { "input", "tap", "1", "1" } }) {
        const ProgramResult result = verb(args);
        EXPECT_EQ(result.exit_code, 1) << args[0] << ": " << result.err;
        EXPECT_NE(result.err.find("no GUI program"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(file("none.png")));
}

TEST_F(BridgeVerbs, BadArgumentsAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>> {
             { "screencap" },
             { "ui", "extra" },
             { "input" },
             { "input", "key", "sideways" },
             { "input", "tap", "1" },
             { "input", "tap", "1", "y" },
             { "input", "drag", "1", "2", "3", "4", "--ms" },
             { "input", "drag", "1", "2", "3", "4", "--ms", "70000" },
             { "input", "wave" },
         }) {
        const ProgramResult result = verb(args);
        EXPECT_EQ(result.exit_code, 2) << args.back() << ": " << result.err;
    }
}

TEST_F(BridgeVerbs, ScreencapUiAndInputReachTheProgramInFront) {
    gui::ShellFrame frame(u"Bridge test");
    std::vector<std::uint32_t> commands;
    frame.set_command_handler([&](std::uint32_t command) { commands.push_back(command); });
    frame.soft_key_bar().add_text_button(u"Done", 0x7001);
    frame.show();
    ASSERT_NE(gui::debug_bridge_window(), 0u);

    const ProgramResult shot = verb({ "screencap", file("screen.png").string() });
    ASSERT_EQ(shot.exit_code, 0) << shot.err;
    QImage screen(QString::fromStdString(file("screen.png").string()));
    ASSERT_FALSE(screen.isNull()) << "a PNG";
    EXPECT_EQ(screen.size(), QSize(240, 320));
    EXPECT_GT(qBlue(screen.pixel(120, 2)), 100) << "the task bar's blue";
    EXPECT_LT(qRed(screen.pixel(120, 2)), 40);

    const ProgramResult listed = verb({ "ui" });
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    const auto lines = gui::parse_ui_dump(listed.out);
    ASSERT_TRUE(lines) << "every line in the documented form:\n" << listed.out;
    std::optional<gui::UiLine> done;
    for (const auto& line : *lines) {
        if (line.kind == "softkey" && line.text == u"Done") done = line;
    }
    ASSERT_TRUE(done) << listed.out;
    EXPECT_EQ(done->control_id, 0x7001);

    const ProgramResult tapped = verb({ "input", "tap", std::to_string(done->x + done->width / 2),
                                        std::to_string(done->y + done->height / 2) });
    ASSERT_EQ(tapped.exit_code, 0) << tapped.err;
    EXPECT_EQ(commands, std::vector<std::uint32_t> { 0x7001 }) << "handled by the time zt-device returned";

    const ProgramResult outside = verb({ "input", "tap", "300", "10" });
    EXPECT_EQ(outside.exit_code, 1) << "no window of the program there";
    EXPECT_EQ(verb({ "input", "key", "0x99" }).exit_code, 2) << "no such key";
    EXPECT_EQ(verb({ "input", "key", "action" }).exit_code, 0);
    EXPECT_EQ(verb({ "screencap", (file("no such folder") / "x.png").string() }).exit_code, 2);
}

TEST_F(BridgeVerbs, RequestsForFilesTheClientDidNotMakeAreRefusedWithoutWaiting) {
    gui::ShellFrame frame(u"Bridge test");
    frame.show();
    const WindowHandle bridge = gui::debug_bridge_window();
    ASSERT_NE(bridge, 0u);
    const std::filesystem::path folder = gui::bridge::bridge_folder();
    ASSERT_EQ(::mkfifo((folder / "a-pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(m_root.path() / "elsewhere", folder / "a-link");
    // Sent from another thread, as another program would.
    const auto ask = [&](const char* file) {
        gui::bridge::Request request { .verb = gui::bridge::Verb::Screencap, .output_file = file };
        std::atomic<bool> answered { false };
        SendResult result;
        std::thread sender([&] {
            result = send_copy_data(bridge, 0, gui::bridge::kRequestDataWord, gui::bridge::encode_request(request),
                                    std::chrono::seconds(10));
            answered = true;
        });
        EXPECT_TRUE(run_until([&] { return answered.load(); }, 20'000));
        sender.join();
        EXPECT_EQ(result.status, DeliveryStatus::Delivered) << file;
        return static_cast<gui::bridge::Status>(result.answer);
    };
    EXPECT_EQ(ask("never-made"), gui::bridge::Status::BadRequest);
    EXPECT_FALSE(std::filesystem::exists(folder / "never-made"));
    EXPECT_EQ(ask("a-pipe"), gui::bridge::Status::BadRequest) << "a pipe would hold the program up";
    EXPECT_EQ(ask("a-link"), gui::bridge::Status::BadRequest);
    EXPECT_FALSE(std::filesystem::exists(m_root.path() / "elsewhere"));
}

}  // namespace
}  // namespace zt::platform
