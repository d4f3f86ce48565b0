#include "platform/msgbox/qt/qt_message_box.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QString>
#include <QThread>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/msgbox/message_box.h"

namespace zt::platform::msgbox {
namespace {

QString to_qstring(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qt_icon(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qt_buttons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton qt_button(Answer answer) {
    switch (answer) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

std::optional<Answer> from_qt(int button) {
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return std::nullopt;  // closed by other means: the caller takes the default
    }
}

BoxPreparer& box_preparer() {
    static BoxPreparer prepare;
    return prepare;
}

// The device's own words, whatever language Qt would pick.
void set_button_words(QMessageBox& dialog) {
    constexpr std::pair<QMessageBox::StandardButton, const char*> kWords[] = {
        { QMessageBox::Ok, "OK" }, { QMessageBox::Cancel, "Cancel" }, { QMessageBox::Yes, "Yes" },
        { QMessageBox::No, "No" }, { QMessageBox::Retry, "Retry" },
    };
    for (const auto& [button, word] : kWords)
        if (QAbstractButton* shown = dialog.button(button)) shown->setText(QString::fromLatin1(word));
}

Answer run_box(const MessageBox& box) {
    QMessageBox dialog(qt_icon(box.icon), to_qstring(box.caption), to_qstring(box.text), qt_buttons(box.buttons));
    dialog.setDefaultButton(qt_button(default_answer_of(box)));
    set_button_words(dialog);
    if (box_preparer()) box_preparer()(dialog);
    return from_qt(dialog.exec()).value_or(default_answer_of(box));
}

bool display_available() {
    for (const char* name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" }) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

std::optional<Answer> present(const MessageBox& box) {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        if (QThread::currentThread() == app->thread()) return run_box(box);
        Answer answer = default_answer_of(box);
        const bool delivered = QMetaObject::invokeMethod(
            app, [&] { answer = run_box(box); }, Qt::BlockingQueuedConnection);
        if (!delivered) return std::nullopt;
        return answer;
    }
    // Another kind of application object, or none where Qt insists on the main thread.
    if (QCoreApplication::instance() || gettid() != getpid() || !display_available()) return std::nullopt;
    static int argc = 1;
    static char name[] = "zt-message-box";
    static char* argv[] = { name, nullptr };
    auto app = std::make_unique<QApplication>(argc, argv);
    return run_box(box);
}

}  // namespace

void install_qt_message_boxes(BoxPreparer prepare) {
    box_preparer() = std::move(prepare);
    set_message_box_presenter(present);
}

}  // namespace zt::platform::msgbox
