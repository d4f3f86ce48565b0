// The Qt front end: another process's messages arrive in the event loop of a QObject or widget.
#include "platform/windows/qt/qt_message_pump.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/window_message_event.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {
using namespace std::chrono_literals;
using testing::SeenMessage;

constexpr std::uint32_t kAnswered = WM_USER + 1;

// Records every window message; answers kAnswered (with 42) and WM_COPYDATA (with its size).
template <typename Base>
class Recording : public Base {
public:
    std::vector<SeenMessage> seen;

protected:
    bool event(QEvent* e) override {
        if (e->type() != WindowMessageEvent::event_type()) return Base::event(e);
        auto* event = static_cast<WindowMessageEvent*>(e);
        const Message& m = event->message();
        seen.push_back({ m.number, m.wparam, m.lparam, m.copy_data.data_word,
                         { m.copy_data.bytes.begin(), m.copy_data.bytes.end() } });
        if (m.number == kAnswered) event->set_answer(42);
        if (m.number == WM_COPYDATA) event->set_answer(static_cast<std::uint32_t>(m.copy_data.bytes.size()));
        return true;
    }
};

int argc_for_qt = 1;
char program_name[] = "platform_windows_qt_test";
char* argv_for_qt[] = { program_name, nullptr };

// Started before Qt exists in this process, so the fork copies no Qt threads: waits for the
// class to appear, then talks to it. Exit code 0 when every step went as expected.
pid_t start_talker(const std::u16string& class_name) {
    return testing::fork_child([class_name] {
        std::optional<WindowInfo> target;
        if (!testing::eventually([&] { return (target = find_window(class_name)).has_value(); },
                                 testing::kPatience, "the target window")) return 10;
        if (post_message(target->handle, WM_USER + 2, 1, 2) != DeliveryStatus::Delivered) return 11;
        auto answered = send_message(target->handle, kAnswered, 0, 0, 10s);
        if (answered.status != DeliveryStatus::Delivered || answered.answer != 42) return 12;
        std::vector<std::uint8_t> city(300, 0x5A);
        auto copied = send_copy_data(target->handle, 0, 1130, city, 10s);
        if (copied.status != DeliveryStatus::Delivered || copied.answer != 300) return 13;
        if (post_message(target->handle, WM_USER + 3, 3, 4) != DeliveryStatus::Delivered) return 14;
        if (post_message(target->handle, WM_QUIT, 7) != DeliveryStatus::Delivered) return 15;
        return 0;
    });
}

// Ends a loop that would otherwise hang the test when something goes wrong.
void guard_loop() {
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
}

TEST(QtMessagePump, MessagesOfAnotherProcessArriveInTheEventLoop) {
    testing::TempDeviceRoot device;
    pid_t talker = start_talker(u"QtTarget");
    QCoreApplication app(argc_for_qt, argv_for_qt);
    Recording<QObject> target;
    auto pump = QtMessagePump::create(u"QtTarget", u"Qt title", &target);
    ASSERT_TRUE(pump);
    guard_loop();

    EXPECT_EQ(app.exec(), 7) << "WM_QUIT ends the loop with its code";
    EXPECT_EQ(testing::wait_child(talker), 0) << "10 not found, 12/13 wrong answer, others failed posts";
    ASSERT_EQ(target.seen.size(), 4u);
    // Sent messages may overtake posted ones; posted ones keep their order.
    std::vector<std::uint32_t> posted;
    const SeenMessage* copy_data = nullptr;
    for (const auto& m : target.seen) {
        if (m.number == WM_USER + 2 || m.number == WM_USER + 3) posted.push_back(m.number);
        if (m.number == WM_COPYDATA) copy_data = &m;
    }
    EXPECT_EQ(posted, (std::vector<std::uint32_t> { WM_USER + 2, WM_USER + 3 }));
    ASSERT_TRUE(copy_data);
    EXPECT_EQ(copy_data->data_word, 1130u);
    EXPECT_EQ(copy_data->bytes, std::vector<std::uint8_t>(300, 0x5A));
    EXPECT_TRUE(is_window(pump->window().handle())) << "WM_QUIT ends the loop, not the window";
}

TEST(QtMessagePump, WindowFollowsItsWidgetAndCloseDestroysIt) {
    testing::TempDeviceRoot device;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc_for_qt, argv_for_qt);
    Recording<QWidget> widget;
    widget.setGeometry(10, 20, 200, 100);
    auto pump = QtMessagePump::create(u"QtWidgetTarget", u"", &widget);
    ASSERT_TRUE(pump);
    WindowHandle handle = pump->window().handle();
    EXPECT_FALSE(window_info(handle)->visible) << "not shown yet";

    widget.show();
    auto shown = window_info(handle);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->visible);
    EXPECT_EQ(foreground_window()->handle, handle);
    QRect frame = widget.frameGeometry();
    EXPECT_EQ(shown->rect, (Rect { frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height() }));

    widget.move(50, 60);
    EXPECT_EQ(window_from_point({ widget.frameGeometry().left() + 1, widget.frameGeometry().top() + 1 })->handle, handle);
    widget.hide();
    EXPECT_FALSE(window_info(handle)->visible);
    EXPECT_FALSE(foreground_window());

    // A posted WM_CLOSE the widget does not answer gets the default: the window goes.
    ASSERT_EQ(post_message(handle, WM_CLOSE), DeliveryStatus::Delivered);
    EXPECT_TRUE(testing::eventually([&] {
        QCoreApplication::processEvents();
        return pump->window().destroyed();
    }, testing::kPatience, "the window to be destroyed")) << "WM_CLOSE was not handled";
    EXPECT_FALSE(is_window(handle));
    ASSERT_EQ(widget.seen.size(), 2u);
    EXPECT_EQ(widget.seen[0].number, WM_CLOSE);
    EXPECT_EQ(widget.seen[1].number, WM_DESTROY);
}

}  // namespace
}  // namespace zt::platform
