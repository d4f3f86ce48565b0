#include "app/frame/timer_support.h"

#include <QFileDialog>

#include <filesystem>

#include "app/dialogs/skin_message_box.h"
#include "core/sound/device_alerting.h"
#include "core/millisecond_clock.h"
#include "core/timer.h"
#include "platform/base/device_path.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

QString to_qstring(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

std::optional<std::u16string> choose_lap_file(QWidget* parent, std::u16string_view proposed) {
    const auto start = platform::map_device_path(proposed);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);  // the folder must exist; the file need not
    dialog.setNameFilter(to_qstring(CTextTable::instance().translate(u"Text files")) + QStringLiteral(" (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (start) dialog.selectFile(QString::fromStdString(start->string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    // A file outside the device has no device path: the device's files are all the program sees.
    return platform::to_device_path(std::filesystem::path(dialog.selectedFiles().front().toStdString()));
}

}  // namespace

CTimerKeepAwake::KeepAwake device_keep_awake() {
    return [](bool backlight) { sound::CDeviceAlerting::instance().keep_awake(backlight); };
}

LapFileUi program_lap_file_ui(QWidget* parent) {
    return { [parent](std::u16string_view proposed) { return choose_lap_file(parent, proposed); },
             [](std::u16string_view text) { show_error_box(text); } };
}

bool lap_or_reset(core::CTimer& timer) {
    if (timer.state == core::CTimer::kRunning && timer.count_up) {
        timer.lap();
        return false;
    }
    timer.reset();
    return true;
}

bool sample_or_expire(core::CTimer& timer) {
    const bool shows_time = timer.sample(core::timer_now());
    if (shows_time || timer.count_up || timer.state != core::CTimer::kRunning) return false;
    timer.reset();
    return true;
}

}  // namespace zt::app
