#include "app/model/start_mode.h"

#include <gtest/gtest.h>

namespace {

using zt::app::CommandLine;
using zt::app::parse_command_line;
using zt::app::StartMode;

const zt::app::IsWindow kWindow42 = [](uint32_t handle) { return handle == 42; };

CommandLine parse(std::u16string_view line) { return parse_command_line(line, kWindow42); }

TEST(CommandLineModes, EachKeywordGivesItsMode) {
    EXPECT_EQ(parse(u"").mode, StartMode::Normal);
    EXPECT_EQ(parse(u"WorldClock").mode, StartMode::WorldClock);
    EXPECT_EQ(parse(u"ScreenSaver").mode, StartMode::ScreenSaver);
    EXPECT_EQ(parse(u"NewAlarm").mode, StartMode::NewAlarm);
    EXPECT_EQ(parse(u"New1TAlarm").mode, StartMode::NewOneTimeAlarm);
    const CommandLine edit = parse(u"EditAlarm 17");
    EXPECT_EQ(edit.mode, StartMode::EditAlarm);
    EXPECT_EQ(edit.numbers[0], 17u);
    const CommandLine options = parse(u"Options 5");
    EXPECT_EQ(options.mode, StartMode::Options);
    EXPECT_EQ(options.numbers[0], 5u);
}

TEST(CommandLineModes, ComparisonsAreExactAndCaseSensitive) {
    for (std::u16string_view line : { u"worldclock", u"WORLDCLOCK", u"WorldClock ", u" WorldClock", u"NewAlarms",
                                      u"New1TAlarm x", u"screensaver", u"Newalarm", u"Options", u"EditAlarm" }) {
        EXPECT_EQ(parse(line).mode, StartMode::Normal) << std::string(line.begin(), line.end());
    }
}

TEST(CommandLineModes, ChooseCityNeedsFourNumbersAndALiveRequester) {
    const CommandLine chosen = parse(u"ChooseCity 42 7 3 1234");
    EXPECT_EQ(chosen.mode, StartMode::ChooseCity);
    EXPECT_EQ(chosen.numbers, (std::array<uint32_t, 4> { 42, 7, 3, 1234 }));

    EXPECT_EQ(parse(u"ChooseCity 41 7 3 1234").mode, StartMode::Normal) << "41 is not a window";
    EXPECT_EQ(parse(u"ChooseCity 42 7 3").mode, StartMode::Normal) << "three numbers";
    EXPECT_EQ(parse(u"ChooseCity 42 7 3 1 9").mode, StartMode::Normal) << "five numbers";
    EXPECT_EQ(parse(u"ChooseCity 42 7 x 1").mode, StartMode::Normal);
    EXPECT_EQ(parse_command_line(u"ChooseCity 42 7 3 1", nullptr).mode, StartMode::Normal)
        << "no way to check the requester: not a live window";
}

// What "%u" accepts: blanks before each number (at least one after the keyword), plain decimal
// digits within 32 bits, and only blanks after the last number.
TEST(CommandLineNumbers, BlanksAroundNumbersAreAccepted) {
    EXPECT_EQ(parse(u"Options   3").numbers[0], 3u);
    EXPECT_EQ(parse(u"Options\t3").numbers[0], 3u);
    EXPECT_EQ(parse(u"Options 3  ").mode, StartMode::Options);
    EXPECT_EQ(parse(u"ChooseCity  42\t7  3 1 ").mode, StartMode::ChooseCity);
    EXPECT_EQ(parse(u"EditAlarm 007").numbers[0], 7u) << "leading zeros are decimal";
}

TEST(CommandLineNumbers, ThirtyTwoBitsAndNoMore) {
    EXPECT_EQ(parse(u"EditAlarm 4294967295").numbers[0], 4294967295u);
    EXPECT_EQ(parse(u"EditAlarm 4294967296").mode, StartMode::Normal);
    EXPECT_EQ(parse(u"EditAlarm 99999999999999999999999").mode, StartMode::Normal);
}

TEST(CommandLineNumbers, SignsJunkAndMissingSeparatorsAreMalformed) {
    for (std::u16string_view line : { u"Options3", u"Options +3", u"Options -1", u"Options 3x", u"Options 0x10",
                                      u"Options 3 4", u"EditAlarm", u"EditAlarm ", u"EditAlarm 1.5",
                                      u"EditAlarm \u0661" }) {
        EXPECT_EQ(parse(line).mode, StartMode::Normal) << std::string(line.begin(), line.end());
    }
}

}  // namespace
