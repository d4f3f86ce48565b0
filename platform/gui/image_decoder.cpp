#include "platform/gui/image_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace zt::platform::gui {
namespace {

// The format a file's first bytes announce, for the common ones. Asking Qt to decide from the
// content instead makes it load and ask every image plugin of the machine (TIFF, WebP, MNG,
// ... with their libraries), which costs a program start more than decoding its images.
QByteArray announced_format(QIODevice& device) {
    const QByteArray head = device.peek(8);
    if (head.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (head.startsWith("\xff\xd8\xff")) return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return "gif";
    if (head.startsWith("BM")) return "bmp";
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4))) return "tiff";
    return {};
}

std::optional<DecodedImage> read_with(QImageReader& reader) {
    if (QIODevice* device = reader.device(); device && device->isOpen()) {
        if (QByteArray format = announced_format(*device); !format.isEmpty()) {
            reader.setFormat(format);
            reader.setAutoDetectImageFormat(false);
        } else {
            reader.setDecideFormatFromContent(true);
        }
    } else {
        reader.setDecideFormatFromContent(true);
    }
    QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxDecodedSide || size.height() > kMaxDecodedSide)) return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return std::nullopt;
    if (image.width() > kMaxDecodedSide || image.height() > kMaxDecodedSide) return std::nullopt;

    // A premultiplied pixel is its colour composed over black, as the handheld's decoder draws
    // a transparent image into a fresh (black) section. Converted in place where Qt can, then
    // written straight into the bottom-up rows: no intermediate image.
    const QImage::Format wanted = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != wanted) image = std::move(image).convertToFormat(wanted);
    if (image.isNull()) return std::nullopt;

    DecodedImage out;
    out.width = image.width();
    out.height = image.height();
    out.stride = (out.width * 3 + 3) & ~3;
    out.bits.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(out.height), 0);
    write_bottom_up(image, out.bits.data(), out.stride);
    return out;
}

}  // namespace

std::optional<DecodedImage> decode_image_file(const std::filesystem::path& path) {
    // Opened without waiting and read only when it is a regular file: a FIFO named like an
    // image would otherwise hold the reader until someone writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QImageReader reader(&file);
    return read_with(reader);
}

void write_bottom_up(const QImage& image, uint8_t* bits, int32_t stride) {
    const int32_t height = image.height();
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = bits + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride);
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int32_t x = 0; x < image.width(); ++x) {
            row[x * 3] = static_cast<uint8_t>(qBlue(source[x]));
            row[x * 3 + 1] = static_cast<uint8_t>(qGreen(source[x]));
            row[x * 3 + 2] = static_cast<uint8_t>(qRed(source[x]));
        }
    }
}

QImage to_image(const DecodedImage& picture) {
    if (picture.width <= 0 || picture.height <= 0 || picture.stride / 3 < picture.width ||
        picture.bits.size() < static_cast<size_t>(picture.stride) * static_cast<size_t>(picture.height))
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row =
            picture.bits.data() + static_cast<size_t>(picture.height - 1 - y) * static_cast<size_t>(picture.stride);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < picture.width; ++x) target[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    }
    return image;
}

std::optional<DecodedImage> decode_image_bytes(std::span<const uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer);
    return read_with(reader);
}

}  // namespace zt::platform::gui
