#pragma once
// The module's two opacities. Fading effects (screensaver, slide show, world map) set them;
// every primitive reads them. 256 and above mean opaque; they are plain process-wide values
// because the screens of one process fade together.
#include <cstdint>

namespace zt::skins {

inline constexpr int32_t kOpaque = 256;

void set_global_opacity(int32_t opacity);
int32_t global_opacity();
void set_copy_opacity(int32_t opacity);
int32_t copy_opacity();

// a scaled by the global opacity when that is below 256; negative opacities count as 0.
int32_t apply_global_opacity(int32_t a);

// One byte triple over another: 255 or more copies the colour, 0 or less leaves the
// destination, anything between blends (destination * (255 - a) + colour * a) / 256.
inline void blend_pixel(uint8_t* destination, const uint8_t* colour, int32_t a) {
    if (a <= 0) return;
    if (a >= 255) {
        destination[0] = colour[0];
        destination[1] = colour[1];
        destination[2] = colour[2];
        return;
    }
    for (int i = 0; i < 3; ++i) destination[i] = static_cast<uint8_t>((destination[i] * (255 - a) + colour[i] * a) >> 8);
}

// Restores both opacities when it goes (tests, and effects that must not leak a fade).
class ScopedOpacity {
public:
    ScopedOpacity(int32_t global, int32_t copy);
    ~ScopedOpacity();
    ScopedOpacity(const ScopedOpacity&) = delete;
    ScopedOpacity& operator=(const ScopedOpacity&) = delete;

private:
    int32_t m_global;
    int32_t m_copy;
};

}  // namespace zt::skins
