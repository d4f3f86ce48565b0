// zt-install: the device's package installer.
//   zt-install [--root DIR] [--folder DEVICE_FOLDER] PACKAGE_DIR
//   zt-install [--root DIR] --remove APPLICATION
// Prints one line "installed|upgraded|removed<TAB><what>" on success. Exit codes: 0 done,
// 1 not installed (removal), 2 usage or failure.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/hosts/zt_install/installer.h"

namespace {

using namespace zt::platform::install;

constexpr char kDefaultFolder[] = "\\Program Files\\Zun Time";

void print_usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: zt-install [--root DIR] [--folder DEVICE_FOLDER] PACKAGE_DIR\n"
                 "       zt-install [--root DIR] --remove APPLICATION\n"
                 "Installs a package folder into the device (an installed copy is upgraded) or\n"
                 "removes an installed application. DEVICE_FOLDER defaults to \"%s\".\n"
                 "The device root is DIR, else $ZT_ROOT, else the default device.\n",
                 kDefaultFolder);
}

int usage_error(const char* text) {
    std::fprintf(stderr, "zt-install: %s\n", text);
    print_usage(stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> root, folder, remove, package;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        auto next = [&](std::optional<std::string>& into) {
            if (i + 1 >= argc || into) return false;
            into = argv[++i];
            return true;
        };
        if (argument == "--help" || argument == "-h") {
            print_usage(stdout);
            return 0;
        } else if (argument == "--root") {
            if (!next(root)) return usage_error("--root needs one folder");
        } else if (argument == "--folder") {
            if (!next(folder)) return usage_error("--folder needs one device folder");
        } else if (argument == "--remove") {
            if (!next(remove)) return usage_error("--remove needs one application name");
        } else if (argument.starts_with("--") || package) {
            return usage_error(("unexpected argument: " + argument).c_str());
        } else {
            package = argument;
        }
    }
    if (remove.has_value() == package.has_value()) return usage_error("give either a package folder or --remove");
    if (remove && folder) return usage_error("--folder is for installing");
    if (root && !zt::platform::set_device_root(*root)) return usage_error("cannot use that device root");
    if (zt::platform::device_root().empty()) {
        std::fprintf(stderr, "zt-install: no device root\n");
        return 2;
    }

    InstallReport report = remove
        ? remove_application(zt::platform::utf8_to_utf16(*remove))
        : install_package(*package, zt::platform::utf8_to_utf16(folder.value_or(kDefaultFolder)));
    switch (report.outcome) {
    case InstallOutcome::Installed:
        std::printf("installed\t%s\n", folder.value_or(kDefaultFolder).c_str());
        return 0;
    case InstallOutcome::Upgraded:
        std::printf("upgraded\t%s\n", folder.value_or(kDefaultFolder).c_str());
        return 0;
    case InstallOutcome::Removed:
        std::printf("removed\t%s\n", remove->c_str());
        return 0;
    case InstallOutcome::NotInstalled:
        std::fprintf(stderr, "zt-install: %s is not installed\n", remove->c_str());
        return 1;
    case InstallOutcome::Cancelled:
    case InstallOutcome::Failed:
        break;
    }
    std::fprintf(stderr, "zt-install: %s\n", report.message.c_str());
    return 2;
}
