#include "platform/audio/qt_media.h"

#include <QCoreApplication>
#include <cstdlib>
#include <mutex>

namespace zt::platform::audio {
namespace {

// QCoreApplication keeps references to these for its whole life.
int g_argc = 1;
char g_program_name[] = "zt-audio";
char* g_argv[] = { g_program_name, nullptr };

// Deliberately never destroyed (held here so leak checkers see it): plays on other threads
// may still use it while the process exits.
QCoreApplication* g_application = nullptr;

}  // namespace

void prepare_qt_media() {
    static std::once_flag once;
    std::call_once(once, [] { ::setenv("QT_MEDIA_BACKEND", "ffmpeg", 0); });
}

bool ensure_qt_application() {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    if (QCoreApplication::instance() != nullptr) return true;
    g_application = new QCoreApplication(g_argc, g_argv);
    return QCoreApplication::instance() != nullptr;
}

}  // namespace zt::platform::audio
