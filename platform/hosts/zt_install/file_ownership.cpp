#include "platform/hosts/zt_install/file_ownership.h"

#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"

namespace zt::platform::install {

std::u16string comparable_path(std::u16string_view device_path) {
    auto root = device_root();
    auto host = map_device_path(device_path);
    if (root.empty() || !host) return fold_case(device_path);
    return fold_case(utf8_to_utf16(host->lexically_normal().lexically_relative(root).generic_string()));
}

FileOwnership FileOwnership::of_others(std::u16string_view application) {
    FileOwnership ownership;
    for (const auto& record : read_other_install_records(application)) ownership.add(record);
    return ownership;
}

void FileOwnership::add(const InstallRecord& record) {
    for (const auto& file : record.files) m_paths.insert(comparable_path(file));
    for (const auto& file : record.moved) m_paths.insert(comparable_path(file));
    if (!record.setup_library.empty()) m_paths.insert(comparable_path(record.setup_library));
}

bool FileOwnership::owns(std::u16string_view device_path) const {
    return m_paths.contains(comparable_path(device_path));
}

}  // namespace zt::platform::install
