// The timer editor and the lap-times view offscreen, driven through their controls and soft keys
// on a fresh device: what a refused, a cancelled and a confirmed editor leave in the timer, the
// registry and the schedule, and what a counter's laps read as.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>

#include <vector>

#include "app/dialogs/timer_editor.h"
#include "app/dialogs/timer_laps_view.h"
#include "app/model/testing/window_recorder.h"
#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "core/time_store.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/gui/screen_metrics.h"
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
using platform::SYSTEMTIME;

constexpr size_t kOk = 0, kCancel = 2;  // soft keys: OK, Help, Cancel

class TimerDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        store.set_reschedule_hook([this](core::CTimeStore&) { ++reschedules; });
        msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
            boxes.push_back(box);
            return msgbox::Answer::Ok;
        });
    }
    void TearDown() override { msgbox::set_message_box_presenter({}); }

    core::CTimer& running_countdown() {
        auto* timer = static_cast<core::CTimer*>(store.create_new_item(core::ItemType::Timer));
        timer->count_up = false;
        timer->interval = 300;
        timer->slot_index = 2;
        timer->sound_action()->set_sound_file(u"\\Windows\\Tone.wav");
        timer->start(SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 0, 0 });
        EXPECT_TRUE(timer->save());
        return *timer;
    }
    static std::u16string stored(int32_t id) {
        auto timers = registry::Key::open(registry::Root::CurrentUser, contracts::kTimersKeyPath);
        return timers ? timers->get_string(QString::number(id).toStdU16String()).value_or(u"") : u"";
    }

    platform::testing::TempDeviceRoot root;
    platform::ManualClock clock { SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 0, 0 } };
    platform::ScopedClockOverride clock_override { clock };
    core::CTimeStore store;
    testing::WindowRecorder today { contracts::kTodayItemClass };
    int reschedules { 0 };
    std::vector<msgbox::MessageBox> boxes;
};

TEST_F(TimerDialogsTest, EditorRefusesBadNameAndZeroIntervalCancelKeepsAndConfirmResetsSavesAndAnnounces) {
    core::CTimer& timer = running_countdown();
    EXPECT_FALSE(run_timer_editor(timer, store, nullptr, [](CTimerEditor& editor) {
        editor.set_interval_seconds(10);
        editor.soft_keys().press(kCancel);
        return editor.result();
    }));
    EXPECT_EQ(timer.interval, 300u);
    EXPECT_EQ(timer.state, core::CTimer::kRunning) << "a cancelled editor leaves the timer running";
    const bool confirmed = run_timer_editor(timer, store, nullptr, [this](CTimerEditor& editor) {
        EXPECT_EQ(editor.minutes().value(), 5);
        editor.set_interval_seconds(0);
        editor.soft_keys().press(kOk);
        EXPECT_EQ(editor.focusWidget(), &editor.seconds());
        editor.set_interval_seconds(3723);
        editor.name_edit().setText("Tea=hot");
        editor.soft_keys().press(kOk);
        EXPECT_EQ(editor.focusWidget(), &editor.name_edit());
        EXPECT_NE(editor.result(), QDialog::Accepted) << "still open after two refusals";
        EXPECT_EQ(reschedules, 0);
        editor.name_edit().setText("Tea");
        editor.kind_list().setCurrentIndex(1);
        editor.soft_keys().press(kOk);
        return editor.result();
    });
    EXPECT_TRUE(confirmed);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"Timer interval is less than 1 sec!");
    EXPECT_EQ(boxes[1].text, u"Invalid character in the timer name!");
    EXPECT_EQ(boxes[1].icon, msgbox::Icon::Error);
    EXPECT_EQ(timer.kind, core::CTimer::kKindAutoRestart);
    EXPECT_EQ(timer.state, core::CTimer::kStopped) << "a confirmed timer starts again from its new interval";
    const std::u16string value = stored(timer.id());
    EXPECT_NE(value.find(u"tint=3723"), std::u16string::npos) << "saved";
    EXPECT_NE(value.find(u"tn=Tea"), std::u16string::npos);
    EXPECT_EQ(value.find(u"tat="), std::u16string::npos) << "saved as stopped";
    EXPECT_EQ(reschedules, 1) << "the next due time registered again";
    EXPECT_TRUE(platform::testing::eventually([&] { return !today.messages().empty(); }, platform::testing::kPatience,
                                              "the Today item's command"));
    ASSERT_FALSE(today.messages().empty());
    EXPECT_EQ(today.messages()[0].wparam, static_cast<uint32_t>(timer.id()));
    EXPECT_EQ(today.messages()[0].lparam, 7u << 16);
}

TEST_F(TimerDialogsTest, LapTimesListSplitTotalAndPauseMarksAndFitTheNarrowestScreen) {
    ASSERT_TRUE(platform::gui::select_screen_size({ 240, 320 }));
    core::CTimer counter(7);
    counter.start(SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 0, 0 });
    counter.lap(SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 5, 250 });
    counter.sample(SYSTEMTIME { 2026, 12, 2, 8, 10, 0, 7, 0 });
    counter.pause();
    CTimerLapsView view(counter);
    ASSERT_EQ(view.list().topLevelItemCount(), 2);
    const auto row = [&](int index) {
        const QTreeWidgetItem* item = view.list().topLevelItem(index);
        return item->text(0) + " " + item->text(1) + " " + item->text(2);
    };
    EXPECT_EQ(row(0), "00:00:05.250 00:00:05.250 lap");
    EXPECT_EQ(row(1), "00:00:01.750 00:00:07.000 stop");
    view.show();
    EXPECT_EQ(view.size(), QSize(240, 320));
    EXPECT_LE(view.list().header()->length(), view.list().viewport()->width()) << "every column in sight";
    view.soft_keys().press(0);
    EXPECT_EQ(view.result(), QDialog::Accepted);

    core::CTimer& timer = running_countdown();
    CTimerEditor editor(timer, store);
    editor.show();
    EXPECT_LE(editor.minimumSizeHint().width(), 240) << "no control of the editor past the screen's edge";
}

}  // namespace
}  // namespace zt::app
