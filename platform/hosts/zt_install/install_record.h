#pragma once
// What the installer put on the device for one application, kept in the device registry under
// HKLM "Security\AppInstall\<application>" so that an upgrade and a removal find it:
//   "InstallDir"  REG_SZ        the installation folder (device path)
//   "Files"       REG_MULTI_SZ  every device path it copied, as copied
//   "SetupDll"    REG_SZ        the device path of its kept copy of the setup library, if any
//   "Moved"       REG_MULTI_SZ  where the setup library moved copied files to (renamed in their
//                               folder during Install_Exit); absent in older records
// The record is written before the first file is copied, so an interrupted installation can
// still be removed.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::install {

inline constexpr char16_t kAppInstallKey[] = u"Security\\AppInstall";
inline constexpr char16_t kSetupCopyFolder[] = u"\\Windows\\AppMgr";

struct InstallRecord {
    std::u16string installation_folder;
    std::vector<std::u16string> files;
    std::u16string setup_library;  // empty: none kept
    std::vector<std::u16string> moved;
};

std::optional<InstallRecord> read_install_record(std::u16string_view application);
bool write_install_record(std::u16string_view application, const InstallRecord& record);
void delete_install_record(std::u16string_view application);
// The records of every installed application except this one (compared without regard to
// case, as registry key names are).
std::vector<InstallRecord> read_other_install_records(std::u16string_view application);

}  // namespace zt::platform::install
