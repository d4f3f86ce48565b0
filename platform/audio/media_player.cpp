#include "platform/audio/media_player.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/audio/audio_output.h"
#include "platform/audio/media_decoder.h"
#include "platform/audio/media_source.h"
#include "platform/audio/silent_play.h"
#include "platform/audio/sound_server.h"
#include "platform/audio/wave_format.h"
#include "platform/base/device_path.h"
#include "platform/base/mapped_file.h"
#include "platform/base/text.h"

namespace zt::platform::audio {

struct MediaPlayer::State {
    mutable std::mutex mutex;
    std::u16string url;
    std::atomic<int32_t> volume { 50 };
    std::atomic<bool> mute { false };
    std::atomic<bool> auto_start { true };
    std::atomic<bool> playing { false };
    std::atomic<bool> cancel { false };
    std::thread worker;
    // The last compressed entry decoded by the worker: a playlist repeats one file up to 200
    // times, and decoding it (or waiting out a file that never decodes) once is enough.
    std::u16string decoded_entry;
    DecodeResult decoded;

    void join_worker() {
        cancel.store(true);
        if (worker.joinable()) worker.join();
        cancel.store(false);
    }

    // False when the entry was cut short.
    bool play_entry(const std::u16string& entry) {
        auto path = map_device_path(entry);
        if (!path) return true;
        auto file = MappedFile::open(*path);
        if (!file) return true;
        const Cancel stop { &cancel };
        std::optional<WaveFormat> pcm = parse_wave(file->bytes());
        if (!pcm) {
            const bool fresh = decoded_entry != entry;
            if (fresh) {
                decoded = decode_media_file(*path, stop);
                if (decoded.status == DecodeStatus::Cancelled) return false;
                decoded_entry = entry;
            }
            if (decoded.status == DecodeStatus::Decoded) pcm = decoded.sound.wave();
            else if (fresh && decoded.status == DecodeStatus::NotDecodable)
                std::fprintf(stderr, "zt audio: %s does not decode; %s\n", utf16_to_utf8(entry).c_str(),
                             media_duration_ms(file->bytes()) ? "timed from its header, silently" : "skipped");
        }
        const auto duration = pcm ? std::optional(pcm->duration_ms()) : media_duration_ms(file->bytes());
        if (!duration) return true;
        const uint32_t level = mute.load() ? 0u : uint32_t(volume.load());
        log_event(play_line(entry, level));
        bool finished = true;
        const uint16_t scaled = uint16_t(level * 0xFFFF / 100);
        if (pcm && current_output().kind == OutputKind::Default &&
            play_on_sound_server(*pcm, scaled, scaled, stop))
            finished = !cancel.load();
        else
            finished = wait_silently(*duration, stop);
        if (!finished) log_event("stop");
        return finished;
    }

    void run(std::vector<std::u16string> entries) {
        decoded_entry.clear();  // the file may have changed since the last play
        for (const auto& entry : entries)
            if (!play_entry(entry)) break;
        decoded_entry.clear();
        decoded = {};
        playing.store(false);
    }
};

MediaPlayer::MediaPlayer() : m_state(std::make_unique<State>()) {}

MediaPlayer::~MediaPlayer() { m_state->join_worker(); }

std::unique_ptr<MediaPlayer> MediaPlayer::create() { return std::unique_ptr<MediaPlayer>(new MediaPlayer()); }

bool MediaPlayer::set_url(std::u16string_view url) {
    stop();
    {
        std::lock_guard lock(m_state->mutex);
        m_state->url = url;
    }
    if (m_state->auto_start.load() && !url.empty()) return play();
    return true;
}

std::u16string MediaPlayer::url() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->url;
}

bool MediaPlayer::play() {
    stop();
    const std::u16string url = this->url();
    if (url.empty()) return false;
    std::lock_guard lock(m_state->mutex);
    m_state->playing.store(true);
    m_state->worker = std::thread([state = m_state.get(), entries = entries_of_url(url)]() mutable {
        state->run(std::move(entries));
    });
    return true;
}

void MediaPlayer::stop() {
    std::lock_guard lock(m_state->mutex);
    m_state->join_worker();
    m_state->playing.store(false);
}

PlayState MediaPlayer::play_state() const {
    return m_state->playing.load() ? PlayState::Playing : PlayState::Stopped;
}

int32_t MediaPlayer::volume() const { return m_state->volume.load(); }
void MediaPlayer::set_volume(int32_t volume) { m_state->volume.store(std::clamp(volume, 0, 100)); }
bool MediaPlayer::mute() const { return m_state->mute.load(); }
void MediaPlayer::set_mute(bool mute) { m_state->mute.store(mute); }
bool MediaPlayer::auto_start() const { return m_state->auto_start.load(); }
void MediaPlayer::set_auto_start(bool on) { m_state->auto_start.store(on); }

}  // namespace zt::platform::audio
