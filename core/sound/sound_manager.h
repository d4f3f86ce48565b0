#pragma once
// CSoundManager: the one sound manager of a process. It picks a player by the file type,
// enforces the repeat rule (plays or playing time, timer 240), vibrates for the first 30 s
// (timer 241) and tells the notification window when a sound starts and ends.
//
// Threads: Play, Stop and the timers run on the notification window's thread; the wave
// player's thread ends its sound itself (posting the end message from there).
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "core/sound_action.h"
#include "core/sound/device_alerting.h"
#include "core/sound/media_players.h"
#include "core/sound/sound_file.h"
#include "core/sound/sound_player.h"
#include "core/sound/sound_window.h"

namespace zt::sound {

struct SoundRequest {
    std::u16string sound_file;
    uint32_t repeat_mode { 0 };   // 0 a number of plays, 1 a playing time
    uint32_t repeat_value { 1 };  // plays, or seconds
    uint32_t volume_mode { 1 };   // 0 leave alone, 1 maximum, 2 ascending
    bool vibrate { false };

    static SoundRequest from(const zt::core::CSoundAction& action);
};

class CSoundManager final : private SoundEvents {
public:
    // The process's manager, on the process's device alerting.
    static CSoundManager& instance();

    explicit CSoundManager(CDeviceAlerting& alerting,
                           MediaControlFactory create_control = &zt::platform::audio::MediaPlayer::create);
    ~CSoundManager() override;

    // Called once by the ring controller. The window must outlive the manager's players.
    void SetNotificationWindow(SoundWindow* window) { m_window = window; }
    // The application folder (a device path ending in "\"), where the default sound lives.
    void SetApplicationFolder(std::u16string folder) { m_application_folder = std::move(folder); }

    // A failure inside a player (memory ran out, say) is a failed play that counts as a
    // started and ended sound, as a file that cannot be read does: the end message follows.
    bool Play(const SoundRequest& request);
    void Stop();
    bool IsPlaying() const { return m_playing.load(); }
    PlayerKind CurrentKind() const { return m_kind; }
    // The number of the latest playback that started: 1, 2, … (0 before the first). Its
    // started and ended messages carry it. Only Play starts playbacks, so a caller of Play
    // learns whether its request started one by comparing the number before and after.
    uint64_t LastPlayback() const { return m_playback.load(); }

    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

private:
    bool play(const SoundRequest& request);
    void sound_started() override;
    void sound_ended() override;
    std::unique_ptr<CPlayer> create_player(PlayerKind kind);
    void destroy_player();

    CDeviceAlerting& m_alerting;
    MediaControlFactory m_create_control;
    SoundWindow* m_window { nullptr };
    std::u16string m_application_folder;
    PlayerKind m_kind { PlayerKind::None };
    std::unique_ptr<CPlayer> m_player;
    // The playing flag and the playback number change together, on whichever thread ends
    // the sound, so that each end message names the playback it really ended.
    std::mutex m_transition;
    std::atomic<bool> m_playing { false };
    std::atomic<uint64_t> m_playback { 0 };
};

}  // namespace zt::sound
