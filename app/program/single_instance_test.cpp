#include "app/program/single_instance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/model/anchor_protocol.h"
#include "app/model/testing/window_recorder.h"
#include "contracts/main_program.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/window_lookup.h"

namespace {

using zt::app::InstanceCheck;
using zt::app::SingleInstance;

constexpr char16_t kProgram[] = u"\\Program Files\\Zun Time\\ZunTime.exe";

TEST(SingleInstanceName, BackslashesBecomeSlashes) {
    EXPECT_EQ(zt::app::instance_mutex_name(kProgram), u"/Program Files/Zun Time/ZunTime.exe");
}

class SingleInstanceCheck : public ::testing::Test {
protected:
    SingleInstance::Pause counting_pause() {
        return [this] { ++pauses; };
    }
    zt::platform::testing::TempDeviceRoot root;
    int pauses { 0 };
};

TEST_F(SingleInstanceCheck, FirstCopyStartsWithoutLooking) {
    SingleInstance first(counting_pause());
    EXPECT_EQ(first.claim(kProgram, u"NewAlarm"), InstanceCheck::Started);
    EXPECT_EQ(pauses, 0);
}

TEST_F(SingleInstanceCheck, SecondCopyHandsItsLineToTheAnchorWindow) {
    SingleInstance first(counting_pause());
    ASSERT_EQ(first.claim(kProgram, u""), InstanceCheck::Started);
    zt::app::testing::WindowRecorder anchor(zt::contracts::kMainProgramClass);
    ASSERT_NE(anchor.handle(), 0u);

    SingleInstance second(counting_pause());
    EXPECT_EQ(second.claim(kProgram, u"NewAlarm"), InstanceCheck::HandedOver);
    EXPECT_EQ(pauses, 0);
    // The sent line is answered at once; the posted request to come forward follows.
    std::vector<zt::app::testing::RecordedMessage> messages;
    EXPECT_TRUE(zt::platform::testing::eventually([&] { return (messages = anchor.messages()).size() >= 2; },
                                                  zt::platform::testing::kPatience,
                                                  "the command line and the request to come forward"));
    ASSERT_EQ(messages.size(), 2u);
    const auto line = std::find_if(messages.begin(), messages.end(), [](const auto& m) { return m.number == zt::platform::WM_COPYDATA; });
    ASSERT_NE(line, messages.end());
    EXPECT_EQ(line->data_word, 0u);
    EXPECT_EQ(line->bytes, zt::app::encode_command_line(u"NewAlarm"));
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(), [](const auto& m) { return m.number == zt::contracts::kMsgBringForward; }), 1);
}

TEST_F(SingleInstanceCheck, WithoutAnAnchorWindowItLooksThreeTimesThenStarts) {
    SingleInstance first(counting_pause());
    ASSERT_EQ(first.claim(kProgram, u""), InstanceCheck::Started);
    SingleInstance second(counting_pause());
    EXPECT_EQ(second.claim(kProgram, u"WorldClock"), InstanceCheck::Started);
    EXPECT_EQ(pauses, 3);
}

TEST_F(SingleInstanceCheck, ACopyInstalledElsewhereIsNotAnInstance) {
    SingleInstance first(counting_pause());
    ASSERT_EQ(first.claim(kProgram, u""), InstanceCheck::Started);
    zt::app::testing::WindowRecorder anchor(zt::contracts::kMainProgramClass);
    SingleInstance other(counting_pause());
    EXPECT_EQ(other.claim(u"\\Storage Card\\Zun Time\\ZunTime.exe", u"NewAlarm"), InstanceCheck::Started);
    EXPECT_TRUE(anchor.messages().empty());
}

}  // namespace
