#pragma once
// The Qt Multimedia side of the audio device: only this file's implementation sees Qt.
#include <cstdint>

#include "platform/audio/cancel.h"
#include "platform/audio/wave_format.h"

namespace zt::platform::audio {

// True when the sound server offers an output device.
bool sound_server_available();

// Plays PCM samples (8 or 16 bits) on the sound server with the left/right levels
// (0..0xFFFF) applied, returning when they have sounded or when `cancel` becomes true.
// False when the format cannot be played or the server refuses the stream.
bool play_on_sound_server(const WaveFormat& wave, uint16_t left, uint16_t right,
                          const Cancel& cancel);

}  // namespace zt::platform::audio
