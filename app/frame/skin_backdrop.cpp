#include "app/frame/skin_backdrop.h"

#include "skins/drawing.h"
#include "skins/opacity.h"
#include "skins/skin_manager.h"

namespace zt::app {

std::shared_ptr<const skins::CPicture> load_background(skins::CSkinManager& skins, bool landscape) {
    std::shared_ptr<const skins::CPicture> image = skins.shared_image(kBackgroundImage);
    if (!image) return nullptr;
    // Upright at its own size it is shown as it is: the decoded picture itself.
    if (!landscape && !image->scaled()) return image;
    const int s = image->shift();
    const int32_t width = image->width() << s;
    const int32_t height = image->height() << s;
    std::optional<skins::CPicture> shown = landscape ? skins::CPicture::create(height, width)
                                                     : skins::CPicture::create(width, height);
    if (!shown) return nullptr;
    // A fade of the screensaver must not reach the copy the dialog keeps.
    skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
    const skins::Rect whole { 0, 0, image->width(), image->height() };
    if (landscape)
        skins::copy_quarter_turn(*shown, *image, whole, 0, 0);
    else
        skins::copy_with_opacity(*shown, *image, 0, 0, image->width(), image->height(), 0, 0);
    return std::make_shared<skins::CPicture>(std::move(*shown));
}

std::optional<skins::CImageStrip> load_toolbar(skins::CSkinManager& skins, bool landscape) {
    skins::CImageStrip strip = skins.load_image_strip(landscape ? kLandscapeToolBarImage : kToolBarImage);
    if (!strip.valid() || strip.part_count() < static_cast<size_t>(kToolBarButtons)) return std::nullopt;
    return strip;
}

}  // namespace zt::app
