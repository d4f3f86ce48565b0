#pragma once
// Which device files the installed applications own, so that one package can never take over
// another's files, nor delete them when it is removed. Paths are compared as the device
// compares them: without regard to case, with "." and ".." resolved.
#include <set>
#include <string>
#include <string_view>

#include "platform/hosts/zt_install/install_record.h"

namespace zt::platform::install {

class FileOwnership {
public:
    // The files recorded for every application but this one: those copied, those their setup
    // libraries moved, and their kept setup libraries.
    static FileOwnership of_others(std::u16string_view application);

    void add(const InstallRecord& record);
    bool owns(std::u16string_view device_path) const;

private:
    std::set<std::u16string> m_paths;
};

// The form in which two device paths naming the same file compare equal.
std::u16string comparable_path(std::u16string_view device_path);

}  // namespace zt::platform::install
