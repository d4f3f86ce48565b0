#pragma once
// The device's screen as a test sees it: `zt-device screencap` run as its own process, the PNG
// it wrote read back as an RGB32 picture.
#include <QImage>

#include <filesystem>
#include <optional>

namespace zt::platform::testing {

// nullopt when zt-device failed or wrote no PNG to `file`.
std::optional<QImage> device_screen(const std::filesystem::path& file);

}  // namespace zt::platform::testing
