#include "platform/gui/image_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <cstring>

namespace zt::platform::gui {
namespace {

std::optional<DecodedImage> read_with(QImageReader& reader) {
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxDecodedSide || size.height() > kMaxDecodedSide)) return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return std::nullopt;
    if (image.width() > kMaxDecodedSide || image.height() > kMaxDecodedSide) return std::nullopt;

    QImage flat;
    if (image.hasAlphaChannel()) {
        flat = QImage(image.size(), QImage::Format_BGR888);
        flat.fill(Qt::black);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    } else {
        flat = image.convertToFormat(QImage::Format_BGR888);
    }
    if (flat.isNull()) return std::nullopt;

    DecodedImage out;
    out.width = flat.width();
    out.height = flat.height();
    out.stride = (out.width * 3 + 3) & ~3;
    out.bits.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(out.height), 0);
    for (int32_t y = 0; y < out.height; ++y) {
        uint8_t* row = out.bits.data() + static_cast<size_t>(out.height - 1 - y) * static_cast<size_t>(out.stride);
        std::memcpy(row, flat.constScanLine(y), static_cast<size_t>(out.width) * 3);
    }
    return out;
}

}  // namespace

std::optional<DecodedImage> decode_image_file(const std::filesystem::path& path) {
    QImageReader reader(QString::fromStdString(path.string()));
    return read_with(reader);
}

std::optional<DecodedImage> decode_image_bytes(std::span<const uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer);
    return read_with(reader);
}

}  // namespace zt::platform::gui
