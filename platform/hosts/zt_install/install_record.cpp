#include "platform/hosts/zt_install/install_record.h"

#include "platform/registry/registry.h"

namespace zt::platform::install {
namespace {

using namespace zt::platform::registry;

std::u16string record_path(std::u16string_view application) {
    return std::u16string(kAppInstallKey) + u"\\" + std::u16string(application);
}

// REG_MULTI_SZ bytes (UTF-16LE strings each ended by NUL, an empty one at the end); an odd
// byte count or a missing terminator ends the list where the data ends.
std::vector<std::u16string> decode_multi_string(const std::vector<uint8_t>& bytes) {
    std::vector<std::u16string> strings;
    std::u16string current;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit != u'\0') {
            current += unit;
        } else if (current.empty()) {
            return strings;
        } else {
            strings.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) strings.push_back(std::move(current));
    return strings;
}

}  // namespace

std::optional<InstallRecord> read_install_record(std::u16string_view application) {
    auto key = Key::open(Root::LocalMachine, record_path(application));
    if (!key) return std::nullopt;
    auto folder = key->get_string(u"InstallDir");
    if (!folder || folder->empty()) return std::nullopt;
    InstallRecord record;
    record.installation_folder = *folder;
    ValueType type = ValueType::None;
    if (key->query_value(u"Files", &type, nullptr, nullptr) == Status::Ok && type == ValueType::MultiSz)
        if (auto bytes = key->get_binary(u"Files")) record.files = decode_multi_string(*bytes);
    record.setup_library = key->get_string(u"SetupDll").value_or(u"");
    return record;
}

bool write_install_record(std::u16string_view application, const InstallRecord& record) {
    auto made = Key::create(Root::LocalMachine, record_path(application));
    if (!made) return false;
    const Key& key = made->key;
    return key.set_string(u"InstallDir", record.installation_folder) == Status::Ok &&
           key.set_multi_string(u"Files", record.files) == Status::Ok &&
           key.set_string(u"SetupDll", record.setup_library) == Status::Ok;
}

void delete_install_record(std::u16string_view application) {
    delete_tree(Root::LocalMachine, record_path(application));
}

}  // namespace zt::platform::install
