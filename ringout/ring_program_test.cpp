// The ringing program's frame with its real sound manager: a due alarm rings at once, also
// while the skin's images are still loading (a large archive in the skin folder, say).
#include "ringout/ring_program.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <chrono>
#include <future>

#include "core/alarm.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/base/clock.h"
#include "platform/testing/temp_device_root.h"
#include "core/sound/sound_manager.h"
#include "skins/picture_loader.h"

namespace zt::ringout {
namespace {

namespace audio = zt::platform::audio;
using zt::core::CAlarm;
using zt::core::SYSTEMTIME;

int argc_for_qt = 1;
char program_name[] = "ring_program_test";
char* argv_for_qt[] = { program_name, nullptr };

zt::skins::CImageStrip strip_of(const std::string& file) {
    auto picture = zt::skins::load_picture_file(std::string(ZT_SKIN_DIR) + "/" + file);
    return picture ? zt::skins::CImageStrip(std::move(*picture)) : zt::skins::CImageStrip();
}

// Holds the loading of the images until opened.
class Gate {
public:
    void open() {
        if (!m_opened) m_release.set_value();
        m_opened = true;
    }
    std::shared_future<void> waiter() const { return m_waiter; }

private:
    std::promise<void> m_release;
    std::shared_future<void> m_waiter { m_release.get_future().share() };
    bool m_opened { false };
};

// Opens the gate when it goes: declared after the frame, so a failing test never leaves the
// frame's destructor waiting for its loader.
struct OpenOnExit {
    Gate& gate;
    ~OpenOnExit() { gate.open(); }
};

class RingFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ASSERT_FALSE(m_root.path().empty());
        audio::select_output({ audio::OutputKind::Log, m_root.path() / "audio.log" });
        ASSERT_TRUE(audio::testing::write_file(m_root.path() / "My Documents" / "beep.wav", audio::testing::make_wave(50)));
        auto* alarm = static_cast<CAlarm*>(m_store.create_item(zt::core::ItemType::Alarm, 1));
        ASSERT_NE(alarm, nullptr);
        alarm->alarm_time = SYSTEMTIME { 2009, 3, 1, 2, 12, 0, 1, 0 };
        alarm->flags = CAlarm::kDayMask;
        alarm->kind = CAlarm::kKindWait;
        alarm->sound_action()->set_sound_file(u"\\My Documents\\beep.wav");
        alarm->sound_action()->repeat_mode = 1;  // a playing time: it sounds until answered
        alarm->sound_action()->repeat_value = 60;
        alarm->sound_action()->volume_mode = 0;
        ASSERT_TRUE(alarm->save());
    }
    void TearDown() override {
        sound::CSoundManager::instance().Stop();
        audio::select_output({ audio::OutputKind::Null, {} });
    }

    std::unique_ptr<QApplication> m_app { std::make_unique<QApplication>(argc_for_qt, argv_for_qt) };
    zt::platform::testing::TempDeviceRoot m_root;
    zt::platform::ManualClock m_clock { SYSTEMTIME { 2009, 3, 1, 2, 12, 0, 0, 500 } };
    zt::platform::ScopedClockOverride m_clock_override { m_clock };
    zt::core::CTimeStore m_store;
};

TEST_F(RingFrameTest, RingsAtOnceWhileTheSkinImagesAreStillLoading) {
    Gate gate;
    const auto slow_images = [loading_may_end = gate.waiter()] {
        loading_may_end.wait();
        return RingStrips { strip_of("alarm_buttons.png"), strip_of("alarm_picts.png") };
    };
    RingFrame frame(m_store, slow_images, Translate {});
    OpenOnExit open_on_exit { gate };

    frame.start();
    EXPECT_EQ(frame.controller().current().item_id, 1) << "due within the look-ahead";
    EXPECT_TRUE(sound::CSoundManager::instance().IsPlaying()) << "the sound does not wait for the images";
    ASSERT_NE(frame.ring_window(), nullptr);
    EXPECT_TRUE(frame.ring_window()->isVisible());
    EXPECT_FALSE(frame.ring_window()->has_buttons()) << "no images yet";
    EXPECT_EQ(frame.ring_window()->soft_keys().button_texts(), (std::vector<std::u16string> { u"Dismiss", u"Snooze" }))
        << "answerable meanwhile";

    gate.open();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!frame.ring_window()->has_buttons() && std::chrono::steady_clock::now() < deadline) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_TRUE(frame.ring_window()->has_buttons()) << "the images reached the window within 10 s of loading";

    frame.controller().Dismiss();
    EXPECT_FALSE(sound::CSoundManager::instance().IsPlaying());
}

TEST_F(RingFrameTest, ImagesThatFailToLoadLeaveTheWindowWithoutButtons) {
    RingFrame frame(m_store, []() -> RingStrips { throw std::bad_alloc(); }, Translate {});
    frame.start();
    ASSERT_NE(frame.ring_window(), nullptr);
    EXPECT_TRUE(sound::CSoundManager::instance().IsPlaying());
    for (int round = 0; round < 20; ++round) QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(frame.ring_window()->has_buttons());
    EXPECT_EQ(frame.ring_window()->soft_keys().button_texts().size(), 2u);
}

}  // namespace
}  // namespace zt::ringout
