// zt-skin: checks a skin folder for what the screens would miss, and draws its contact sheet.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "skins/catalog/contact_sheet.h"
#include "skins/catalog/skin_check.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: zt-skin check [--require-vga] FOLDER\n"
               "       zt-skin sheet FOLDER OUT.png\n"
               "check: loads every image the screens use and prints one line per image and\n"
               "       resolution, \"ok\" or what a screen would miss; exit 0 only when complete.\n"
               "sheet: writes every image of the folder on one checkerboard PNG, with names.\n",
               to);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    // A tool for the command line: no display is needed to read or draw images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "check" && (argc == 3 || (argc == 4 && std::strcmp(argv[2], "--require-vga") == 0))) {
        const bool require_vga = argc == 4;
        std::error_code ec;
        if (!std::filesystem::is_directory(argv[argc - 1], ec)) {
            std::fprintf(stderr, "zt-skin: %s is not a folder\n", argv[argc - 1]);
            return 1;
        }
        QGuiApplication app(argc, argv);  // image decoding needs Qt's GUI plug-ins
        const auto result = zt::skintool::check_skin(argv[argc - 1], require_vga);
        for (const auto& f : result.findings)
            std::printf("%s: %s\n", f.image.c_str(), f.problem.empty() ? "ok" : f.problem.c_str());
        std::printf("%s\n", result.complete() ? "complete" : "incomplete");
        return result.complete() ? 0 : 1;
    }
    if (command == "sheet" && argc == 4) {
        QGuiApplication app(argc, argv);
        if (!zt::skintool::write_contact_sheet(argv[2], argv[3])) {
            std::fprintf(stderr, "zt-skin: cannot make a sheet of %s into %s\n", argv[2], argv[3]);
            return 2;
        }
        return 0;
    }
    usage(stderr);
    return 2;
}
