#include "skins/picture_loader.h"


#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/gui/image_decoder.h"
#include "skins/bitmap_file.h"
#include "skins/unzippo.h"

namespace zt::skins {
namespace {

bool has_zip_extension(const std::filesystem::path& path) {
    std::u16string name = path.filename().u16string();
    size_t dot = name.rfind(u'.');
    return dot != std::u16string::npos && platform::equal_ignoring_case(std::u16string_view(name).substr(dot + 1), u"zip");
}

std::optional<CPicture> from_decoder(const platform::gui::DecodedImage& image) {
    if (image.stride != CPicture::stride_for(image.width)) return std::nullopt;
    return CPicture::from_bits(image.width, image.height, image.bits);
}

}  // namespace

std::optional<CPicture> load_picture_file(const std::filesystem::path& path) {
    if (has_zip_extension(path)) {
        CUnzippo::Result member = CUnzippo::extract(path);
        if (!member.block) return std::nullopt;
        return decode_bitmap_file(*member.block);
    }
    std::optional<platform::gui::DecodedImage> decoded = platform::gui::decode_image_file(path);
    if (!decoded) return std::nullopt;
    return from_decoder(*decoded);
}

std::optional<CPicture> load_picture(std::u16string_view device_path) {
    std::optional<std::filesystem::path> host = platform::map_device_path(device_path);
    if (!host) return std::nullopt;
    return load_picture_file(*host);
}

}  // namespace zt::skins
