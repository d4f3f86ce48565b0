// Hardware keys, the activity signal, window timers, pen capture, topmost and foreground
// placement, property sheets and image lists, driven offscreen.
#include <gtest/gtest.h>

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "platform/gui/hardware_keys.h"
#include "platform/gui/image_list.h"
#include "platform/gui/pen_capture.h"
#include "platform/gui/property_sheet.h"
#include "platform/gui/shell_test_support.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/kernel/event.h"
#include "platform/power/user_activity.h"
#include "platform/windows/window.h"

namespace zt::platform::gui {
namespace {

using testing::run_until;

class ShellPiecesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
    }
    zt::platform::testing::TempDeviceRoot m_root;
};

void key(QWidget& target, QEvent::Type type, int qt_key, bool repeat = false) {
    QKeyEvent event(type, qt_key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(&target, &event);
}

// Records whether a key event got through to the widget.
class KeyRecorder final : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<int> pressed;
    std::vector<int> released;

protected:
    void keyPressEvent(QKeyEvent* event) override { pressed.push_back(event->key()); }
    void keyReleaseEvent(QKeyEvent* event) override { released.push_back(event->key()); }
};

TEST(HardwareKeyCodes, MapTheHandheldKeysOnly) {
    EXPECT_EQ(device_key_code(Qt::Key_Left), 0x25u);
    EXPECT_EQ(device_key_code(Qt::Key_Up), 0x26u);
    EXPECT_EQ(device_key_code(Qt::Key_Right), 0x27u);
    EXPECT_EQ(device_key_code(Qt::Key_Down), 0x28u);
    EXPECT_EQ(device_key_code(Qt::Key_Return), 0x0Du);
    EXPECT_EQ(device_key_code(Qt::Key_Enter), 0x0Du);
    EXPECT_EQ(device_key_code(Qt::Key_F1), 193u);
    EXPECT_EQ(device_key_code(Qt::Key_F4), 196u);
    EXPECT_FALSE(device_key_code(Qt::Key_F5).has_value());
    EXPECT_FALSE(device_key_code(Qt::Key_A).has_value());
}

TEST_F(ShellPiecesTest, HardwareKeysArriveOnReleaseOnce) {
    KeyRecorder window;
    auto* child = new KeyRecorder(&window);
    KeyRecorder stranger;
    std::vector<uint32_t> codes;
    new HardwareKeys(window, [&](uint32_t code) {
        codes.push_back(code);
        return code != VK_APP4;
    });

    key(*child, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_TRUE(codes.empty()) << "nothing on the press";
    EXPECT_TRUE(child->pressed.empty()) << "presses of hardware keys are taken";
    key(*child, QEvent::KeyRelease, Qt::Key_Left, true);
    EXPECT_TRUE(codes.empty()) << "auto-repeat is not a key-up";
    key(*child, QEvent::KeyRelease, Qt::Key_Left);
    key(window, QEvent::KeyRelease, Qt::Key_F2);
    EXPECT_EQ(codes, (std::vector<uint32_t> { VK_LEFT, VK_APP2 }));
    EXPECT_TRUE(child->released.empty()) << "a handled key-up is not passed on";

    key(window, QEvent::KeyRelease, Qt::Key_F4);
    EXPECT_EQ(window.released, (std::vector<int> { Qt::Key_F4 })) << "an unhandled key-up goes on";
    key(window, QEvent::KeyRelease, Qt::Key_A);
    key(stranger, QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_EQ(codes.size(), 3u) << "other keys and other windows are left alone";
    EXPECT_EQ(stranger.released, (std::vector<int> { Qt::Key_Up }));
}

TEST_F(ShellPiecesTest, KeyAndPenInputSetTheActivityEvent) {
    ASSERT_TRUE(install_user_activity_signal());
    auto waiter = Event::create_or_open(kUserActivityEventName, ResetPolicy::Manual, false);
    ASSERT_TRUE(waiter.has_value());
    QPushButton button;
    button.show();

    const auto before = user_activity_signal_count();
    key(button, QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(waiter->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
    waiter->event.reset();

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), button.mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &press);
    EXPECT_EQ(waiter->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
    EXPECT_EQ(user_activity_signal_count(), before + 2);
    EXPECT_TRUE(install_user_activity_signal()) << "a second install is harmless";
}

TEST_F(ShellPiecesTest, WindowTimersCallBackWithTheirIdsAndStopWhenKilled) {
    std::vector<uint32_t> fired;
    std::unique_ptr<WindowTimers> timers;
    timers = std::make_unique<WindowTimers>([&](uint32_t id) {
        fired.push_back(id);
        if (id == 107) timers->kill(107);  // a timer killing itself from its own callback
    });
    timers->set(107, 1);
    timers->set(100, 20);
    EXPECT_EQ(timers->period_ms(107), WindowTimers::kMinimumPeriodMs) << "short periods run at the minimum";
    EXPECT_TRUE(timers->is_set(100));
    ASSERT_TRUE(run_until([&] { return std::count(fired.begin(), fired.end(), 100u) >= 2; }));
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 107u), 1) << "killed in its callback, it never fires again";
    EXPECT_FALSE(timers->is_set(107));
    EXPECT_FALSE(timers->kill(107));
    EXPECT_FALSE(timers->kill(5)) << "an id never set";

    timers->set(100, 500);
    EXPECT_EQ(timers->period_ms(100), 500u) << "set again restarts with the new period";
    EXPECT_TRUE(timers->kill(100));
    fired.clear();
    QApplication::processEvents();
    EXPECT_TRUE(fired.empty());
    timers->set(1002, 10);
    timers.reset();  // deleting stops them; nothing may call back afterwards
    QApplication::processEvents();
}

TEST_F(ShellPiecesTest, PenCaptureFollowsTheLastCapturer) {
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    capture_pen(first);
    EXPECT_EQ(pen_capture_owner(), &first);
    capture_pen(second);
    EXPECT_EQ(pen_capture_owner(), &second);
    release_pen();
    EXPECT_EQ(pen_capture_owner(), nullptr);
    release_pen();
    EXPECT_EQ(pen_capture_owner(), nullptr);
}

TEST_F(ShellPiecesTest, TopmostKeepsAShownWindowShown) {
    QWidget window;
    window.show();
    set_topmost(window, true);
    EXPECT_TRUE(is_topmost(window));
    EXPECT_TRUE(window.isVisible());
    set_topmost(window, false);
    EXPECT_FALSE(is_topmost(window));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ShellPiecesTest, ForegroundGoesBackToTheRememberedWindow) {
    auto previous = Window::create(u"Afx:Other", u"", {}, WindowOptions { .visible = true, .rect = { 0, 0, 10, 10 } });
    ASSERT_TRUE(previous);
    ForegroundMemory memory;
    EXPECT_EQ(memory.remember(), previous->handle());

    QWidget ring;
    auto ours = Window::create(u"Dialog", u"", {}, WindowOptions { .visible = true });
    ASSERT_TRUE(ours);
    bring_to_front(ring, ours.get());
    EXPECT_TRUE(ring.isVisible());
    EXPECT_EQ(memory.remember(ours->handle()), previous->handle()) << "our own window is not remembered";

    EXPECT_TRUE(memory.restore());
    const auto message = previous->next_posted();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->number, WM_ACTIVATE);
    EXPECT_EQ(message->wparam, WA_ACTIVE);
    EXPECT_EQ(memory.remembered(), 0u);
    EXPECT_FALSE(memory.restore()) << "restored once, then forgotten";

    memory.remember(ours->handle());
    previous->destroy();
    EXPECT_FALSE(memory.restore()) << "a window that went away is not asked";
}

TEST_F(ShellPiecesTest, PropertySheetSelectsPagesAndAnswersOkOrCancel) {
    PropertySheet sheet(u"Zun Time", nullptr, [](std::u16string_view text) { return u"<" + std::u16string(text) + u">"; });
    for (auto title : { u"Skins", u"Alarms", u"Timers" }) sheet.add_page(title, new QLabel(QString::fromUtf16(title)));
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Zun Time"));
    EXPECT_EQ(sheet.page_count(), 3);
    EXPECT_EQ(sheet.page_title(1), u"Alarms");
    EXPECT_EQ(sheet.soft_keys().button_texts(), (std::vector<std::u16string> { u"<OK>", u"<Cancel>" }));
    std::vector<int> shown_pages;
    sheet.set_page_handler([&](int page) { shown_pages.push_back(page); });
    EXPECT_TRUE(sheet.select_page(2));
    EXPECT_FALSE(sheet.select_page(3));
    EXPECT_FALSE(sheet.select_page(-1));
    EXPECT_EQ(sheet.current_page(), 2);
    EXPECT_EQ(shown_pages, (std::vector<int> { 2 }));

    bool allow = false;
    int ok_asked = 0;
    sheet.set_ok_handler([&] {
        ++ok_asked;
        return allow;
    });
    QTimer::singleShot(0, &sheet, [&] {
        sheet.soft_keys().press(0);  // refused by the handler: stays open
        allow = true;
        sheet.soft_keys().press(0);
    });
    EXPECT_TRUE(sheet.run());
    EXPECT_EQ(ok_asked, 2);

    QTimer::singleShot(0, &sheet, [&] { sheet.soft_keys().press(1); });
    EXPECT_FALSE(sheet.run());
    EXPECT_EQ(ok_asked, 2) << "Cancel does not ask";
}

QImage test_strip(int size, int count, int extra_columns) {
    QImage strip(size * count + extra_columns, size + 3, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter painter(&strip);
    for (int i = 0; i < count; ++i) painter.fillRect(i * size + 2, 2, size - 4, size - 4, QColor(10 * i, 100, 200));
    return strip;
}

TEST(ImageListTest, CutsTheStripAndKeysMagentaOut) {
    const auto list = ImageList::from_strip(test_strip(16, 3, 7), 16, kMagentaColourKey, 1);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->count(), 3) << "the columns after the last whole image are ignored";
    EXPECT_EQ(list->image_size(), 16);
    const QImage second = list->image(1);
    ASSERT_EQ(second.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(second.pixel(0, 0)), 0) << "magenta is transparent";
    EXPECT_EQ(second.pixelColor(8, 8), QColor(10, 100, 200));
    EXPECT_TRUE(list->image(3).isNull());
    EXPECT_TRUE(list->image(-1).isNull());

    QImage canvas(16, 16, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    EXPECT_TRUE(list->draw(painter, 2, QPoint(0, 0)));
    EXPECT_FALSE(list->draw(painter, 5, QPoint(0, 0)));
    painter.end();
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::white)) << "the background shows through the key colour";
    EXPECT_EQ(canvas.pixelColor(8, 8), QColor(20, 100, 200));
}

TEST(ImageListTest, RefusesWhatHoldsNoImage) {
    EXPECT_FALSE(ImageList::from_strip(QImage(), 16).has_value());
    EXPECT_FALSE(ImageList::from_strip(test_strip(16, 1, 0), 0).has_value());
    EXPECT_FALSE(ImageList::from_strip(test_strip(16, 1, 0), 32).has_value());
    EXPECT_FALSE(ImageList::from_file(QStringLiteral("/nonexistent/strip.png"), 16).has_value());
}

}  // namespace
}  // namespace zt::platform::gui
