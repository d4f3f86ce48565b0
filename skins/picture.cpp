#include "skins/picture.h"

#include <new>

namespace zt::skins {

std::optional<CPicture> CPicture::create(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    size_t bytes = static_cast<size_t>(stride_for(width)) * static_cast<size_t>(height);
    if (bytes > kMaxBytes) return std::nullopt;
    CPicture picture;
    picture.m_bits.reset(new (std::nothrow) uint8_t[bytes]());
    if (!picture.m_bits) return std::nullopt;
    picture.m_width = width;
    picture.m_height = height;
    picture.m_stride = stride_for(width);
    return picture;
}

}  // namespace zt::skins
