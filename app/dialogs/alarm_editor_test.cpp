// The alarm editor offscreen, driven through its controls and soft keys on a fresh device with
// a clock that stands still: what a confirmed, a refused and a cancelled editor leave in the
// store and the registry, Set As Default, the snooze rule of OK, and what the Today item hears.
#include "app/dialogs/alarm_editor.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTime>
#include <QTimeEdit>

#include <vector>

#include "app/dialogs/week_day_picker.h"
#include "app/model/testing/window_recorder.h"
#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/gui/control_id.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
namespace registry = platform::registry;
using platform::SYSTEMTIME;

constexpr size_t kOk = 0, kCancel = 3;  // soft keys: OK, Tools, Help, Cancel

class AlarmEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        auto product = registry::Key::create(registry::Root::CurrentUser, contracts::kProductKeyPath);
        product->key.set_string(contracts::kAppPathValue, u"\\Program Files\\Zun Time\\ZunTime.exe");
        store.set_reschedule_hook([this](core::CTimeStore&) { ++reschedules; });
        platform::gui::set_locale_time_indicator_override(u"1");
        platform::gui::set_calendar_locale_override(platform::gui::calendar_locale_named(u"de_DE"));
        msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
            boxes.push_back(box);
            return msgbox::Answer::Ok;
        });
    }
    void TearDown() override {
        msgbox::set_message_box_presenter({});
        platform::gui::set_locale_time_indicator_override(std::nullopt);
        platform::gui::set_calendar_locale_override(std::nullopt);
    }

    static std::optional<std::u16string> stored(int32_t id) {
        auto alarms = registry::Key::open(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
        return alarms ? alarms->get_string(std::u16string(QString::number(id).toStdU16String())) : std::nullopt;
    }
    static QAction* set_as_default_item(CAlarmEditor& editor) {
        for (QAction* action : editor.findChildren<QAction*>())
            if (platform::gui::control_id(*action) == static_cast<int32_t>(kSetAsDefaultCommand)) return action;
        return nullptr;
    }
    // The item commands the Today item's window received, once `count` have arrived.
    std::vector<testing::RecordedMessage> today_heard(size_t count) {
        EXPECT_TRUE(platform::testing::eventually([&] { return today.messages().size() >= count; },
                                                  platform::testing::kPatience, "the item commands"));
        return today.messages();
    }

    platform::testing::TempDeviceRoot root;
    platform::ManualClock clock { SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 0, 0 } };  // Tuesday 10:00
    platform::ScopedClockOverride clock_override { clock };
    core::CTimeStore store;
    testing::WindowRecorder today { contracts::kTodayItemClass };
    int reschedules { 0 };
    std::vector<msgbox::MessageBox> boxes;
};

TEST_F(AlarmEditorTest, OneTimeAlarmSetAtTenForNineIsSavedForTomorrowAndAnnounced) {
    const auto id = open_alarm_editor(store, { .alarm_id = std::nullopt, .one_time = true }, nullptr, [](CAlarmEditor& editor) {
        EXPECT_EQ(editor.windowTitle(), "New Alarm");
        EXPECT_EQ(editor.week_days(), nullptr) << "a one-time alarm has a date, no days";
        EXPECT_EQ(editor.timers().period_ms(kDateLabelTimer), kDateLabelPeriodMs);
        EXPECT_EQ(editor.time_picker().displayFormat(), "HH':'mm") << "the 24-hour locale";
        EXPECT_EQ(platform::gui::control_id(editor.date_label()), 1061);
        EXPECT_EQ(editor.sound_panel().selected_path(), u"\\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav")
            << "a new alarm without a sound gets the default sound";
        editor.time_picker().setTime(QTime(11, 0));
        editor.refresh_date_label();
        EXPECT_EQ(editor.date_label().text(), "08.12.26") << "later today";
        editor.time_picker().setTime(QTime(9, 0));
        editor.refresh_date_label();
        EXPECT_EQ(editor.date_label().text(), "09.12.26") << "earlier than now: tomorrow";
        editor.soft_keys().press(kOk);
        return editor.result();
    });
    ASSERT_TRUE(id);
    const core::CAlarm* alarm = store.find_alarm(*id);
    ASSERT_NE(alarm, nullptr) << "added to the store";
    EXPECT_EQ(alarm->alarm_time, (SYSTEMTIME { 2026, 12, 3, 9, 9, 0, 0, 0 }));
    ASSERT_TRUE(stored(*id));
    EXPECT_NE(stored(*id)->find(u"alond=20261209"), std::u16string::npos);
    EXPECT_EQ(reschedules, 1);
    const auto heard = today_heard(1);
    EXPECT_EQ(heard[0].number, contracts::kMsgItemCommand);
    EXPECT_EQ(heard[0].wparam, static_cast<uint32_t>(*id));
    EXPECT_EQ(heard[0].lparam, 7u << 16) << "created or changed";
}

TEST_F(AlarmEditorTest, ZeroMinuteSnoozeBlocksOkAndACancelledNewAlarmLeavesNothing) {
    const auto id = open_alarm_editor(store, {}, nullptr, [this](CAlarmEditor& editor) {
        EXPECT_NE(editor.week_days(), nullptr);
        EXPECT_TRUE(editor.date_label().isHidden());
        EXPECT_EQ(editor.week_days()->selection(), 0x7Fu) << "the default alarm's days";
        editor.snooze_picker().setTime(QTime(0, 0));
        editor.soft_keys().press(kOk);
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(editor.focusWidget(), &editor.snooze_picker());
        EXPECT_NE(editor.result(), QDialog::Accepted) << "still open";
        editor.soft_keys().press(kCancel);
        return editor.result();
    });
    EXPECT_FALSE(id);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Snooze time must be 1 minute or more.");
    EXPECT_EQ(boxes[0].icon, msgbox::Icon::Error);
    EXPECT_EQ(store.item_count(), 0u);
    EXPECT_FALSE(stored(1)) << "nothing written";
    EXPECT_EQ(reschedules, 0);
}

TEST_F(AlarmEditorTest, SetAsDefaultGivesNewAlarmsTheDialogsValuesAndLeavesTheEditedAlarmAsItWas) {
    auto* work = static_cast<core::CAlarm*>(store.create_new_item(core::ItemType::Alarm));
    work->alarm_time = SYSTEMTIME { 0, 1, 0, 1, 7, 0, 0, 0 };
    work->name = u"Work";
    work->sound_action()->set_sound_file(u"\\Windows\\Tone.wav");
    work->snooze(5);
    ASSERT_TRUE(work->save());
    const auto edited = open_alarm_editor(store, AlarmEditRequest { .alarm_id = work->id(), .one_time = false }, nullptr, [](CAlarmEditor& editor) {
        EXPECT_EQ(editor.windowTitle(), "Alarm Options");
        EXPECT_EQ(editor.name_edit().text(), "Work");
        editor.time_picker().setTime(QTime(6, 15));
        editor.name_edit().setText("Gym");
        editor.snooze_picker().setTime(QTime(0, 10));
        editor.kind_list().setCurrentIndex(2);
        editor.week_days()->set_selection(0x1F);
        QAction* item = set_as_default_item(editor);
        EXPECT_NE(item, nullptr);
        if (item) item->trigger();
        editor.soft_keys().press(kCancel);
        return editor.result();
    });
    EXPECT_FALSE(edited);
    EXPECT_EQ(work->alarm_time.wHour, 7) << "the edited alarm as it was";
    EXPECT_EQ(work->name, u"Work");
    EXPECT_TRUE(work->snoozed);
    EXPECT_EQ(work->flags & 0x7F, 0x7Fu);
    ASSERT_TRUE(stored(0)) << "the default alarm saved";
    core::CTimeStore other;  // another program's view of it
    const core::CAlarm& fallback = other.default_alarm();
    EXPECT_EQ(fallback.alarm_time.wHour, 6);
    EXPECT_EQ(fallback.alarm_time.wMinute, 15);
    EXPECT_EQ(fallback.snooze_minutes, 10u);
    EXPECT_EQ(fallback.kind, 2u);
    EXPECT_EQ(fallback.flags & 0x7F, 0x1Fu);
    EXPECT_EQ(fallback.name, u"") << "unnamed";
    EXPECT_FALSE(fallback.snoozed);

    const auto fresh = open_alarm_editor(store, {}, nullptr, [](CAlarmEditor& editor) {
        EXPECT_EQ(editor.time_picker().time(), QTime(6, 15));
        EXPECT_EQ(editor.name_edit().text(), "");
        EXPECT_EQ(editor.week_days()->selection(), 0x1Fu);
        editor.soft_keys().press(kOk);
        return editor.result();
    });
    ASSERT_TRUE(fresh);
    EXPECT_NE(*fresh, work->id());
    EXPECT_EQ(store.find_alarm(*fresh)->snooze_minutes, 10u);
}

TEST_F(AlarmEditorTest, OkKeepsASnoozeUntilTheTimeOrTheSnoozeLengthChanges) {
    platform::gui::set_locale_time_indicator_override(u"0");
    auto* alarm = static_cast<core::CAlarm*>(store.create_new_item(core::ItemType::Alarm));
    alarm->alarm_time = SYSTEMTIME { 0, 1, 0, 1, 13, 5, 0, 0 };
    alarm->sound_action()->set_sound_file(u"\\Windows\\Tone.wav");
    alarm->snooze(5);
    ASSERT_TRUE(alarm->save());
    const int32_t id = alarm->id();
    const auto run_with = [&](std::function<void(CAlarmEditor&)> change) {
        return open_alarm_editor(store, AlarmEditRequest { .alarm_id = id, .one_time = false }, nullptr, [&](CAlarmEditor& editor) {
            change(editor);
            editor.soft_keys().press(kOk);
            return editor.result();
        });
    };
    EXPECT_TRUE(run_with([](CAlarmEditor& editor) {
        EXPECT_EQ(editor.time_picker().displayFormat(), "hh':'mm' 'AP") << "the 12-hour locale";
        editor.name_edit().setText("Nap");
    }));
    EXPECT_TRUE(alarm->snoozed) << "only the name changed";
    EXPECT_NE(stored(id)->find(u"tn=Nap"), std::u16string::npos);
    EXPECT_NE(stored(id)->find(u"alszd="), std::u16string::npos) << "still stored as snoozed";
    EXPECT_TRUE(run_with([](CAlarmEditor& editor) { editor.snooze_picker().setTime(QTime(0, 6)); }));
    EXPECT_FALSE(alarm->snoozed) << "another snooze length";
    alarm->snooze(5);
    EXPECT_TRUE(run_with([](CAlarmEditor& editor) { editor.time_picker().setTime(QTime(13, 6)); }));
    EXPECT_FALSE(alarm->snoozed) << "another time";
    EXPECT_FALSE(open_alarm_editor(store, AlarmEditRequest { .alarm_id = 99, .one_time = false }, nullptr, [](CAlarmEditor&) {
        ADD_FAILURE() << "no editor for an alarm that does not exist";
        return 0;
    }));
    EXPECT_EQ(reschedules, 3);
    EXPECT_EQ(today_heard(3).size(), 3u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AlarmEditorTest, FillsEvenTheNarrowestScreen) {
    ASSERT_TRUE(platform::gui::select_screen_size({ 240, 320 }));
    core::CAlarm alarm(1);
    CAlarmEditor editor(alarm, false, store);
    editor.show();
    EXPECT_EQ(editor.size(), QSize(240, 320));
    EXPECT_LE(editor.minimumSizeHint().width(), 240) << "no control pushed past the screen's edge";
    editor.hide();
}

}  // namespace
}  // namespace zt::app
