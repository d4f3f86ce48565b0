#pragma once
// The device's image decoder: PNG, JPEG, GIF, BMP, TIFF (whatever the machine's Qt image
// plugins read) into a 24-bit bottom-up picture buffer, as the handheld's imaging component
// draws an image into a fresh 24-bit bitmap section.
//
// Guarantees:
// - Rows are blue, green, red bytes, padded to 4 bytes, the top row last in memory.
// - Transparent images are composed over black (a fresh section is black).
// - The format is taken from the content, so a file's extension does not matter.
// - Only regular files are read; anything else (a FIFO among them) gives nullopt at once.
// - Images wider or taller than kMaxSide, unreadable files and undecodable data give nullopt;
//   nothing throws. No GUI application object is needed.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

class QImage;

namespace zt::platform::gui {

struct DecodedImage {
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
    std::vector<uint8_t> bits;  // stride * height bytes, bottom-up
};

inline constexpr int32_t kMaxDecodedSide = 10000;

std::optional<DecodedImage> decode_image_file(const std::filesystem::path& path);
std::optional<DecodedImage> decode_image_bytes(std::span<const uint8_t> bytes);

// Between Qt images and bottom-up pictures, for programs that draw with Qt. The image is
// RGB32 or premultiplied ARGB32 and exactly as large as the rows given (the caller checks);
// the rows take `stride` bytes each.
void write_bottom_up(const QImage& image, uint8_t* bits, int32_t stride);
// An RGB32 image of the picture (null for a malformed one).
QImage to_image(const DecodedImage& picture);

}  // namespace zt::platform::gui
