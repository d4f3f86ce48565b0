#include "platform/audio/wave_out.h"

#include <atomic>

#include "platform/registry/registry.h"

namespace zt::platform::audio {
namespace {
std::atomic<uint32_t> g_volume { 0xFFFFFFFFu };
}

uint32_t wave_out_get_volume() { return g_volume.load(); }

void wave_out_set_volume(uint32_t volume) { g_volume.store(volume); }

void audio_update_from_registry() {
    auto key = registry::Key::open(registry::Root::CurrentUser, u"ControlPanel\\Volume");
    if (!key) return;
    if (auto volume = key->get_dword(u"Volume")) wave_out_set_volume(*volume);
}

}  // namespace zt::platform::audio
