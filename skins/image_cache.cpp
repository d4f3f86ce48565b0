#include "skins/image_cache.h"

#include <algorithm>

#include "platform/base/text.h"
#include "skins/skin_files.h"

namespace zt::skins {

std::optional<CImageCache::Stamp> CImageCache::stamp_of(std::u16string_view device_path) {
    std::optional<std::filesystem::path> host = files::host_path(device_path);
    if (!host) return std::nullopt;
    return zt::platform::regular_file_stamp(*host);
}

std::shared_ptr<const CPicture> CImageCache::find(std::u16string_view device_path) const {
    auto entry = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.path == device_path; });
    if (entry == m_entries.end() || stamp_of(device_path) != entry->stamp) return nullptr;
    return entry->picture;
}

std::shared_ptr<const CPicture> CImageCache::store(std::u16string_view device_path, CPicture picture) {
    std::erase_if(m_entries, [&](const Entry& e) { return e.path == device_path; });
    auto shared = std::make_shared<const CPicture>(std::move(picture));
    if (std::optional<Stamp> stamp = stamp_of(device_path))
        m_entries.push_back(Entry { std::u16string(device_path), *stamp, shared });
    return shared;
}

void CImageCache::keep_only(const std::vector<std::u16string>& folders) {
    std::erase_if(m_entries, [&](const Entry& e) {
        return std::none_of(folders.begin(), folders.end(), [&](const std::u16string& folder) {
            return !folder.empty() && e.path.size() > folder.size() &&
                   platform::equal_ignoring_case(std::u16string_view(e.path).substr(0, folder.size()), folder);
        });
    });
}

}  // namespace zt::skins
