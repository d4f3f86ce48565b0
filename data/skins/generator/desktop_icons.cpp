// Icons are laid out on a 48-unit grid and scaled to each size, so every size shows the same
// picture; the dial comes from the skins' own painter.
#include "data/skins/generator/desktop_icons.h"

#include <QPainterPath>
#include <cmath>
#include <numbers>
#include <system_error>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/skin_style.h"

namespace zt::skinart {

namespace {

constexpr double kGrid = 48;

// Hands at ten past ten, the pose that leaves the face readable, and the hub.
void paint_hands(QPainter& p, const SkinStyle& s, QPointF centre, double radius)
{
    const auto tip = [&](double degrees, double length) {
        const double a = degrees * std::numbers::pi / 180;
        return centre + QPointF(std::sin(a) * length, -std::cos(a) * length);
    };
    p.setPen(QPen(s.hour_hand, radius * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, tip(305, radius * 0.5));
    p.setPen(QPen(s.minute_hand, radius * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, tip(60, radius * 0.75));
    p.setPen(Qt::NoPen);
    p.setBrush(s.hub);
    p.drawEllipse(centre, radius * 0.1, radius * 0.1);
}

void paint_clock(QPainter& p, const SkinStyle& s, QPointF top_left, double d)
{
    p.save();
    p.translate(top_left);
    paint_dial(p, s, d, false);
    p.restore();
    paint_hands(p, s, top_left + QPointF(d / 2, d / 2), d / 2 * 0.85);
}

// A page with list lines under a clock: the Today screen's summary of the day.
void paint_today(QPainter& p, const SkinStyle& s)
{
    paint_panel(p, s, QRectF(4, 2, 40, 44), 5);
    p.setPen(QPen(s.text_main, 3, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row) {
        const double y = 33 + row * 5.0;
        p.drawLine(QPointF(10, y), QPointF(row == 2 ? 28 : 38, y));
    }
    paint_clock(p, s, QPointF(12, 4), 24);
}

// A clock standing on a tray: the dock that holds the applet.
void paint_dock(QPainter& p, const SkinStyle& s)
{
    QPainterPath tray;
    tray.addRoundedRect(QRectF(1, 34, 46, 12), 4, 4);
    p.setPen(QPen(s.button_edge, 1));
    p.setBrush(mix(s.button, s.screen_bottom, 0.3));
    p.drawPath(tray);
    paint_clock(p, s, QPointF(8, 2), 32);
    p.setPen(Qt::NoPen);
    p.setBrush(s.accent);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(12 + i * 12, 41), 2, 2);
}

}  // namespace

const std::vector<DesktopIconEntry>& desktop_icons()
{
    static const std::vector<DesktopIconEntry> icons {
        { DesktopIcon::Main, "zuntime" },
        { DesktopIcon::Today, "zuntime-today" },
        { DesktopIcon::Dock, "zuntime-dock" },
    };
    return icons;
}

const std::vector<int>& desktop_icon_sizes()
{
    static const std::vector<int> sizes { 16, 22, 24, 32, 48, 64, 128, 256 };
    return sizes;
}

QImage draw_desktop_icon(DesktopIcon icon, int size)
{
    const SkinStyle& s = built_in_styles().front();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.scale(size / kGrid, size / kGrid);
        switch (icon) {
        case DesktopIcon::Main: paint_clock(p, s, QPointF(1, 1), 46); break;
        case DesktopIcon::Today: paint_today(p, s); break;
        case DesktopIcon::Dock: paint_dock(p, s); break;
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

std::filesystem::path desktop_icon_file(const std::filesystem::path& hicolor, const char* name, int size)
{
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    return hicolor / folder / "apps" / (std::string(name) + ".png");
}

std::vector<std::filesystem::path> write_desktop_icons(const std::filesystem::path& hicolor)
{
    std::vector<std::filesystem::path> failed;
    for (const auto& entry : desktop_icons())
        for (int size : desktop_icon_sizes()) {
            const auto file = desktop_icon_file(hicolor, entry.name, size);
            std::error_code ec;
            std::filesystem::create_directories(file.parent_path(), ec);
            if (ec || !draw_desktop_icon(entry.icon, size).save(QString::fromStdString(file.string()), "PNG"))
                failed.push_back(file);
        }
    return failed;
}

}  // namespace zt::skinart
