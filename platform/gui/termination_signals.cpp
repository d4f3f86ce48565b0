#include "platform/gui/termination_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace zt::platform::gui {
namespace {

sigset_t termination_set() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

bool block_termination_signals() {
    const sigset_t set = termination_set();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

bool quit_on_termination_signals() {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    const sigset_t set = termination_set();
    const int fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0) return false;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [fd] {
        signalfd_siginfo info {};
        while (::read(fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        QCoreApplication::quit();
    });
    QObject::connect(notifier, &QObject::destroyed, [fd] { ::close(fd); });
    return true;
}

}  // namespace zt::platform::gui
