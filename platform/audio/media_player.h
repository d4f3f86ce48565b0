#pragma once
// The device's media player control (what the product embeds as the Windows Media Player
// control): a URL that names a media file or an ASX playlist, play, stop, the play state,
// volume 0..100, mute and automatic start.
//
// Guarantees:
//  - Playback runs on the control's own thread; every call returns at once and is safe from
//    any thread. The play state reads Playing from play() until the last entry has sounded
//    or stop() is called, then Stopped (never a state between, so a poll never misses the end).
//  - A playlist's entries play one after the other; an entry that cannot be read or whose
//    length is unknown is skipped, as a player skips a broken entry.
//  - Every entry that plays logs "play <entry> volume=0x<volume 0..100, 0 when muted>" and
//    takes its real duration: a wave's from its header, an MP3's or WMA's from decoding it
//    (media_decoder.h). On "default" the samples sound through the sound server at the
//    control's volume and mute; "null" and "log" stay silent. A cut-short entry logs "stop".
//  - A compressed entry that does not decode (or a process without a decoder) keeps to its
//    header: an MP3 is timed silently from its frames' bit rate, anything else is skipped;
//    each such entry says so once on stderr.
//  - With automatic start on (the control's initial setting) setting the URL starts playing.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zt::platform::audio {

// The control's play state numbers.
enum class PlayState : int32_t { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3 };

class MediaPlayer {
public:
    // nullptr when the control cannot be made (the product then takes its other path).
    static std::unique_ptr<MediaPlayer> create();

    bool set_url(std::u16string_view url);
    std::u16string url() const;
    bool play();   // false without a URL
    void stop();
    PlayState play_state() const;

    int32_t volume() const;
    void set_volume(int32_t volume);  // clamped to 0..100
    bool mute() const;
    void set_mute(bool mute);
    bool auto_start() const;
    void set_auto_start(bool on);

    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

private:
    struct State;
    MediaPlayer();
    std::unique_ptr<State> m_state;
};

}  // namespace zt::platform::audio
