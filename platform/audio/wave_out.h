#pragma once
// The wave output volume of device 0 (the platform's waveOutGetVolume/waveOutSetVolume):
// 32 bits, the left channel's level in the low 16 bits and the right channel's in the high
// 16 bits, 0 silent .. 0xFFFF full. It applies to every wave sound this process plays from
// then on (a sound already playing keeps the level it started with). Kept per process; a
// fresh process starts at full volume.
#include <cstdint>

namespace zt::platform::audio {

uint32_t wave_out_get_volume();
void wave_out_set_volume(uint32_t volume);

// The platform's AudioUpdateFromRegistry: takes the wave volume from the number "Volume" of
// HKEY_CURRENT_USER "ControlPanel\Volume" when it is there; otherwise nothing changes.
void audio_update_from_registry();

}  // namespace zt::platform::audio
