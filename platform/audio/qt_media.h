#pragma once
// What every user of Qt Multimedia in the audio device needs before its first call. Only the
// audio device's own implementation files include this.
namespace zt::platform::audio {

// Chooses the FFmpeg media backend unless QT_MEDIA_BACKEND already names one: on Debian's
// Qt 6.4 it decodes MP3 and WMA with the FFmpeg libraries Qt Multimedia already depends on,
// where the GStreamer backend needs extra plugin packages and, without them, neither decodes
// nor reports an error. Runs once per process; call it before any other Qt Multimedia call.
void prepare_qt_media();

// Qt's event loops (which the decoder's signals need) require an application object. A host
// with a GUI creates its own before its first media play; a process without one (a test, a
// command-line tool) gets a core application made here, kept until the process ends.
// False when none exists and none could be made.
bool ensure_qt_application();

}  // namespace zt::platform::audio
