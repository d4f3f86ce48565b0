#pragma once
// The ringing program's windows: the hidden frame that owns the ring controller, its 500 ms
// due check and the sound manager's notification window, and the ringing window it shows.
#include <QWidget>

#include <functional>
#include <future>
#include <memory>
#include <string_view>
#include <thread>

#include "contracts/item_command.h"
#include "contracts/ringout.h"
#include "core/sound/qt_sound_window.h"
#include "core/time_store.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "ringout/ring_controller.h"
#include "ringout/ring_window.h"

namespace zt::ringout {

inline constexpr char16_t kFrameClass[] = u"Afx:Ringout:Frame";
// The installer hook and the single-instance check find the frame by the prefix.
static_assert(std::u16string_view(kFrameClass).starts_with(contracts::kRingoutClassPrefix));

class RingFrame final : public QWidget, public RingSound, public RingHost {
public:
    using LoadStrips = std::function<RingStrips()>;

    // `load_strips` runs on a thread of its own: a skin whose images are slow to load (a large
    // archive, a slow card) must not hold up the sound. Until the strips arrive the ringing
    // window shows as a skin without them does, answerable by its soft keys.
    RingFrame(zt::core::CTimeStore& store, LoadStrips load_strips, Translate translate);
    ~RingFrame() override;  // waits for the loading thread

    // The due check once, then every 500 ms.
    void start();

    CRingController& controller() { return *m_controller; }
    RingWindow* ring_window() const { return m_ring_window.get(); }

protected:
    // WM_CLOSE (the installer closing the running programs) ends the program at once.
    bool event(QEvent* event) override;

private:
    // RingSound
    uint64_t play(const sound::SoundRequest& request) override;
    void stop() override;
    bool is_playing() const override;
    // RingHost
    void post_item_command(int32_t item_id, contracts::ItemCommand command, uint32_t argument) override;
    void remember_foreground() override;
    void restore_foreground() override;
    void show_ringing(const RingEntry& entry) override;
    void hide_ringing() override;
    void destroy_ringing() override;
    void register_next_due(const zt::core::DueItem& due) override;
    void quit() override;

    void on_message(uint32_t message, uint64_t playback);
    void take_loaded_strips();
    void on_timer(uint32_t id);

    RingStrips m_strips;  // the ringing window draws from these; empty until loaded
    std::future<RingStrips> m_loaded_strips;
    std::thread m_strips_loader;
    Translate m_translate;
    std::unique_ptr<CRingController> m_controller;
    std::unique_ptr<RingWindow> m_ring_window;
    std::unique_ptr<zt::platform::QtMessagePump> m_pump;
    zt::platform::gui::ForegroundMemory m_foreground;
    // The sound manager's notification window; its timers and messages arrive on this thread.
    sound::QtSoundWindow m_sound_window { [this](uint32_t message, uint64_t playback) { on_message(message, playback); } };
    zt::platform::gui::WindowTimers m_window_timers { [this](uint32_t id) { on_timer(id); } };
};

}  // namespace zt::ringout
