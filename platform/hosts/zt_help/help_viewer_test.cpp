// The help program: the built-in viewer opens the resolved file at its topic, and the program's
// command line fails cleanly.
#include "platform/hosts/zt_help/help_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextBlock>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gui/testing/widget_test_app.h"
#include "platform/hosts/zt_help/desktop_browser.h"
#include "platform/kernel/process.h"
#include "platform/registry/registry.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::help {
namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        zt::platform::gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        auto key = registry::Key::create(registry::Root::CurrentUser, u"Software\\Zunworks\\Zun Time");
        ASSERT_TRUE(key.has_value());
        ASSERT_EQ(key->key.set_string(u"AppPath", u"\\Program Files\\Zun Time\\ZunTime.exe"), registry::Status::Ok);
        std::filesystem::create_directories(m_root.path() / "Program Files" / "Zun Time");
    }
    void write_manual() {
        std::ofstream file(m_root.path() / "Program Files" / "Zun Time" / "ZunTime.htm");
        file << "<html><body><h1>Zun Time</h1>";
        for (int i = 0; i < 200; ++i) file << "<p>Filler paragraph " << i << "</p>";
        file << "<h2><a name=\"alarms\">Alarms</a></h2><p>Setting an alarm.</p>";
        for (int i = 0; i < 50; ++i) file << "<p>More " << i << "</p>";
        file << "</body></html>";
    }
    zt::platform::testing::TempDeviceRoot m_root;
};

TEST_F(HelpViewerTest, OpensTheManualAtTheTopic) {
    write_manual();
    const auto target = gui::resolve_help_argument(u"file:ZunTime.htm#alarms");
    ASSERT_TRUE(target.has_value());
    HelpViewer viewer;
    viewer.show();
    ASSERT_TRUE(viewer.open(*target));
    QApplication::processEvents();

    QTextBrowser& browser = viewer.browser();
    EXPECT_GT(browser.verticalScrollBar()->value(), 0) << "scrolled down to the topic";
    // The first block on screen is the topic's heading.
    const QTextCursor top = browser.cursorForPosition(QPoint(4, 4));
    const QString first_visible = top.block().text();
    EXPECT_EQ(first_visible.toStdString(), "Alarms");
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Setting an alarm.")));
}

TEST_F(HelpViewerTest, NoAnchorStaysAtTheTopAndAMissingFileSaysSo) {
    write_manual();
    HelpViewer viewer;
    viewer.show();
    ASSERT_TRUE(viewer.open(*gui::resolve_help_argument(u"ZunTime.htm")));
    QApplication::processEvents();
    EXPECT_EQ(viewer.browser().verticalScrollBar()->value(), 0);

    EXPECT_FALSE(viewer.open(*gui::resolve_help_argument(u"file:Missing.htm#x")));
    EXPECT_TRUE(viewer.browser().toPlainText().contains(QStringLiteral("Missing.htm")));
}

// The manual's pictures lie in a folder beside it and are named relative to it.
TEST_F(HelpViewerTest, ShowsPicturesBesideTheManual) {
    const auto folder = m_root.path() / "Program Files" / "Zun Time";
    std::filesystem::create_directories(folder / "pictures");
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(qRgb(200, 0, 0));
    ASSERT_TRUE(picture.save(QString::fromStdString((folder / "pictures" / "red.png").string())));
    std::ofstream(folder / "ZunTime.htm") << "<html><body><p>Above</p><p><img src=\"pictures/red.png\" width=\"60\" height=\"80\"></p></body></html>";

    HelpViewer viewer;
    viewer.show();
    ASSERT_TRUE(viewer.open(*gui::resolve_help_argument(u"ZunTime.htm")));
    QApplication::processEvents();
    const QImage shown = viewer.grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) red += shown.pixel(x, y) == qRgb(200, 0, 0) ? 1 : 0;
    }
    // Drawn at the size the page gives it, not the file's.
    EXPECT_NEAR(red, 60 * 80, 60 * 80 / 10) << "the picture's pixels on the viewer";
}

TEST_F(HelpViewerTest, OffscreenNeverHandsOffToTheDesktop) {
    EXPECT_FALSE(desktop_browser_usable());
}

TEST_F(HelpViewerTest, StartHelpRunsTheInstalledProgramOnTheTopic) {
    const char* bin = std::getenv("ZT_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    write_manual();
    std::filesystem::create_directories(m_root.path() / "Windows");
    std::filesystem::copy_file(std::filesystem::path(bin) / "PegHelp", m_root.path() / "Windows" / "PegHelp.exe");
    qputenv("ZT_HELP_VIEWER", "builtin");
    ASSERT_TRUE(gui::start_help(u"file:ZunTime.htm#alarms"));
    std::optional<WindowInfo> shown;
    ASSERT_TRUE(testing::eventually(
        [&] {
            shown = find_window(std::u16string_view(kHelpWindowClass));
            return shown && shown->visible;
        },
        testing::kPatience, "the help window to come up"));
    EXPECT_EQ(shown->title, u"\\Program Files\\Zun Time\\ZunTime.htm#alarms");
    EXPECT_EQ(post_message(shown->handle, WM_CLOSE), DeliveryStatus::Delivered);
    auto process = Process::open(shown->process_id);
    if (process) {
        EXPECT_EQ(process->wait(std::chrono::seconds(10)), Process::WaitResult::Ended) << "closing ends it";
    }
    qunsetenv("ZT_HELP_VIEWER");
}

int run_peghelp(const std::vector<std::string>& arguments) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return testing::run_program(testing::built_program("PegHelp"), arguments).exit_code;
}

TEST_F(HelpViewerTest, CommandLineFailuresHaveTheirExitCodes) {
    ASSERT_NE(std::getenv("ZT_BIN_DIR"), nullptr);
    EXPECT_EQ(run_peghelp({}), 2) << "no argument";
    EXPECT_EQ(run_peghelp({ "--help" }), 0);
    EXPECT_EQ(run_peghelp({ "file:#topic" }), 2) << "no file part";
    EXPECT_EQ(run_peghelp({ "file:Missing.htm#topic" }), 1) << "file not found";
}

}  // namespace
}  // namespace zt::platform::help
