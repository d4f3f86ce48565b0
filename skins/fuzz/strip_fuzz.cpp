// Any pixels as a skin strip: parsing, every part and value, and drawing each part straight,
// rotated and as digits stay inside the pictures.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>

#include "skins/digits.h"
#include "skins/drawing.h"
#include "skins/image_strip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int32_t width = 1 + data[0] % 24, height = 1 + data[1] % 24;
    const int32_t angle = data[2] * 3 - 40;
    const bool scaled = data[3] & 1;
    data += 4;
    size -= 4;
    std::optional<zt::skins::CPicture> picture = zt::skins::CPicture::create(width, height);
    if (!picture) return 0;
    std::memcpy(picture->bits(), data, std::min(size, picture->byte_size()));
    picture->set_scaled(scaled);
    zt::skins::CImageStrip strip(std::move(*picture));
    std::optional<zt::skins::CPicture> canvas = zt::skins::CPicture::create(40, 30);
    for (int index = -1; index <= static_cast<int>(strip.part_count()); ++index)
        zt::skins::draw_part(*canvas, strip, index, index, -index, index * 5 - 8, 3 - index);
    for (int n = -1; n <= width; ++n) strip.value(n, n & 1);
    zt::skins::draw_rotated(*canvas, strip, 20, 15, angle);
    int32_t pen = -4;
    zt::skins::draw_two_digits(*canvas, strip, angle & 127, pen, 29);
    return 0;
}
