// The alarm editor of the installed main program, started by its command lines and driven
// through the device's debug bridge: what it stores, what it registers with the device's
// notifications and what the Today item's window hears.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <cstdio>
#include <sstream>
#include <string>

#include "app/model/testing/window_recorder.h"
#include "contracts/item_command.h"
#include "contracts/today_item.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/base/clock.h"
#include "platform/gui/locale_calendar.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr std::int32_t kOkSoftKey = 1;
constexpr std::int32_t kNameEdit = 1013;
constexpr std::int32_t kDisabledBox = 1007;
constexpr std::int32_t kSoundList = 1015;
constexpr int kWednesday = 2;  // counted from Monday = 0, as the calendar locale counts

// The week-day picker's cell of a day: the cells run from the locale's first day of the week and
// show its day names' initials, which repeat in some languages (German "M" for Mo and Mi).
std::optional<UiLine> week_day_cell(const std::vector<UiLine>& lines, int day) {
    std::vector<UiLine> cells;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(cells), [](const UiLine& line) { return line.kind == "day"; });
    if (cells.size() != 7) return std::nullopt;
    std::sort(cells.begin(), cells.end(), [](const UiLine& a, const UiLine& b) { return a.x < b.x; });
    const int first = zt::platform::gui::calendar_locale().first_day_of_week;
    return cells[static_cast<size_t>((day - first + 7) % 7)];
}

class AlarmEditorEndToEnd : public MainProgramEndToEnd {
protected:
    std::string zt_alarm(const std::vector<std::string>& arguments) {
        std::vector<std::string> line = { "--root", device.root().string() };
        line.insert(line.end(), arguments.begin(), arguments.end());
        std::string out;
        EXPECT_EQ(run_program(built_program("zt-alarm"), line, &out), 0) << out;
        return out;
    }
    // The device's alarm notice registrations ("ZunAlarmNotify"), one line each.
    std::vector<std::string> alarm_notices() {
        const VerbResult listed = device_verb({ "notify", "list" });
        EXPECT_EQ(listed.exit_code, 0);
        std::vector<std::string> notices;
        std::istringstream lines(listed.out);
        for (std::string line; std::getline(lines, line);)
            if (line.find("\\ZunAlarmNotify") != std::string::npos) notices.push_back(line);
        return notices;
    }
    std::optional<UiLine> control(std::string_view kind, std::int32_t id) {
        const auto lines = ui_lines();
        if (!lines) return std::nullopt;
        const auto found = std::find_if(lines->begin(), lines->end(),
                                        [&](const UiLine& line) { return line.kind == kind && line.control_id == id; });
        return found == lines->end() ? std::nullopt : std::optional<UiLine>(*found);
    }
    void wait_for_editor(std::u16string_view heading) {
        ASSERT_TRUE(eventually([&] { return window_of(m_main->id(), u"Dialog", heading).has_value(); }, kStartLimit,
                               "the editor's window"));
        ASSERT_TRUE(eventually([&] { return control("softkey", kOkSoftKey).has_value(); }, kStartLimit,
                               "the editor's soft keys"));
    }
    // OK ends the program the command line started for the editor alone.
    void press_ok_and_wait_for_the_end() {
        const auto ok = control("softkey", kOkSoftKey);
        ASSERT_TRUE(ok);
        // The program may be gone before the bridge answers the tap (1): the wait tells.
        const int tapped = tap_centre_of(*ok);
        EXPECT_TRUE(tapped == 0 || tapped == 1) << tapped;
        ASSERT_EQ(m_main->wait(std::chrono::seconds(20)), zt::platform::Process::WaitResult::Ended);
        EXPECT_EQ(m_main->exit_status().code, 0u);
    }
    // The item commands the Today item's window received, once `count` have arrived.
    static std::vector<zt::app::testing::RecordedMessage> heard(const zt::app::testing::WindowRecorder& today, size_t count) {
        EXPECT_TRUE(eventually([&] { return today.messages().size() >= count; }, kPatience, "the item command"));
        return today.messages();
    }
};

TEST_F(AlarmEditorEndToEnd, EditAlarmEnablesRenamesAndDropsAWeekDayThenRegistersAndTellsTheTodayItem) {
    ASSERT_EQ(zt_alarm({ "add", "07:00", "--name", "Work", "--disabled" }), "1\n");
    EXPECT_TRUE(alarm_notices().empty()) << "a disabled alarm is never due";
    zt::app::testing::WindowRecorder today(zt::contracts::kTodayItemClass);
    ASSERT_NE(today.handle(), 0u);

    start_main(u"EditAlarm 1", false);
    wait_for_editor(u"Alarm Options");
    const auto name = control("edit", kNameEdit);
    const auto disabled = control("checkbox", kDisabledBox);
    ASSERT_TRUE(name && disabled);
    EXPECT_EQ(name->text, u"Work");
    EXPECT_TRUE(disabled->has_state("checked"));
    ASSERT_EQ(tap_centre_of(*disabled), 0);
    ASSERT_EQ(tap_centre_of(*name), 0);
    ASSERT_EQ(input({ "text", " Late" }), 0);
    const auto lines = ui_lines();
    ASSERT_TRUE(lines);
    const auto wednesday = week_day_cell(*lines, kWednesday);
    ASSERT_TRUE(wednesday) << "the week-day picker's cells";
    EXPECT_TRUE(wednesday->has_state("checked"));
    ASSERT_EQ(tap_centre_of(*wednesday), 0);
    press_ok_and_wait_for_the_end();

    const std::u16string record = stored_alarm(u"1");
    EXPECT_NE(record.find(u"tn=Work Late"), std::u16string::npos);
    EXPECT_NE(record.find(u"alo=123"), std::u16string::npos) << "enabled, every day but Wednesday";
    const auto notices = alarm_notices();
    ASSERT_EQ(notices.size(), 1u) << "the enabled alarm registered";
    EXPECT_NE(notices[0].find("06:59:30"), std::string::npos) << notices[0];
    const auto messages = heard(today, 1);
    EXPECT_EQ(messages[0].number, zt::contracts::kMsgItemCommand);
    EXPECT_EQ(messages[0].wparam, 1u);
    EXPECT_EQ(messages[0].lparam, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Change, 0));
}

TEST_F(AlarmEditorEndToEnd, NewAlarmIsStoredOnlyOnOkAndAnnounced) {
    zt::app::testing::WindowRecorder today(zt::contracts::kTodayItemClass);
    ASSERT_NE(today.handle(), 0u);
    start_main(u"NewAlarm", false);
    wait_for_editor(u"New Alarm");
    EXPECT_EQ(stored_alarm(u"1"), u"") << "nothing stored while the editor is open";
    const auto name = control("edit", kNameEdit);
    ASSERT_TRUE(name);
    ASSERT_EQ(tap_centre_of(*name), 0);
    ASSERT_EQ(input({ "text", "Fresh" }), 0);
    press_ok_and_wait_for_the_end();

    const std::u16string record = stored_alarm(u"1");
    EXPECT_NE(record.find(u"tn=Fresh"), std::u16string::npos);
    EXPECT_NE(record.find(u"acstr=\\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav"), std::u16string::npos)
        << "the default sound";
    EXPECT_EQ(alarm_notices().size(), 1u);
    const auto messages = heard(today, 1);
    EXPECT_EQ(messages[0].wparam, 1u);
    EXPECT_EQ(messages[0].lparam >> 16, 7u);
}

TEST_F(AlarmEditorEndToEnd, ANewAlarmRingsWithTheSoundChosenInTheEditor) {
    start_main(u"NewAlarm", false);
    wait_for_editor(u"New Alarm");
    const auto sounds = control("combo", kSoundList);
    ASSERT_TRUE(sounds);
    ASSERT_EQ(tap_centre_of(*sounds), 0);
    std::optional<UiLine> third;
    ASSERT_TRUE(eventually([&] {
        third = find_line(ui_lines().value_or(std::vector<UiLine> {}), "item", u"ZunAlarm3.wav");
        return third.has_value();
    }, kPatience, "the sound list's items"));
    ASSERT_EQ(tap_centre_of(*third), 0);
    ASSERT_TRUE(eventually([&] {
        const auto chosen = control("combo", kSoundList);
        return chosen && chosen->text == u"ZunAlarm3.wav";
    }, kPatience, "the chosen sound"));
    press_ok_and_wait_for_the_end();
    ASSERT_NE(stored_alarm(u"1").find(u"ZunAlarm3.wav"), std::u16string::npos);

    // The new alarm keeps the default alarm's time, 00:00 every day: ten seconds before it, the
    // service starts Ringout, which plays the chosen sound.
    const auto today = zt::platform::local_time();
    char moment[32];
    std::snprintf(moment, sizeof moment, "%04d-%02d-%02d 23:59:50", int { today.wYear }, int { today.wMonth }, int { today.wDay });
    ASSERT_EQ(device_verb({ "clock", "--set", moment }).exit_code, 0);
    ASSERT_TRUE(eventually([&] {
        for (const auto& line : zt::platform::audio::testing::read_log(m_audio_log))
            if (line.starts_with("play ") && line.find("ZunAlarm3.wav") != std::string::npos) return true;
        return false;
    }, kPatience, "the alarm to ring with ZunAlarm3.wav"));
}

}  // namespace
}  // namespace zt::e2e
