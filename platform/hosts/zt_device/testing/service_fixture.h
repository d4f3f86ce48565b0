#pragma once
// Installs the test services into a device root and registers them like an installer would.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/registry/registry.h"

namespace zt::platform::testing {

// Copies libzt_test_service_<PREFIX>.so into \Windows\ as dll_name.
inline bool install_test_service(const std::filesystem::path& root, const std::string& prefix,
                                 const std::string& dll_name) {
    std::error_code ec;
    std::filesystem::create_directories(root / "Windows", ec);
    auto built = std::filesystem::path(ZT_TEST_SERVICE_DIR) / ("libzt_test_service_" + prefix + ".so");
    return std::filesystem::copy_file(built, root / "Windows" / dll_name,
                                      std::filesystem::copy_options::overwrite_existing, ec);
}

// Writes HKLM "Services\<key>" as an installer would; keep and flags only when given.
inline bool register_test_service(const std::string& name, const std::string& dll, const std::string& prefix,
                                  uint32_t order, uint32_t index, std::optional<uint32_t> keep = std::nullopt,
                                  std::optional<uint32_t> flags = std::nullopt) {
    auto created = registry::Key::create(registry::Root::LocalMachine, u"Services\\" + to_u16(name));
    if (!created) return false;
    auto& key = created->key;
    bool ok = key.set_string(u"Dll", to_u16(dll)) == registry::Status::Ok &&
              key.set_string(u"Prefix", to_u16(prefix)) == registry::Status::Ok &&
              key.set_dword(u"Order", order) == registry::Status::Ok &&
              key.set_dword(u"Index", index) == registry::Status::Ok;
    if (keep) ok = ok && key.set_dword(u"Keep", *keep) == registry::Status::Ok;
    if (flags) ok = ok && key.set_dword(u"Flags", *flags) == registry::Status::Ok;
    return ok;
}

inline std::vector<std::string> read_lines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace zt::platform::testing
