#include "platform/gui/text_painter.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/text.h"

namespace zt::platform::gui {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString sans_family() {
    static const QString family = [] {
        if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans"))) return QStringLiteral("DejaVu Sans");
        QFont fallback;
        fallback.setStyleHint(QFont::SansSerif);
        return fallback.defaultFamily();
    }();
    return family;
}

QFont make_font(const FontRequest& request) {
    QFont font(to_qstring(font_family_for(request.face)));
    font.setPixelSize(std::max(1, std::abs(request.height)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(request.weight <= 0 ? 400 : request.weight, 100, 900)));
    font.setItalic(request.italic);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

Qt::Alignment alignment_for(uint32_t format) {
    Qt::Alignment align = Qt::AlignLeft;
    if (format & text_format::kCenter) align = Qt::AlignHCenter;
    else if (format & text_format::kRight) align = Qt::AlignRight;
    if (format & text_format::kVCenter) align |= Qt::AlignVCenter;
    else if (format & text_format::kBottom) align |= Qt::AlignBottom;
    else align |= Qt::AlignTop;
    return align;
}

}  // namespace

bool text_drawing_available() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

std::u16string font_family_for(std::u16string_view face) {
    if (face.empty() || equal_ignoring_case(face, u"Tahoma") || equal_ignoring_case(face, u"System") ||
        !text_drawing_available() || !QFontDatabase::hasFamily(to_qstring(face))) {
        QString family = text_drawing_available() ? sans_family() : QStringLiteral("DejaVu Sans");
        return std::u16string(reinterpret_cast<const char16_t*>(family.utf16()), static_cast<size_t>(family.size()));
    }
    return std::u16string(face);
}

std::optional<int32_t> measure_text(const FontRequest& font, std::u16string_view text) {
    if (!text_drawing_available()) return std::nullopt;
    QFontMetrics metrics(make_font(font));
    return metrics.horizontalAdvance(to_qstring(text));
}

std::optional<int32_t> line_height(const FontRequest& font) {
    if (!text_drawing_available()) return std::nullopt;
    return QFontMetrics(make_font(font)).height();
}

bool draw_text(const TextTarget& target, const FontRequest& font, std::u16string_view text, TextBox box,
               TextColour colour, uint32_t format) {
    if (!text_drawing_available() || !target.bits || target.width <= 0 || target.height <= 0) return false;
    // The picture is bottom-up and Qt paints top-down: paint a top-down copy of the visible part
    // of the box and put it back.
    const int32_t left = std::max(box.left, 0), right = std::min(box.right, target.width);
    const int32_t top = std::max(box.top, 0), bottom = std::min(box.bottom, target.height);
    if (left >= right || top >= bottom) return true;
    QImage canvas(right - left, bottom - top, QImage::Format_BGR888);
    if (canvas.isNull()) return false;
    auto row_of = [&](int32_t y) { return target.bits + static_cast<size_t>(target.height - 1 - y) * static_cast<size_t>(target.stride); };
    for (int32_t y = top; y < bottom; ++y)
        std::memcpy(canvas.scanLine(y - top), row_of(y) + left * 3, static_cast<size_t>(right - left) * 3);
    {
        QPainter painter(&canvas);
        painter.setFont(make_font(font));
        painter.setPen(QColor(colour.red, colour.green, colour.blue));
        QRect rect(box.left - left, box.top - top, box.right - box.left, box.bottom - box.top);
        int flags = static_cast<int>(alignment_for(format));
        flags |= (format & text_format::kSingleLine) ? Qt::TextSingleLine : 0;
        flags |= (format & text_format::kWordBreak) ? Qt::TextWordWrap : 0;
        painter.setClipRect(rect);
        painter.drawText(rect, flags, to_qstring(text));
    }
    for (int32_t y = top; y < bottom; ++y)
        std::memcpy(row_of(y) + left * 3, canvas.constScanLine(y - top), static_cast<size_t>(right - left) * 3);
    return true;
}

}  // namespace zt::platform::gui
