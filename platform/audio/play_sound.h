#pragma once
// Synchronous play of a wave file held in memory (the platform's PlaySoundW with
// SND_MEMORY | SND_SYNC) on the output chosen by ZT_AUDIO, and stopping it from another
// thread (PlaySoundW with no sound).
//
// Guarantees:
//  - play_wave_memory returns when the sound has played to its end (on every output it takes
//    the sound's real duration) or when stop_sound() was called after it began.
//  - The wave-out volume in effect when the play starts is applied to it.
//  - stop_sound() with nothing playing does nothing. It stops plays of this process only.
//  - The bytes are only read, and only until the call returns.
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

namespace zt::platform::audio {

enum class PlayResult { Played, Stopped, NotAWave, OutputFailed };

// `name` is the device path the bytes were read from; it appears in the log output only.
// `stop_flag`, when given, stops the play like stop_sound() once it is raised (also when it
// is raised already): a player thread uses it so a stop can never slip in before the play.
PlayResult play_wave_memory(std::span<const uint8_t> wave_file, std::u16string_view name,
                            const std::atomic<bool>* stop_flag = nullptr);

void stop_sound();

}  // namespace zt::platform::audio
