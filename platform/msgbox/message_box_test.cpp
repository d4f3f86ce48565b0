#include "platform/msgbox/message_box.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zt::platform::msgbox {
namespace {

class MessageLog {
public:
    MessageLog() {
        m_path = std::filesystem::temp_directory_path() / ("zt-msgbox-" + std::to_string(::getpid()) + ".log");
        std::filesystem::remove(m_path);
        ::setenv("ZT_MESSAGE_LOG", m_path.c_str(), 1);
    }
    ~MessageLog() {
        ::unsetenv("ZT_MESSAGE_LOG");
        set_message_box_presenter({});
        std::filesystem::remove(m_path);
    }
    std::vector<std::string> lines() const {
        std::ifstream in(m_path);
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }

private:
    std::filesystem::path m_path;
};

TEST(MessageBoxLog, AppendsOneLinePerBoxAndAnswersTheDefault) {
    MessageLog log;
    EXPECT_EQ(show_message_box({ u"Done! 2 record(s) deleted.", u"Notepurge", Icon::Information, Buttons::Ok, {} }), Answer::Ok);
    EXPECT_EQ(show_message_box({ u"Line one\nline two", u"Ask", Icon::Question, Buttons::YesNo, Answer::No }), Answer::No);
    EXPECT_EQ(log.lines(), (std::vector<std::string> { "Notepurge\tDone! 2 record(s) deleted.", "Ask\tLine one line two" }));
}

TEST(MessageBoxLog, TheLogWinsOverAnInstalledPresenter) {
    MessageLog log;
    bool presented = false;
    set_message_box_presenter([&](const MessageBox&) { presented = true; return Answer::Cancel; });
    EXPECT_EQ(show_message_box({ u"t", u"c", Icon::None, Buttons::OkCancel, {} }), Answer::Ok);
    EXPECT_FALSE(presented);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(MessageBoxDefaults, DefaultMustBeOneOfTheButtons) {
    EXPECT_EQ(default_answer_of({ u"", u"", Icon::None, Buttons::RetryCancel, {} }), Answer::Retry);
    EXPECT_EQ(default_answer_of({ u"", u"", Icon::None, Buttons::YesNoCancel, Answer::Cancel }), Answer::Cancel);
    EXPECT_EQ(default_answer_of({ u"", u"", Icon::None, Buttons::Ok, Answer::No }), Answer::Ok) << "foreign default";
}

TEST(MessageBoxPresenter, PresenterAnswersAndAForeignAnswerFallsBackToTheDefault) {
    ::unsetenv("ZT_MESSAGE_LOG");
    set_message_box_presenter([](const MessageBox&) { return Answer::No; });
    EXPECT_EQ(show_message_box({ u"t", u"c", Icon::None, Buttons::YesNo, {} }), Answer::No);
    EXPECT_EQ(show_message_box({ u"t", u"c", Icon::None, Buttons::OkCancel, {} }), Answer::Ok);
    set_message_box_presenter([](const MessageBox&) { return std::nullopt; });
    EXPECT_EQ(show_message_box({ u"t", u"c", Icon::None, Buttons::YesNo, Answer::No }), Answer::No) << "cannot show";
    set_message_box_presenter({});
}

}  // namespace
}  // namespace zt::platform::msgbox
