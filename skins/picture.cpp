#include "skins/picture.h"

#include <cstring>
#include <new>

namespace zt::skins {

std::optional<CPicture> CPicture::create(int32_t width, int32_t height) { return allocate(width, height, true); }

std::optional<CPicture> CPicture::allocate(int32_t width, int32_t height, bool black) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    size_t bytes = static_cast<size_t>(stride_for(width)) * static_cast<size_t>(height);
    if (bytes > kMaxBytes) return std::nullopt;
    CPicture picture;
    picture.m_bits.reset(black ? new (std::nothrow) uint8_t[bytes]() : new (std::nothrow) uint8_t[bytes]);
    if (!picture.m_bits) return std::nullopt;
    picture.m_width = width;
    picture.m_height = height;
    picture.m_stride = stride_for(width);
    return picture;
}

std::optional<CPicture> CPicture::clone() const {
    std::optional<CPicture> copy = from_bits(m_width, m_height, { m_bits.get(), byte_size() });
    if (copy) copy->m_scaled = m_scaled;
    return copy;
}

std::optional<CPicture> CPicture::from_bits(int32_t width, int32_t height, std::span<const uint8_t> bits) {
    std::optional<CPicture> picture = allocate(width, height, false);
    if (!picture || bits.size() != picture->byte_size()) return std::nullopt;
    std::memcpy(picture->m_bits.get(), bits.data(), bits.size());
    return picture;
}

}  // namespace zt::skins
