#pragma once
// End-to-end test support: the device's debug bridge as a person or a script uses it, through
// `zt-device screencap / input / ui` run as their own processes; and a display of its own
// (Xvfb) for runs under a window system.
#include <QImage>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/ui_line.h"
#include "platform/testing/child_process.h"

namespace zt::e2e {

struct VerbResult {
    int exit_code { -1 };
    std::string out;
};
VerbResult device_verb(const std::vector<std::string>& arguments);

// The screen picture; nullopt when zt-device failed or wrote no PNG.
std::optional<QImage> screencap(const std::filesystem::path& file);
// The lines of `zt-device ui`; nullopt when it failed or printed a malformed line.
std::optional<std::vector<zt::platform::gui::UiLine>> ui_lines();
// `zt-device input ...`; its exit code.
int input(const std::vector<std::string>& arguments);
// Taps the centre of the line's rectangle.
int tap_centre_of(const zt::platform::gui::UiLine& line);

std::optional<zt::platform::gui::UiLine> find_line(const std::vector<zt::platform::gui::UiLine>& lines,
                                                     std::string_view kind, std::u16string_view text);

// Share of the sampled points (every `step` pixels) of the rectangle in which two pictures agree
// within `tolerance` per colour channel; `b` is read at the same place shifted by `offset`.
double share_alike(const QImage& a, const QImage& b, const QRect& rect, QPoint offset = {}, int tolerance = 12, int step = 4);
bool colour_near(QRgb a, QRgb b, int tolerance);

// An X server of its own (Xvfb on a free display) for the test's programs, ended with it.
class OwnDisplay {
public:
    OwnDisplay();
    ~OwnDisplay();
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;
    // ":N", empty when the server did not start.
    const std::string& name() const { return m_name; }

private:
    std::optional<zt::platform::testing::ChildProcess> m_server;
    std::string m_name;
};

}  // namespace zt::e2e
