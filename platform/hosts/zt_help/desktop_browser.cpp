#include "platform/hosts/zt_help/desktop_browser.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace zt::platform::help {
namespace {

bool set(const char* name) { return !qEnvironmentVariableIsEmpty(name); }

}  // namespace

bool desktop_browser_usable() {
    if (qEnvironmentVariable("ZT_HELP_VIEWER") == QLatin1String("builtin")) return false;
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen")) return false;
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY")) return false;
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
}

bool open_in_desktop_browser(const gui::HelpTarget& target) {
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(target.host_path.string()));
    if (!target.anchor.empty()) url.setFragment(QString::fromStdU16String(target.anchor));
    return QProcess::startDetached(QStringLiteral("xdg-open"), { url.toString(QUrl::FullyEncoded) });
}

}  // namespace zt::platform::help
