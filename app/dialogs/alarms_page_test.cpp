// The alarms page offscreen on a fresh device: its rows, the check boxes, a tap on a row's
// text, the context menu's commands and what each change stores and tells the Today item.
#include "app/dialogs/alarms_page.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include <vector>

#include "app/model/testing/window_recorder.h"
#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "core/time_store.h"
#include "platform/gui/control_id.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
namespace registry = platform::registry;

class AlarmsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        platform::gui::set_locale_time_indicator_override(u"1");
        store.set_reschedule_hook([this](core::CTimeStore&) { ++reschedules; });
        msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
            boxes.push_back(box);
            return answer;
        });
    }
    void TearDown() override {
        msgbox::set_message_box_presenter({});
        platform::gui::set_locale_time_indicator_override(std::nullopt);
    }

    core::CAlarm& add(uint16_t hour, uint16_t minute, std::u16string name) {
        auto* alarm = static_cast<core::CAlarm*>(store.create_new_item(core::ItemType::Alarm));
        alarm->alarm_time.wHour = hour;
        alarm->alarm_time.wMinute = minute;
        alarm->name = std::move(name);
        alarm->sound_action()->set_sound_file(u"\\Windows\\Tone.wav");
        EXPECT_TRUE(alarm->save());
        return *alarm;
    }
    static std::vector<std::u16string> rows(const CAlarmsPage& page) {
        std::vector<std::u16string> texts;
        for (int row = 0; row < page.list().topLevelItemCount(); ++row)
            texts.push_back(page.list().topLevelItem(row)->text(0).toStdU16String());
        return texts;
    }
    static std::vector<std::u16string> menu_of(const CAlarmsPage& page) {
        QMenu menu;
        page.fill_menu(menu);
        std::vector<std::u16string> items;
        for (const QAction* action : menu.actions()) items.push_back(action->isSeparator() ? u"-" : action->text().toStdU16String());
        return items;
    }
    static void select(CAlarmsPage& page, int row) {
        page.list().setCurrentItem(page.list().topLevelItem(row));
        page.list().topLevelItem(row)->setSelected(true);
    }
    static std::optional<std::u16string> stored(int32_t id) {
        auto alarms = registry::Key::open(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
        return alarms ? alarms->get_string(QString::number(id).toStdU16String()) : std::nullopt;
    }
    // The (id, command) pairs the Today item's window received, once `count` have arrived.
    std::vector<std::pair<uint32_t, uint32_t>> today_heard(size_t count) {
        EXPECT_TRUE(platform::testing::eventually([&] { return today.messages().size() >= count; },
                                                  platform::testing::kPatience, "the item commands"));
        std::vector<std::pair<uint32_t, uint32_t>> heard;
        for (const auto& message : today.messages()) heard.emplace_back(message.wparam, message.lparam >> 16);
        return heard;
    }

    platform::testing::TempDeviceRoot root;
    core::CTimeStore store;
    testing::WindowRecorder today { contracts::kTodayItemClass };
    int reschedules { 0 };
    std::vector<msgbox::MessageBox> boxes;
    msgbox::Answer answer { msgbox::Answer::No };
};

TEST_F(AlarmsPageTest, RowsByTimeThenNameWithTheirCheckBoxesAndTheTwelveHourForm) {
    core::CAlarm& b = add(7, 0, u"b");
    add(7, 0, u"A");
    core::CAlarm& early = add(6, 30, u"");
    early.set_enabled(false);
    store.create_new_item(core::ItemType::Timer);
    CAlarmsPage page(store);
    EXPECT_EQ(rows(page), (std::vector<std::u16string> { u"Alarm 06:30", u"A 07:00", u"b 07:00" })) << "no timer";
    EXPECT_EQ(page.list().topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(page.list().topLevelItem(2)->checkState(0), Qt::Checked);
    EXPECT_EQ(platform::gui::control_id(page.list()), 1022);
    EXPECT_TRUE(page.list().isHeaderHidden());
    EXPECT_EQ(page.help_topic(), u"file:ZunTime.htm#options_alarms");
    EXPECT_EQ(reschedules, 0) << "filling the list changes nothing";

    page.list().topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(b.enabled());
    EXPECT_NE(stored(b.id())->find(u"alo=255"), std::u16string::npos) << "saved disabled";
    page.list().topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(early.enabled());
    EXPECT_EQ(today_heard(2), (std::vector<std::pair<uint32_t, uint32_t>> { { b.id(), 6 }, { early.id(), 5 } }));
    EXPECT_EQ(reschedules, 2);

    platform::gui::set_locale_time_indicator_override(u"0");
    add(0, 15, u"Night");
    add(13, 5, u"Tea");
    CAlarmsPage twelve(store);
    EXPECT_EQ(rows(twelve), (std::vector<std::u16string> { u"Night 12:15 AM", u"Alarm 06:30 AM", u"A 07:00 AM",
                                                           u"b 07:00 AM", u"Tea 01:05 PM" }));
}

TEST_F(AlarmsPageTest, SnoozedRowOffersDismissAndTheMenuWithoutARowMakesAlarms) {
    add(8, 0, u"Work");
    core::CAlarm& nap = add(14, 0, u"Nap");
    nap.snooze(10);
    ASSERT_TRUE(nap.save());
    CAlarmsPage page(store, nullptr, [](CAlarmEditor& editor) {
        editor.name_edit().setText("Tea");
        editor.soft_keys().press(0);
        return editor.result();
    });
    EXPECT_EQ(rows(page)[1], u"Nap 14:00 (snoozed)");
    EXPECT_EQ(menu_of(page), (std::vector<std::u16string> { u"New Alarm", u"New One Time Alarm" }));
    page.run(CAlarmsPage::Command::Remove);
    EXPECT_TRUE(boxes.empty()) << "row commands without a row do nothing";

    select(page, 1);
    EXPECT_EQ(menu_of(page), (std::vector<std::u16string> { u"Dismiss", u"Disable", u"Edit...", u"-", u"Remove" }));
    page.run(CAlarmsPage::Command::Dismiss);
    EXPECT_FALSE(nap.snoozed);
    EXPECT_EQ(stored(nap.id())->find(u"alszd="), std::u16string::npos) << "saved unsnoozed";
    EXPECT_EQ(rows(page)[1], u"Nap 14:00");
    EXPECT_EQ(page.selected_alarm(), nap.id()) << "the row stays selected";
    page.run(CAlarmsPage::Command::Disable);
    EXPECT_FALSE(nap.enabled());
    EXPECT_EQ(menu_of(page)[0], u"Enable");

    page.list().clearSelection();
    page.run(CAlarmsPage::Command::NewOneTimeAlarm);
    EXPECT_EQ(rows(page), (std::vector<std::u16string> { u"Tea 00:00", u"Work 08:00", u"Nap 14:00" }))
        << "the new alarm, at the default alarm's time, listed";
    EXPECT_EQ(today_heard(3).size(), 3u);
    EXPECT_EQ(today_heard(3)[2].second, 7u);
}

TEST_F(AlarmsPageTest, TapOnARowsTextEditsItAndRemoveAsksFirst) {
    core::CAlarm& work = add(8, 0, u"Work");
    add(9, 0, u"Gym");
    int edited = 0;
    CAlarmsPage page(store, nullptr, [&](CAlarmEditor& editor) {
        ++edited;
        EXPECT_EQ(editor.name_edit().text(), "Work");
        editor.name_edit().setText("Office");
        editor.soft_keys().press(0);
        return editor.result();
    });
    page.resize(240, 200);
    // The pen lifts at once on the row's text, right of its check box.
    QWidget& viewport = *page.list().viewport();
    const QRect row = page.list().visualItemRect(page.list().topLevelItem(0));
    const QPointF at(row.right() - 10, row.center().y());
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, at, viewport.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&viewport, &event);
    }
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(work.name, u"Office");
    EXPECT_EQ(rows(page)[0], u"Office 08:00") << "refilled";
    EXPECT_TRUE(work.enabled()) << "the tap did not toggle the check box";

    select(page, 1);
    page.run(CAlarmsPage::Command::Remove);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Are you sure you want to delete this alarm?");
    EXPECT_EQ(boxes[0].icon, msgbox::Icon::Question);
    EXPECT_EQ(boxes[0].buttons, msgbox::Buttons::YesNo);
    EXPECT_EQ(rows(page).size(), 2u) << "No keeps it";
    answer = msgbox::Answer::Yes;
    const int32_t gym = *page.selected_alarm();
    page.run(CAlarmsPage::Command::Remove);
    EXPECT_EQ(rows(page), std::vector<std::u16string> { u"Office 08:00" });
    EXPECT_EQ(store.find(gym), nullptr);
    EXPECT_FALSE(stored(gym));
    EXPECT_EQ(today_heard(2), (std::vector<std::pair<uint32_t, uint32_t>> { { work.id(), 7 }, { gym, 4 } }));
}

}  // namespace
}  // namespace zt::app
