#include "today/today_background.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "skins/drawing.h"
#include "skins/picture_loader.h"

namespace zt::today {
namespace {

constexpr int32_t kEmptySide = 20;
// Backgrounds up to this height were made for the normal-resolution screens and are doubled on
// the high-resolution ones.
constexpr int32_t kLargestDoubledHeight = 320;

std::u16string windows_file(std::u16string_view name) {
    std::u16string path = u"\\windows\\";
    path += name;
    return path;
}

std::u16string sized_name(std::u16string_view stem, int32_t width, int32_t height) {
    std::u16string name(stem);
    name += platform::to_u16(std::to_string(width));
    name += u'_';
    name += platform::to_u16(std::to_string(height));
    name += u".gif";
    return name;
}

// The shell's background images in the order it tries them.
std::vector<std::u16string> shell_background_names(int32_t width, int32_t height) {
    const std::array<std::array<int32_t, 2>, 4> sizes { { { width, height }, { height, width }, { height, height },
                                                          { width, width } } };
    std::vector<std::u16string> names { u"tdywater.gif", u"stwater.gif" };
    for (const auto& size : sizes) names.push_back(sized_name(u"stwater_", size[0], size[1]));
    names.push_back(u"default_stwater.gif");
    for (const auto& size : sizes) names.push_back(sized_name(u"default_stwater_", size[0], size[1]));
    return names;
}

std::optional<skins::CPicture> load_shell_background(int32_t width, int32_t height) {
    for (const std::u16string& name : shell_background_names(width, height))
        if (auto picture = skins::load_picture(windows_file(name))) return picture;
    return std::nullopt;
}

// A view of a rectangle of the picture (inside it), as a picture of its own for the drawing
// primitives.
skins::PixelView part_view(const skins::PixelView& whole, skins::Rect rect) {
    uint8_t* bits = whole.bits + static_cast<ptrdiff_t>(whole.height - rect.bottom) * whole.stride + rect.left * 3;
    return { bits, rect.width(), rect.height(), whole.stride };
}

}  // namespace

std::optional<skins::CPicture> lay_today_background(const skins::CPicture& picture, int32_t screen_width,
                                                    int32_t screen_height) {
    const int32_t side = std::max(screen_width, screen_height);
    std::optional<skins::CPicture> square = skins::CPicture::create(side, side);
    if (!square) return std::nullopt;
    const bool doubled = picture.height() <= kLargestDoubledHeight && (screen_width == 480 || screen_width == 640);
    const int32_t factor = doubled ? 2 : 1;
    // Only what lands on the square is taken: a source wider or taller than it is cut.
    const int32_t source_width = std::min(picture.width(), (side + factor - 1) / factor);
    const int32_t source_height = std::min(picture.height(), (side + factor - 1) / factor);
    const skins::Rect placed { 0, 0, std::min(side, source_width * factor), std::min(side, source_height * factor) };
    const skins::PixelView source = part_view(picture.view(), { 0, 0, source_width, source_height });
    // A whole-pixel stretch: at factor 1 the sampling copies every pixel as it is.
    skins::scale_picture(part_view(square->view(), placed), source,
                         skins::scale_mode::kStretch | skins::scale_mode::kTopLeft);
    if (placed.width() < screen_width) {
        const skins::Rect repeat { placed.right, 0, std::min(side, placed.right + placed.width()), placed.bottom };
        skins::scale_picture(part_view(square->view(), repeat),
                             part_view(square->view(), { 0, 0, repeat.width(), repeat.height() }),
                             skins::scale_mode::kStretch | skins::scale_mode::kTopLeft);
    }
    return square;
}

std::optional<skins::CPicture> today_background(int32_t screen_width, int32_t screen_height) {
    namespace registry = platform::registry;
    std::u16string watermark;
    bool use_start_image = false;
    if (const std::optional<registry::Key> key = registry::Key::open(registry::Root::CurrentUser, kTodayKeyPath)) {
        watermark = key->get_string(u"Watermark").value_or(u"");
        use_start_image = key->get_dword(u"UseStartImage").value_or(0) != 0;
    }
    if (!watermark.empty())
        if (auto picture = skins::load_picture(windows_file(watermark))) return picture;
    std::optional<skins::CPicture> picture;
    if (!use_start_image) picture = load_shell_background(screen_width, screen_height);
    if (!picture) picture = skins::CPicture::create(kEmptySide, kEmptySide);
    if (!picture) return std::nullopt;
    return lay_today_background(*picture, screen_width, screen_height);
}

}  // namespace zt::today
