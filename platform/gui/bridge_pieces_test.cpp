// The debug bridge's pieces inside one program: the stacking of its windows, the device screen
// picture, the list of controls, input played as real input (with its round trip), and the
// tap-and-hold recogniser that input meets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <optional>

#include "platform/gui/control_id.h"
#include "platform/gui/hardware_keys.h"
#include "platform/gui/input_player.h"
#include "platform/gui/input_steps.h"
#include "platform/gui/screen_capture.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/shell_test_support.h"
#include "platform/gui/synthetic_input.h"
#include "platform/gui/tap_and_hold.h"
#include "platform/gui/ui_dump.h"
#include "platform/gui/window_stack.h"
#include "platform/profile/device_profile.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::platform::gui {
namespace {

using bridge::Request;
using bridge::Status;
using bridge::Verb;
using testing::run_until;

constexpr QRgb kTaskBarBlue = 0xFF000080;

bool near(QRgb a, QRgb b, int tolerance = 24) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

class BridgePieces : public ::testing::Test {
protected:
    void SetUp() override {
        testing::widget_test_app();
        install_window_stack();
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
    }
    void TearDown() override {
        for (QWidget* window : windows_front_to_back()) window->hide();
    }

    // Plays a request's input as the bridge does; the status once the program has handled it.
    std::optional<Status> play(const Request& request) {
        InputPlan plan = plan_input(request, m_pen);
        if (plan.status != Status::Accepted) return plan.status;
        std::optional<Status> done;
        m_player.play(std::move(plan.steps), [&done](Status status) { done = status; });
        if (!run_until([&] { return done.has_value(); }, 10'000))
            ADD_FAILURE() << "the input was not reported handled within 10 s";
        return done;
    }
    std::optional<Status> tap(QPoint device) { return play(Request { .verb = Verb::Tap, .from = { device.x(), device.y() } }); }

    static std::optional<UiLine> line_with(const std::vector<UiLine>& lines, std::string_view kind, std::u16string_view text) {
        for (const UiLine& line : lines) {
            if (line.kind == kind && line.text == text) return line;
        }
        return std::nullopt;
    }

    zt::platform::testing::TempDeviceRoot m_root;
    SyntheticPen m_pen;
    InputPlayer m_player;
};

TEST_F(BridgePieces, WindowsStackMenusOverDialogsOverTheFrameAndTheLastActivatedLeads) {
    ShellFrame frame(u"Stack");
    frame.move(100, 50);
    frame.show();
    QDialog dialog(&frame);
    dialog.setGeometry(120, 80, 100, 100);
    dialog.show();
    QMenu menu(&frame);
    menu.addAction(QStringLiteral("One"));
    menu.popup(QPoint(130, 90));
    ASSERT_TRUE(run_until([&] { return menu.isVisible(); }));

    std::vector<QWidget*> order = windows_front_to_back();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], &menu);
    EXPECT_EQ(order[1], &dialog);
    EXPECT_EQ(order[2], &frame);
    const QPoint corner = frame.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(window_at(menu.mapToGlobal(QPoint(5, 5))), &menu);
    EXPECT_EQ(window_at(dialog.mapToGlobal(QPoint(95, 95))), &dialog);
    EXPECT_EQ(window_at(corner + QPoint(5, 250)), &frame);
    EXPECT_EQ(window_at(QPoint(5, 5)), nullptr);
    EXPECT_EQ(device_screen_origin(), corner) << "the corner of the frame's screen is the device screen's";
    EXPECT_EQ(to_device_screen(corner + QPoint(30, 40)), QPoint(30, 40));
    EXPECT_EQ(from_device_screen(QPoint(30, 40)), corner + QPoint(30, 40));

    menu.hide();
    frame.raise();
    order = windows_front_to_back();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], &frame) << "raised last";
}

TEST_F(BridgePieces, TheScreenPictureShowsTheFrameWithItsOpenMenuAtTheirPlaces) {
    EXPECT_TRUE(capture_device_screen().isNull()) << "nothing shown";
    ShellFrame frame(u"Picture");
    frame.move(300, 200);
    frame.show();
    QMenu menu(&frame);
    for (const char* item : { "Alpha", "Beta", "Gamma" }) menu.addAction(QString::fromLatin1(item));
    menu.popup(frame.mapToGlobal(QPoint(40, 100)));
    ASSERT_TRUE(run_until([&] { return menu.isVisible(); }));

    const QImage screen = capture_device_screen();
    ASSERT_EQ(screen.size(), QSize(240, 320));
    EXPECT_TRUE(near(screen.pixel(120, 3), kTaskBarBlue)) << "the task bar along the top";
    const QImage alone = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int same = 0;
    int counted = 0;
    for (int y = 2; y < alone.height() - 2; y += 3) {
        for (int x = 2; x < alone.width() - 2; x += 3) {
            ++counted;
            if (near(screen.pixel(40 + x, 100 + y), alone.pixel(x, y), 8)) ++same;
        }
    }
    EXPECT_GT(same, counted * 9 / 10) << "the menu lies at its device-screen place, over the content";

    menu.hide();
    frame.set_full_screen(true);
    EXPECT_FALSE(near(capture_device_screen().pixel(120, 3), kTaskBarBlue)) << "full screen hides the task bar";
}

TEST_F(BridgePieces, TheControlListNamesKindsIdsTextsPlacesAndStates) {
    ShellFrame frame(u"Controls");
    frame.soft_key_bar().add_text_button(u"Options", 0x465);
    auto* layout = new QVBoxLayout(&frame.content());
    auto* ok = new QPushButton(QStringLiteral("&OK"));
    set_control_id(*ok, 1);
    auto* vibrate = new QCheckBox(QStringLiteral("Vibrate"));
    vibrate->setChecked(true);
    set_control_id(*vibrate, 1114);
    auto* name = new QLineEdit(QStringLiteral("a\tb"));
    auto* hidden = new QPushButton(QStringLiteral("Hidden"));
    auto* tabs = new QTabWidget;
    auto* first_page = new QWidget;
    set_control_id(*first_page, 162);
    tabs->addTab(first_page, QStringLiteral("Alarms"));
    tabs->addTab(new QWidget, QStringLiteral("Timers"));
    auto* list = new QListWidget;
    list->addItem(QStringLiteral("Work"));
    list->addItem(QStringLiteral("Gym"));
    list->item(1)->setCheckState(Qt::Checked);
    list->setCurrentRow(1);
    auto* drawn = new QWidget;
    drawn->setMinimumHeight(20);
    set_drawn_controls(*drawn, [] {
        return std::vector<DrawnControl> { { "button", 100, u"Snooze", QRect(2, 3, 10, 8), true, { "selected" } } };
    });
    for (QWidget* widget : std::initializer_list<QWidget*> { ok, vibrate, name, hidden, tabs, list, drawn })
        layout->addWidget(widget);
    frame.show();
    hidden->hide();
    ASSERT_TRUE(run_until([&] { return ok->isVisible(); }));

    const std::vector<UiLine> lines = describe_device_screen();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].kind, "frame");
    EXPECT_EQ(lines[0].text, u"Controls");
    EXPECT_EQ(lines[0].depth, 0);
    EXPECT_EQ((QRect(lines[0].x, lines[0].y, lines[0].width, lines[0].height)), QRect(0, 0, 240, 320));

    const auto button = line_with(lines, "button", u"OK");
    ASSERT_TRUE(button) << "the mnemonic is not shown";
    EXPECT_EQ(button->control_id, 1);
    const QPoint at = ok->mapTo(&frame, QPoint(0, 0));
    EXPECT_EQ(QPoint(button->x, button->y), at) << "device-screen place, task bar included";
    EXPECT_EQ(button->depth, 2) << "frame, content, button";
    const auto check = line_with(lines, "checkbox", u"Vibrate");
    ASSERT_TRUE(check);
    EXPECT_EQ(check->control_id, 1114);
    EXPECT_TRUE(check->has_state("checked"));
    EXPECT_TRUE(line_with(lines, "edit", u"a\tb"));
    EXPECT_FALSE(line_with(lines, "button", u"Hidden")) << "hidden controls are not seen";
    const auto page = line_with(lines, "page", u"Alarms");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->control_id, 162);
    ASSERT_TRUE(line_with(lines, "tab", u"Alarms"));
    EXPECT_TRUE(line_with(lines, "tab", u"Alarms")->has_state("selected"));
    EXPECT_FALSE(line_with(lines, "tab", u"Timers")->has_state("selected"));
    const auto gym = line_with(lines, "item", u"Gym");
    ASSERT_TRUE(gym);
    EXPECT_TRUE(gym->has_state("checked") && gym->has_state("selected"));
    EXPECT_FALSE(line_with(lines, "item", u"Work")->has_state("checked")) << "no check box, no check state";
    const auto snooze = line_with(lines, "button", u"Snooze");
    ASSERT_TRUE(snooze) << "a control the widget draws";
    EXPECT_EQ(snooze->control_id, 100);
    EXPECT_EQ(QPoint(snooze->x, snooze->y), drawn->mapTo(&frame, QPoint(2, 3)));
    const auto soft_key = line_with(lines, "softkey", u"Options");
    ASSERT_TRUE(soft_key);
    EXPECT_EQ(soft_key->control_id, 0x465) << "a soft key's id is its command";
    EXPECT_TRUE(line_with(lines, "taskbar", u""));

    QMenu menu(&frame);
    QAction* item = menu.addAction(QStringLiteral("&Snooze 5 min"));
    set_control_id(*item, 0xE001);
    menu.addSeparator();
    QAction* disabled = menu.addAction(QStringLiteral("Later"));
    disabled->setEnabled(false);
    menu.popup(frame.mapToGlobal(QPoint(10, 100)));
    ASSERT_TRUE(run_until([&] { return menu.isVisible(); }));
    const std::vector<UiLine> with_menu = describe_device_screen();
    ASSERT_GE(with_menu.size(), 4u);
    EXPECT_EQ(with_menu[0].kind, "menu") << "the open menu is the front-most window";
    EXPECT_EQ(with_menu[1].kind, "menuitem");
    EXPECT_EQ(with_menu[1].text, u"Snooze 5 min");
    EXPECT_EQ(with_menu[1].control_id, 0xE001);
    EXPECT_EQ(with_menu[1].depth, 1);
    EXPECT_EQ(with_menu[2].kind, "separator");
    EXPECT_FALSE(with_menu[3].enabled);
    EXPECT_GE(with_menu[1].x, 10);
    EXPECT_GE(with_menu[1].y, 100);
}

// Records what reaches it, and asks its own device window to do the work of a press, as the
// main dialog does with its toolbar: in a chain of messages, each passing through the event
// loop once more before posting the next.
class PressRecorder final : public QWidget {
public:
    static constexpr std::uint32_t kWorkSteps = 12;
    PressRecorder() { m_pump = QtMessagePump::create(u"Recorder", u"", this); }
    std::vector<QEvent::Type> events;
    std::optional<QPoint> context_menu_at;
    int posted_work_done { 0 };

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessageEvent::event_type()) {
            auto* message = static_cast<WindowMessageEvent*>(event);
            ++posted_work_done;
            const std::uint32_t left = message->message().wparam;
            if (left > 1) {
                QMetaObject::invokeMethod(this, [this, left] { post_message(m_pump->window().handle(), WM_USER + 5, left - 1); },
                                          Qt::QueuedConnection);
            }
            message->set_answer(0);
            return true;
        }
        return QWidget::event(event);
    }
    void mousePressEvent(QMouseEvent*) override {
        events.push_back(QEvent::MouseButtonPress);
        post_message(m_pump->window().handle(), WM_USER + 5, kWorkSteps);
    }
    void mouseMoveEvent(QMouseEvent*) override { events.push_back(QEvent::MouseMove); }
    void mouseReleaseEvent(QMouseEvent*) override { events.push_back(QEvent::MouseButtonRelease); }
    void contextMenuEvent(QContextMenuEvent* event) override {
        events.push_back(QEvent::ContextMenu);
        context_menu_at = event->pos();
    }

private:
    std::unique_ptr<QtMessagePump> m_pump;
};

TEST_F(BridgePieces, ATapIsReportedHandledOnlyAfterTheWorkTheProgramQueuedForItself) {
    ShellFrame frame(u"Round trip");
    auto* recorder = new PressRecorder;
    recorder->setParent(&frame.content());
    recorder->setGeometry(0, 0, 100, 100);
    frame.show();
    ASSERT_TRUE(run_until([&] { return recorder->isVisible(); }));
    const std::uint64_t activity = user_activity_signal_count();

    const QPoint inside = recorder->mapTo(&frame, QPoint(10, 10));
    ASSERT_EQ(tap(inside), Status::Ok);
    EXPECT_EQ(recorder->posted_work_done, PressRecorder::kWorkSteps)
        << "the press's own work was done before the tap was reported";
    EXPECT_EQ(recorder->events, (std::vector<QEvent::Type> { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }));
    EXPECT_GT(user_activity_signal_count(), activity) << "input sets the activity event";

    EXPECT_EQ(tap(QPoint(500, 500)), Status::NoWindowAtPoint) << "off the screen the program shows";
}

TEST_F(BridgePieces, InputThatOpensAModalDialogIsReportedWhileTheDialogRuns) {
    ShellFrame frame(u"Modal");
    auto* button = new QPushButton(QStringLiteral("Open"), &frame.content());
    button->setGeometry(0, 0, 100, 40);
    bool shown_when_reported = false;
    QObject::connect(button, &QPushButton::clicked, button, [&] {
        QDialog dialog(&frame);
        dialog.resize(50, 50);
        // Closed from a report, which can only come while exec() runs.
        m_player.play({}, [&](Status) {
            shown_when_reported = dialog.isVisible();
            dialog.reject();
        });
        dialog.exec();
    });
    frame.show();
    ASSERT_TRUE(run_until([&] { return button->isVisible(); }));
    ASSERT_EQ(tap(button->mapTo(&frame, QPoint(20, 20))), Status::Ok) << "not held up by the modal loop";
    ASSERT_TRUE(run_until([&] { return shown_when_reported; }));
}

TEST_F(BridgePieces, TapAndHoldTellsTapsHoldsAndDragsApart) {
    ShellFrame frame(u"Gestures");
    auto* recorder = new PressRecorder;
    recorder->setParent(&frame.content());
    recorder->setGeometry(0, 0, 200, 200);
    new TapAndHold(*recorder);
    frame.show();
    ASSERT_TRUE(run_until([&] { return recorder->isVisible(); }));
    const QPoint inside = recorder->mapTo(&frame, QPoint(30, 40));
    using Events = std::vector<QEvent::Type>;

    ASSERT_EQ(tap(inside), Status::Ok);
    EXPECT_EQ(recorder->events, (Events { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })) << "a plain tap";

    recorder->events.clear();
    const std::uint64_t gestures = context_menu_gesture_count();
    ASSERT_EQ(play(Request { .verb = Verb::Hold, .from = { inside.x(), inside.y() } }), Status::Ok);
    EXPECT_EQ(context_menu_gesture_count(), gestures + 1);
    EXPECT_EQ(recorder->events, (Events { QEvent::ContextMenu })) << "neither the press nor the release";
    EXPECT_EQ(recorder->context_menu_at, QPoint(30, 40));

    recorder->events.clear();
    ASSERT_EQ(play(Request { .verb = Verb::Drag, .from = { inside.x(), inside.y() }, .to = { inside.x() + 60, inside.y() },
                             .duration_ms = 64 }),
              Status::Ok);
    ASSERT_GE(recorder->events.size(), 3u);
    EXPECT_EQ(recorder->events.front(), QEvent::MouseButtonPress) << "a drag is no gesture: the press comes through";
    EXPECT_EQ(recorder->events[1], QEvent::MouseMove);
    EXPECT_EQ(recorder->events.back(), QEvent::MouseButtonRelease);
    EXPECT_EQ(context_menu_gesture_count(), gestures + 1);
}

TEST_F(BridgePieces, TheShellsBarsNeverTakeTheHardwareKeysFromTheProgram) {
    ShellFrame frame(u"Focus");
    std::vector<std::uint32_t> commands;
    frame.set_command_handler([&](std::uint32_t command) { commands.push_back(command); });
    frame.soft_key_bar().add_text_button(u"Options", 0x465);
    auto* program = new QWidget(&frame.content());
    program->setGeometry(0, 0, 100, 100);
    program->setFocusPolicy(Qt::StrongFocus);
    std::vector<std::uint32_t> keys;
    new HardwareKeys(*program, [&](std::uint32_t key) {
        keys.push_back(key);
        return true;
    });
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(run_until([&] { return frame.isActiveWindow(); }));

    ASSERT_EQ(play(Request { .verb = Verb::Key, .key_code = VK_RETURN }), Status::Ok);
    EXPECT_EQ(keys, std::vector<std::uint32_t> { VK_RETURN }) << "the first key after start reaches the program";
    const QPoint soft_key = frame.soft_key_bar().mapTo(&frame, frame.soft_key_bar().rect().center());
    ASSERT_EQ(tap(soft_key), Status::Ok);
    ASSERT_EQ(commands, std::vector<std::uint32_t> { 0x465 });
    ASSERT_EQ(play(Request { .verb = Verb::Key, .key_code = VK_RETURN }), Status::Ok);
    EXPECT_EQ(keys.size(), 2u) << "a tapped soft key keeps no focus";
    EXPECT_EQ(commands.size(), 1u) << "the action key did not press the soft key again";

    // A dialog the program opens is a window of its own: its keys move its own list.
    QDialog dialog(program);
    auto* list = new QListWidget(&dialog);
    list->addItems({ QStringLiteral("a"), QStringLiteral("b") });
    list->setCurrentRow(0);
    dialog.show();
    dialog.activateWindow();
    list->setFocus();
    ASSERT_TRUE(run_until([&] { return list->hasFocus(); }));
    ASSERT_EQ(play(Request { .verb = Verb::Key, .key_code = VK_DOWN }), Status::Ok);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(keys.size(), 2u) << "the program's handler did not take the dialog's key";
}

TEST_F(BridgePieces, KeysArriveAsHardwareKeysAndTextIsTypedIntoTheFocusedControl) {
    ShellFrame frame(u"Keys");
    auto* keys = new QLineEdit(&frame.content());
    keys->setGeometry(0, 0, 200, 30);
    auto* edit = new QLineEdit(&frame.content());
    edit->setGeometry(0, 40, 200, 30);
    std::vector<std::uint32_t> released;
    new HardwareKeys(*keys, [&](std::uint32_t key) {
        released.push_back(key);
        return key == VK_APP1;
    });
    frame.show();
    keys->setFocus();
    frame.activateWindow();
    ASSERT_TRUE(run_until([&] { return keys->hasFocus(); }));

    ASSERT_EQ(play(Request { .verb = Verb::Key, .key_code = VK_APP1 }), Status::Ok);
    ASSERT_EQ(play(Request { .verb = Verb::Key, .key_code = VK_LEFT }), Status::Ok);
    EXPECT_EQ(released, (std::vector<std::uint32_t> { VK_APP1, VK_LEFT })) << "once each, on release";
    EXPECT_EQ(play(Request { .verb = Verb::Key, .key_code = 0x99 }), Status::UnknownKey);

    edit->setFocus();
    ASSERT_TRUE(run_until([&] { return edit->hasFocus(); }));
    bool returned = false;
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [&] { returned = true; });
    ASSERT_EQ(play(Request { .verb = Verb::Text, .text = u"h\u00e9llo W\u00f6rld \U0001F600\n" }), Status::Ok);
    EXPECT_EQ(edit->text(), QString::fromUtf16(u"h\u00e9llo W\u00f6rld \U0001F600"));
    EXPECT_TRUE(returned) << "a line break arrives as the Return key";
}

}  // namespace
}  // namespace zt::platform::gui
