// zt-make-skins LAND_POLY OUT_ROOT [SHEETS]: draws the six built-in skins into OUT_ROOT/<name>/
// and, when SHEETS is given, a contact sheet of each as SHEETS/<name>.png.
// zt-make-skins --desktop-icons HICOLOR: draws the desktop entries' icons into an icon theme folder
// (packaging/desktop/icons/hicolor).
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "data/skins/generator/desktop_icons.h"
#include "data/skins/generator/land_shapes.h"
#include "data/skins/generator/skin_writer.h"
#include "skins/catalog/contact_sheet.h"

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: zt-make-skins LAND_POLY OUT_ROOT [SHEETS]\n"
                             "       zt-make-skins --desktop-icons HICOLOR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (std::string_view(argv[1]) == "--desktop-icons") {
        if (argc != 3) {
            std::fprintf(stderr, "usage: zt-make-skins --desktop-icons HICOLOR\n");
            return 2;
        }
        const auto failed = zt::skinart::write_desktop_icons(argv[2]);
        for (const auto& file : failed)
            std::fprintf(stderr, "zt-make-skins: cannot write %s\n", file.c_str());
        return failed.empty() ? 0 : 1;
    }
    const auto land = zt::skinart::read_land_shapes(argv[1]);
    if (!land) {
        std::fprintf(stderr, "zt-make-skins: cannot read land shapes from %s\n", argv[1]);
        return 2;
    }
    const std::filesystem::path root = argv[2];
    int failures = 0;
    for (const auto& style : zt::skinart::built_in_styles()) {
        const auto folder = root / style.name.toStdString();
        const auto report = zt::skinart::write_skin(style, *land, folder);
        for (const QString& name : report.failed)
            std::fprintf(stderr, "zt-make-skins: %s/%s failed\n", qPrintable(style.name), qPrintable(name));
        failures += static_cast<int>(report.failed.size());
        std::printf("%s\t%zu images\n", qPrintable(style.name), report.written.size());
        if (argc == 4) {
            std::error_code ec;
            std::filesystem::create_directories(argv[3], ec);
            const auto sheet = std::filesystem::path(argv[3]) / (style.name.toStdString() + ".png");
            if (!zt::skintool::write_contact_sheet(folder, sheet)) {
                std::fprintf(stderr, "zt-make-skins: cannot write %s\n", sheet.c_str());
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
