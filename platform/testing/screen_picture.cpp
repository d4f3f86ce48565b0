#include "platform/testing/screen_picture.h"

#include "platform/testing/running_device.h"

namespace zt::platform::testing {

std::optional<QImage> device_screen(const std::filesystem::path& file) {
    if (run_zt_device({ "screencap", file.string() }).exit_code != 0) return std::nullopt;
    QImage image;
    if (!image.load(QString::fromStdString(file.string()), "PNG")) return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace zt::platform::testing
