#include "skins/picture.h"

#include <cstring>
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

std::optional<CPicture> CPicture::clone() const {
    CPicture copy;
    copy.m_bits.reset(new (std::nothrow) uint8_t[byte_size()]);
    if (!copy.m_bits) return std::nullopt;
    std::memcpy(copy.m_bits.get(), m_bits.get(), byte_size());
    copy.m_width = m_width;
    copy.m_height = m_height;
    copy.m_stride = m_stride;
    copy.m_scaled = m_scaled;
    return copy;
}

}  // namespace zt::skins
