// Resolving image names in the current skin and loading skins.
#include "platform/base/text.h"
#include "skins/picture_loader.h"
#include "skins/skin_files.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

// Candidates of one folder in order: the ".zip" form before the plain one.
std::optional<std::u16string> first_existing(const std::u16string& folder, const std::u16string& base,
                                             std::u16string_view extension) {
    if (folder.empty()) return std::nullopt;
    std::u16string zip = folder + base + u".zip";
    if (files::is_file(zip)) return zip;
    std::u16string plain = folder + base + std::u16string(extension);
    if (files::is_file(plain)) return plain;
    return std::nullopt;
}

}  // namespace

std::optional<ResolvedImage> CSkinManager::resolve_image(std::u16string_view image_name) {
    if (image_name.empty()) return std::nullopt;
    size_t dot = image_name.rfind(u'.');
    std::u16string base(image_name.substr(0, dot));
    std::u16string_view extension = dot == std::u16string_view::npos ? std::u16string_view {} : image_name.substr(dot);
    const bool high = m_screen.high_resolution;
    const std::u16string default_skin = default_folder();
    for (const std::u16string* folder : { static_cast<const std::u16string*>(&m_current_folder), &default_skin }) {
        if (high) {
            if (auto hit = first_existing(*folder, base + u"_vga", extension)) return ResolvedImage { *hit, false };
        }
        if (auto hit = first_existing(*folder, base, extension)) return ResolvedImage { *hit, high };
    }
    return std::nullopt;
}

std::shared_ptr<const CPicture> CSkinManager::shared_image(std::u16string_view image_name) {
    std::optional<ResolvedImage> resolved = resolve_image(image_name);
    if (!resolved) return nullptr;
    if (std::shared_ptr<const CPicture> cached = m_images.find(resolved->path)) return cached;
    std::optional<CPicture> picture = load_picture(resolved->path);
    if (!picture) return nullptr;
    // The flag follows from the file and this manager's screen, so the cached one holds it.
    picture->set_scaled(resolved->scaled);
    return m_images.store(resolved->path, std::move(*picture));
}

std::optional<CPicture> CSkinManager::load_image(std::u16string_view image_name) {
    std::shared_ptr<const CPicture> shared = shared_image(image_name);
    if (!shared) return std::nullopt;
    return shared->clone();
}

CImageStrip CSkinManager::load_image_strip(std::u16string_view image_name) {
    std::optional<CPicture> picture = load_image(image_name);
    if (!picture) return CImageStrip();
    return CImageStrip(std::move(*picture));
}

bool CSkinManager::load_skin(std::u16string_view name, bool verify) {
    if (name.empty()) return false;
    std::u16string folder = skin_folder(name);
    if (folder.empty() || !files::is_folder(folder)) return false;
    m_current_name = std::u16string(name);
    m_current_folder = folder;
    // Images of the skin left behind are no longer asked for; the default skin's still are.
    m_images.keep_only({ m_current_folder, default_folder() });
    if (!verify || !m_verifier) return true;
    if (m_verifier()) return true;
    if (skin_kind(name) == SkinKind::Default) return false;
    if (m_messages) m_messages->show_message(kUnableToLoadSkin);
    return load_skin(kDefaultSkinName, true);
}

}  // namespace zt::skins
