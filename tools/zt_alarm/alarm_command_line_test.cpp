#include "tools/zt_alarm/alarm_command_line.h"

#include <gtest/gtest.h>

namespace zt::tools {
namespace {

AlarmRequest parsed(std::vector<std::string> arguments) {
    ParsedCommandLine result = parse_alarm_command_line(arguments);
    EXPECT_TRUE(result.request) << result.error;
    return result.request.value_or(AlarmRequest {});
}

std::string error_of(std::vector<std::string> arguments) {
    ParsedCommandLine result = parse_alarm_command_line(arguments);
    EXPECT_FALSE(result.request);
    return result.error;
}

TEST(AlarmDaySets, NamesRangesListsAndWords) {
    EXPECT_EQ(parse_day_set("Mon-Fri"), 0x1Fu);
    EXPECT_EQ(parse_day_set("mon,WED,saturday"), 0x01u | 0x04u | 0x20u);
    EXPECT_EQ(parse_day_set("Fri-Mon"), 0x10u | 0x20u | 0x40u | 0x01u) << "wraps over the week's end";
    EXPECT_EQ(parse_day_set("weekend"), 0x60u);
    EXPECT_EQ(parse_day_set("ALL"), 0x7Fu);
    EXPECT_EQ(parse_day_set("none"), 0u);
    for (const char* bad : { "", "Mo", "Mon-", "Mon-Tue-Wed", "Funday", "Mon,,Tue" }) EXPECT_FALSE(parse_day_set(bad)) << bad;
}

TEST(AlarmTimesAndDates, StrictFormsOnly) {
    auto time = parse_time_of_day("07:30");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->hour, 7);
    EXPECT_EQ(time->minute, 30);
    EXPECT_EQ(parse_time_of_day("23:59:59")->second, 59);
    for (const char* bad : { "24:00", "7:3", "07:60", "07:30:1", "07", "07:30:00:00", "-1:00", "ab:cd" }) {
        EXPECT_FALSE(parse_time_of_day(bad)) << bad;
    }
    EXPECT_TRUE(parse_date("2024-02-29"));
    EXPECT_FALSE(parse_date("2023-02-29"));
    EXPECT_FALSE(parse_date("2023-13-01"));
    EXPECT_FALSE(parse_date("20230101"));
}

TEST(AlarmCommandLine, AddWithOptionsAndRoot) {
    AlarmRequest request = parsed({ "--root", "/tmp/dev", "add", "07:30", "--days", "Mon-Fri", "--name", "Work", "--disabled" });
    EXPECT_EQ(request.verb, AlarmVerb::Add);
    EXPECT_EQ(request.root, "/tmp/dev");
    EXPECT_EQ(request.days, 0x1Fu);
    EXPECT_EQ(request.name, u"Work");
    EXPECT_TRUE(request.disabled);
    AlarmRequest once = parsed({ "add", "06:00", "--date", "2009-03-03" });
    EXPECT_EQ(once.one_time, true) << "a date makes it one-time";
}

TEST(AlarmCommandLine, VerbsOnOneRecordNeedAPositiveId) {
    EXPECT_EQ(parsed({ "snooze", "3", "--minutes", "10" }).snooze_minutes, 10u);
    EXPECT_EQ(parsed({ "pause", "12" }).id, 12);
    EXPECT_FALSE(error_of({ "enable" }).empty());
    EXPECT_FALSE(error_of({ "enable", "0" }).empty());
    EXPECT_FALSE(error_of({ "enable", "x1" }).empty());
    EXPECT_FALSE(error_of({ "delete", "99999999999" }).empty());
}

TEST(AlarmCommandLine, MistakesAreReportedNotGuessed) {
    EXPECT_FALSE(error_of({}).empty());
    EXPECT_FALSE(error_of({ "ring" }).empty());
    EXPECT_FALSE(error_of({ "--root" }).empty());
    EXPECT_FALSE(error_of({ "add" }).empty());
    EXPECT_FALSE(error_of({ "add", "07:30", "--days" }).empty());
    EXPECT_FALSE(error_of({ "add", "07:30", "--minutes", "5" }).empty()) << "an option of another verb";
    EXPECT_FALSE(error_of({ "enable", "3", "--name", "x" }).empty());
    EXPECT_FALSE(error_of({ "add", "07:30", "--once", "--days", "Mon" }).empty());
    EXPECT_FALSE(error_of({ "change", "3", "--repeat", "--date", "2009-03-03" }).empty());
    EXPECT_FALSE(error_of({ "add", "07:30", "--snooze-minutes", "0" }).empty());
    EXPECT_EQ(parsed({ "--help" }).verb, AlarmVerb::Help);
    EXPECT_EQ(parsed({ "list", "--help" }).verb, AlarmVerb::Help);
}

}  // namespace
}  // namespace zt::tools
