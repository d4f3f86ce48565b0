#include "tools/zt_alarm/alarm_commands.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "contracts/item_command.h"
#include "core/alarm.h"
#include "core/timer.h"
#include "platform/testing/temp_device_root.h"
#include "tools/zt_alarm/record_listing.h"

namespace zt::tools {
namespace {

using zt::core::CAlarm;
using zt::core::CTimeStore;
using zt::core::CTimer;
using zt::platform::SYSTEMTIME;

// Monday 2 March 2009, 06:00.
constexpr SYSTEMTIME kNow { 2009, 3, 1, 2, 6, 0, 0, 0 };

class RecordingFollowUp final : public ChangeFollowUp {
public:
    bool reschedule(const CTimeStore& store) override {
        ++reschedules;
        last_next = next_due_line(store, kNow);
        return reschedule_succeeds;
    }
    void tell_programs(int32_t id, zt::contracts::ItemCommand command, uint16_t argument) override { told.push_back({ id, command, argument }); }

    struct Told {
        int32_t id;
        zt::contracts::ItemCommand command;
        uint16_t argument;
        friend bool operator==(const Told&, const Told&) = default;
    };
    int reschedules { 0 };
    bool reschedule_succeeds { true };
    std::string last_next;
    std::vector<Told> told;
};

class AlarmCommandsTest : public ::testing::Test {
protected:
    AlarmOutcome run(std::vector<std::string> arguments) {
        ParsedCommandLine parsed = parse_alarm_command_line(arguments);
        EXPECT_TRUE(parsed.request) << parsed.error;
        CTimeStore store;  // a fresh process's view each time
        return run_alarm_request(*parsed.request, store, follow_up, kNow);
    }

    zt::platform::testing::TempDeviceRoot root;
    RecordingFollowUp follow_up;
};

TEST_F(AlarmCommandsTest, AddedAlarmIsStoredListedScheduledAndTold) {
    AlarmOutcome added = run({ "add", "07:30", "--days", "Mon-Fri", "--name", "Work" });
    ASSERT_EQ(added.exit_code, 0) << added.error;
    EXPECT_EQ(added.output, "1\n");
    EXPECT_EQ(follow_up.reschedules, 1);
    EXPECT_EQ(follow_up.last_next, "1\t2009-03-02 07:30:00\n");
    EXPECT_EQ(follow_up.told, (std::vector<RecordingFollowUp::Told> { { 1, zt::contracts::ItemCommand::Change, 0 } }));

    ASSERT_EQ(run({ "add", "06:15", "--once", "--disabled" }).output, "2\n");
    EXPECT_EQ(run({ "list" }).output,
              "1\talarm\tWork\t07:30:00\tenabled\t2009-03-02 07:30:00\n"
              "2\talarm\tAlarm\t06:15:00\tdisabled,once\t-\n");
    EXPECT_EQ(run({ "next" }).output, "1\t2009-03-02 07:30:00\n");
}

TEST_F(AlarmCommandsTest, OneTimeAlarmBeforeNowFallsOnTomorrow) {
    ASSERT_EQ(run({ "add", "05:00", "--once" }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, "1\t2009-03-03 05:00:00\n");
    ASSERT_EQ(run({ "change", "1", "--date", "2009-03-02", "--time", "06:00:30" }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, "1\t2009-03-02 06:00:30\n");
}

TEST_F(AlarmCommandsTest, EnableDisableSnoozeDismissAndDeleteTellTheirCodes) {
    ASSERT_EQ(run({ "add", "07:00", "--snooze-minutes", "9" }).exit_code, 0);
    follow_up.told.clear();
    EXPECT_EQ(run({ "disable", "1" }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, "none\n");
    EXPECT_EQ(run({ "enable", "1" }).exit_code, 0);
    EXPECT_EQ(run({ "snooze", "1" }).exit_code, 0);
    EXPECT_EQ(run({ "list" }).output, "1\talarm\tAlarm\t07:00:00\tenabled,snoozed\t2009-03-02 06:09:00\n");
    EXPECT_EQ(run({ "snooze", "1", "--minutes", "3" }).exit_code, 0);
    EXPECT_EQ(run({ "dismiss", "1" }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, "1\t2009-03-02 07:00:00\n");
    EXPECT_EQ(run({ "delete", "1" }).exit_code, 0);
    EXPECT_EQ(run({ "list" }).output, "");
    EXPECT_EQ(follow_up.told, (std::vector<RecordingFollowUp::Told> {
                                  { 1, zt::contracts::ItemCommand::Disable, 0 }, { 1, zt::contracts::ItemCommand::Enable, 0 }, { 1, zt::contracts::ItemCommand::Snooze, 9 },
                                  { 1, zt::contracts::ItemCommand::Snooze, 3 }, { 1, zt::contracts::ItemCommand::Dismiss, 0 }, { 1, zt::contracts::ItemCommand::Delete, 0 } }));
}

TEST_F(AlarmCommandsTest, TimersStartPauseAndReset) {
    CTimeStore store;
    store.fill_timer_slots(false);
    const int32_t id = store.timer_in_slot(false, 0)->id();  // 30 s count-down
    const std::string text_id = std::to_string(id);
    ASSERT_EQ(run({ "start", text_id }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, text_id + "\t2009-03-02 06:00:30\n");
    ASSERT_EQ(run({ "pause", text_id }).exit_code, 0);
    EXPECT_EQ(run({ "next" }).output, "none\n");
    const std::string list = run({ "list" }).output;
    EXPECT_NE(list.find(text_id + "\ttimer\t\t00:00:30\tpaused,countdown\t-\n"), std::string::npos) << list;
    ASSERT_EQ(run({ "reset", text_id }).exit_code, 0);
    EXPECT_EQ(follow_up.told.back(), (RecordingFollowUp::Told { id, zt::contracts::ItemCommand::ResetTimer, 0 }));
}

TEST_F(AlarmCommandsTest, WrongKindOrUnknownIdIsNotFoundAndChangesNothing) {
    ASSERT_EQ(run({ "add", "07:00" }).exit_code, 0);
    const int before = follow_up.reschedules;
    EXPECT_EQ(run({ "start", "1" }).exit_code, 1) << "an alarm is no timer";
    EXPECT_EQ(run({ "enable", "7" }).exit_code, 1);
    EXPECT_EQ(run({ "delete", "7" }).exit_code, 1);
    EXPECT_EQ(follow_up.reschedules, before);
}

TEST_F(AlarmCommandsTest, FailedRegistrationIsReportedAfterSaving) {
    follow_up.reschedule_succeeds = false;
    AlarmOutcome outcome = run({ "add", "07:00" });
    EXPECT_EQ(outcome.exit_code, 2);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_EQ(run({ "next" }).output, "1\t2009-03-02 07:00:00\n") << "the record stays saved";
}

// Makes the device registry refuse every change of a value, as a full disk would, while it
// still answers reads.
class RefusedRegistryWrites {
public:
    explicit RefusedRegistryWrites(const std::filesystem::path& root) {
        if (sqlite3_open((root / "registry.db").c_str(), &m_db) != SQLITE_OK) return;
        sqlite3_busy_timeout(m_db, 5000);
        m_active = execute(
            "CREATE TRIGGER refuse_insert BEFORE INSERT ON vals BEGIN SELECT RAISE(ABORT, 'refused'); END;"
            "CREATE TRIGGER refuse_update BEFORE UPDATE ON vals BEGIN SELECT RAISE(ABORT, 'refused'); END;"
            "CREATE TRIGGER refuse_delete BEFORE DELETE ON vals BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    ~RefusedRegistryWrites() {
        lift();
        sqlite3_close(m_db);
    }
    RefusedRegistryWrites(const RefusedRegistryWrites&) = delete;
    RefusedRegistryWrites& operator=(const RefusedRegistryWrites&) = delete;

    bool active() const { return m_active; }
    void lift() {
        if (m_active) execute("DROP TRIGGER refuse_insert; DROP TRIGGER refuse_update; DROP TRIGGER refuse_delete;");
        m_active = false;
    }

private:
    bool execute(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    sqlite3* m_db { nullptr };
    bool m_active { false };
};

TEST_F(AlarmCommandsTest, ChangesTheRegistryRefusedAreFailuresWithoutAnId) {
    ASSERT_EQ(run({ "add", "07:00", "--name", "Kept" }).exit_code, 0);
    follow_up.told.clear();
    const int reschedules = follow_up.reschedules;
    RefusedRegistryWrites refused(root.path());
    ASSERT_TRUE(refused.active());

    AlarmOutcome added = run({ "add", "08:00" });
    EXPECT_EQ(added.exit_code, 2);
    EXPECT_EQ(added.output, "") << "no id for an alarm that was never stored";
    EXPECT_EQ(added.error, "zt-alarm: the alarm could not be stored\n");
    AlarmOutcome changed = run({ "change", "1", "--name", "Lost" });
    EXPECT_EQ(changed.exit_code, 2);
    EXPECT_EQ(changed.error, "zt-alarm: the alarm could not be stored\n");
    AlarmOutcome deleted = run({ "delete", "1" });
    EXPECT_EQ(deleted.exit_code, 2);
    EXPECT_EQ(deleted.error, "zt-alarm: the alarm could not be deleted\n");
    EXPECT_EQ(follow_up.reschedules, reschedules) << "nothing changed, nothing to schedule";
    EXPECT_TRUE(follow_up.told.empty()) << "the Today item is told of no change";

    refused.lift();
    EXPECT_EQ(run({ "list" }).output, "1\talarm\tKept\t07:00:00\tenabled\t2009-03-02 07:00:00\n");
}

TEST_F(AlarmCommandsTest, ARegistryThatCannotBeOpenedIsAFailureNotAnEmptyList) {
    std::filesystem::create_directory(root.path() / "registry.db");
    for (std::vector<std::string> arguments : { std::vector<std::string> { "list" }, { "next" }, { "add", "07:00" } }) {
        AlarmOutcome outcome = run(arguments);
        EXPECT_EQ(outcome.exit_code, 2) << arguments[0];
        EXPECT_EQ(outcome.output, "") << arguments[0];
        EXPECT_EQ(outcome.error, "zt-alarm: the device registry cannot be opened\n") << arguments[0];
    }
    EXPECT_EQ(run({ "help" }).exit_code, 0) << "help needs no device";
}

TEST_F(AlarmCommandsTest, ChangeKeepsWhatAnotherProgramStoredMeanwhile) {
    ASSERT_EQ(run({ "add", "07:00" }).exit_code, 0);
    CTimeStore other;
    other.reload_all();
    other.find_alarm(1)->name = u"Renamed elsewhere";
    other.find_alarm(1)->save();
    ASSERT_EQ(run({ "change", "1", "--time", "08:00" }).exit_code, 0);
    EXPECT_EQ(run({ "list" }).output, "1\talarm\tRenamed elsewhere\t08:00:00\tenabled\t2009-03-02 08:00:00\n");
}

}  // namespace
}  // namespace zt::tools
