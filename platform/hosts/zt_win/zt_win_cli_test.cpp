// zt-win end to end: the built program against windows of this process in a fresh root.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/child_process.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"

namespace zt::platform {
namespace {
using namespace std::chrono_literals;

using Outcome = testing::ProgramResult;

class ZtWinTest : public ::testing::Test {
protected:
    // Runs zt-win --root <this test's root> args... (no --root when root is false).
    Outcome zt_win(std::vector<std::string> args, bool root = true) const {
        if (root) args.insert(args.begin(), { "--root", m_device.path().string() });
        return testing::run_program(testing::built_program("zt-win"), args);
    }

    testing::TempDeviceRoot m_device;
};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(ZtWinTest, ListsEveryWindowFrontToBackAsFiveTabSeparatedFields) {
    auto back = Window::create(u"ZUNTIME{E9A24090-D854-4947-8FA2-CA9D4A1A3B1D}", u"", nullptr, { false, {} });
    auto front = Window::create(u"Afx:400000:0", u"Zun Time", nullptr);
    ASSERT_TRUE(back && front);
    Outcome run = zt_win({ "windows" });
    EXPECT_EQ(run.exit_code, 0) << run.err;
    auto lines = lines_of(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    char handle[16];
    std::snprintf(handle, sizeof handle, "0x%08x", front->handle());
    std::string pid = std::to_string(getpid());
    EXPECT_EQ(lines[0], std::string(handle) + "\tAfx:400000:0\tZun Time\t" + pid + "\t\\Windows\\zt_win_test");
    EXPECT_TRUE(lines[1].find("\tZUNTIME{E9A24090-D854-4947-8FA2-CA9D4A1A3B1D}\t\t" + pid + "\t") != std::string::npos)
        << lines[1];
}

TEST_F(ZtWinTest, PostsByClassOrHandleAndReportsMissingWindows) {
    auto window = Window::create(u"ZUNTIME{D9561A90-B72D-44F9-866C-E22E9455AF57}", u"", nullptr);
    ASSERT_TRUE(window);
    Outcome by_class = zt_win({ "post", "--class", "zuntime{d9561a90-b72d-44f9-866c-e22e9455af57}", "0x046A" });
    EXPECT_EQ(by_class.exit_code, 0) << by_class.err;
    char handle[16];
    std::snprintf(handle, sizeof handle, "0x%x", window->handle());
    Outcome by_handle = zt_win({ "post", "--handle", handle, "1131", "0xFFFFFFFF", "7" });
    EXPECT_EQ(by_handle.exit_code, 0) << by_handle.err;

    Message message;
    ASSERT_EQ(get_message(*window, message, 5s), GetResult::Message);
    EXPECT_EQ(message.number, 0x046Au);
    EXPECT_EQ(message.wparam, 0u);
    ASSERT_EQ(get_message(*window, message, 5s), GetResult::Message);
    EXPECT_EQ(message.number, 1131u);
    EXPECT_EQ(message.wparam, 0xFFFFFFFFu);
    EXPECT_EQ(message.lparam, 7u);

    EXPECT_EQ(zt_win({ "post", "--class", "Nobody", "1" }).exit_code, 1);
    EXPECT_EQ(zt_win({ "post", "--handle", "0x7ffffff0", "1" }).exit_code, 1);
}

TEST_F(ZtWinTest, UsageErrorsExitTwoAndHelpExitsZero) {
    EXPECT_EQ(zt_win({ "--help" }, false).exit_code, 0);
    EXPECT_NE(zt_win({ "--help" }, false).out.find("post (--class NAME | --handle H)"), std::string::npos);
    EXPECT_EQ(zt_win({}).exit_code, 2);
    EXPECT_EQ(zt_win({ "paint" }).exit_code, 2);
    EXPECT_EQ(zt_win({ "windows", "extra" }).exit_code, 2);
    EXPECT_EQ(zt_win({ "post", "--class", "X", "0x4A" }).exit_code, 2);
    EXPECT_EQ(zt_win({ "post", "--class", "X", "99999999999" }).exit_code, 2);
    EXPECT_EQ(zt_win({ "--bogus", "windows" }, false).exit_code, 2);
}

}  // namespace
}  // namespace zt::platform
