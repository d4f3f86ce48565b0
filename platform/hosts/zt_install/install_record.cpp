#include "platform/hosts/zt_install/install_record.h"

#include "platform/base/text.h"
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

std::vector<std::u16string> read_multi_string(const Key& key, std::u16string_view name) {
    ValueType type = ValueType::None;
    if (key.query_value(name, &type, nullptr, nullptr) != Status::Ok || type != ValueType::MultiSz) return {};
    auto bytes = key.get_binary(name);
    return bytes ? decode_multi_string(*bytes) : std::vector<std::u16string> {};
}

}  // namespace

std::optional<InstallRecord> read_install_record(std::u16string_view application) {
    auto key = Key::open(Root::LocalMachine, record_path(application));
    if (!key) return std::nullopt;
    auto folder = key->get_string(u"InstallDir");
    if (!folder || folder->empty()) return std::nullopt;
    InstallRecord record;
    record.installation_folder = *folder;
    record.files = read_multi_string(*key, u"Files");
    record.moved = read_multi_string(*key, u"Moved");
    record.setup_library = key->get_string(u"SetupDll").value_or(u"");
    return record;
}

bool write_install_record(std::u16string_view application, const InstallRecord& record) {
    // One transaction: a record is never seen half written.
    auto batch = WriteBatch::begin();
    if (!batch) return false;
    auto made = Key::create(Root::LocalMachine, record_path(application));
    if (!made) return false;
    const Key& key = made->key;
    return key.set_string(u"InstallDir", record.installation_folder) == Status::Ok &&
           key.set_multi_string(u"Files", record.files) == Status::Ok &&
           key.set_multi_string(u"Moved", record.moved) == Status::Ok &&
           key.set_string(u"SetupDll", record.setup_library) == Status::Ok && batch->commit();
}

void delete_install_record(std::u16string_view application) {
    delete_tree(Root::LocalMachine, record_path(application));
}

std::vector<InstallRecord> read_other_install_records(std::u16string_view application) {
    std::vector<InstallRecord> records;
    auto installed = Key::open(Root::LocalMachine, kAppInstallKey);
    if (!installed) return records;
    for (uint32_t i = 0; auto name = installed->enum_subkey(i); ++i) {
        if (equal_ignoring_case(*name, application)) continue;
        if (auto record = read_install_record(*name)) records.push_back(std::move(*record));
    }
    return records;
}

}  // namespace zt::platform::install
