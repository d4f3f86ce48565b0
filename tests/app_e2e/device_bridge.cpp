#include "tests/app_e2e/device_bridge.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "tests/service_e2e/running_device.h"

namespace zt::e2e {

using zt::platform::gui::UiLine;

VerbResult device_verb(const std::vector<std::string>& arguments) {
    VerbResult result;
    result.exit_code = run_program(built_program("zt-device"), arguments, &result.out);
    return result;
}

std::optional<QImage> screencap(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (device_verb({ "screencap", file.string() }).exit_code != 0) return std::nullopt;
    QImage image;
    if (!image.load(QString::fromStdString(file.string()), "PNG")) return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<std::vector<UiLine>> ui_lines() {
    const VerbResult result = device_verb({ "ui" });
    if (result.exit_code != 0) return std::nullopt;
    return zt::platform::gui::parse_ui_dump(result.out);
}

int input(const std::vector<std::string>& arguments) {
    std::vector<std::string> words { "input" };
    words.insert(words.end(), arguments.begin(), arguments.end());
    return device_verb(words).exit_code;
}

int tap_centre_of(const UiLine& line) {
    return input({ "tap", std::to_string(line.x + line.width / 2), std::to_string(line.y + line.height / 2) });
}

std::optional<UiLine> find_line(const std::vector<UiLine>& lines, std::string_view kind, std::u16string_view text) {
    for (const UiLine& line : lines) {
        if (line.kind == kind && line.text == text) return line;
    }
    return std::nullopt;
}

bool colour_near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

double share_alike(const QImage& a, const QImage& b, const QRect& rect, QPoint offset, int tolerance, int step) {
    int alike = 0;
    int sampled = 0;
    for (int y = rect.top(); y <= rect.bottom(); y += step) {
        for (int x = rect.left(); x <= rect.right(); x += step) {
            const QPoint other(x + offset.x(), y + offset.y());
            if (!a.valid(x, y) || !b.valid(other)) continue;
            ++sampled;
            if (colour_near(a.pixel(x, y), b.pixel(other), tolerance)) ++alike;
        }
    }
    return sampled == 0 ? 0.0 : static_cast<double>(alike) / sampled;
}

OwnDisplay::OwnDisplay() {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return;
    // Xvfb picks a free display itself and writes its number to the descriptor.
    zt::platform::testing::SpawnOptions options;
    options.close_in_child = { pipe_fds[0] };
    options.search_path = true;
    m_server = zt::platform::testing::ChildProcess::spawn(
        "Xvfb", { "-displayfd", std::to_string(pipe_fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp" },
        options);
    close(pipe_fds[1]);
    if (!m_server) {
        close(pipe_fds[0]);
        return;
    }
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready { pipe_fds[0], POLLIN, 0 };
        if (poll(&ready, 1, 200) <= 0) continue;
        char c = 0;
        if (read(pipe_fds[0], &c, 1) != 1) break;
        if (c == '\n') break;
        number += c;
    }
    close(pipe_fds[0]);
    if (!number.empty()) m_name = ":" + number;
}

OwnDisplay::~OwnDisplay() {
    if (m_server) m_server->terminate();
}

}  // namespace zt::e2e
