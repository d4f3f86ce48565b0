#include "platform/gui/debug_bridge.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>

#include <memory>

#include "platform/base/device_root.h"
#include "platform/gui/bridge_protocol.h"
#include "platform/gui/input_player.h"
#include "platform/gui/input_steps.h"
#include "platform/gui/screen_capture.h"
#include "platform/gui/synthetic_input.h"
#include "platform/gui/ui_dump.h"
#include "platform/gui/window_stack.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::platform::gui {
namespace {

using bridge::Request;
using bridge::Status;

// Writes the answer into the client's file: a plain file it made in the bridge folder, never a
// link, a pipe (which would hold the program up) or a new file.
Status write_answer(const std::string& file_name, const QByteArray& bytes) {
    const std::filesystem::path folder = bridge::bridge_folder();
    if (folder.empty()) return Status::WriteFailed;
    const std::filesystem::path path = folder / file_name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Status::BadRequest;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return Status::BadRequest;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (step < 0 && errno == EINTR) continue;
        if (step <= 0) break;
        written += step;
    }
    const bool closed = ::close(fd) == 0;
    return written == bytes.size() && closed ? Status::Ok : Status::WriteFailed;
}

Status screencap(const Request& request) {
    const QImage screen = capture_device_screen();
    if (screen.isNull()) return Status::NoWindow;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!screen.save(&buffer, "PNG")) return Status::WriteFailed;
    return write_answer(request.output_file, png);
}

Status dump_ui(const Request& request) {
    const std::vector<UiLine> lines = describe_device_screen();
    if (lines.empty()) return Status::NoWindow;
    std::string text;
    for (const UiLine& line : lines) text += format_ui_line(line) + '\n';
    return write_answer(request.output_file, QByteArray::fromStdString(text));
}

class DebugBridge final : public QObject {
public:
    explicit DebugBridge(QObject* parent) : QObject(parent), m_device(device_runtime_dir()) {
        m_pump = QtMessagePump::create(bridge::kBridgeWindowClass, u"", this, WindowOptions { .visible = false });
    }

    WindowHandle handle() const { return m_pump ? m_pump->window().handle() : 0; }
    // The device it answers for: a process that moves to another device root (a test binary)
    // needs a bridge there.
    const std::filesystem::path& device() const { return m_device; }

protected:
    bool event(QEvent* event) override {
        if (event->type() != WindowMessageEvent::event_type()) return QObject::event(event);
        auto* message = static_cast<WindowMessageEvent*>(event);
        const Message& m = message->message();
        if (m.number == WM_COPYDATA && m.copy_data.data_word == bridge::kRequestDataWord) {
            message->set_answer(static_cast<std::uint32_t>(handle_request(m.copy_data.bytes, m.wparam)));
        } else if (m.number == WM_CLOSE) {
            // The bridge goes with its program, not when someone closes every window.
            message->set_answer(0);
        }
        return true;
    }

private:
    Status handle_request(std::span<const std::uint8_t> bytes, WindowHandle sender) {
        const std::optional<Request> request = bridge::decode_request(bytes);
        if (!request) return Status::BadRequest;
        switch (request->verb) {
        case bridge::Verb::Screencap: return screencap(*request);
        case bridge::Verb::Ui: return dump_ui(*request);
        default: break;
        }
        InputPlan plan = plan_input(*request, m_pen);
        if (plan.status != Status::Accepted) return plan.status;
        const std::uint32_t id = request->id;
        m_player.play(std::move(plan.steps), [sender, id](Status status) {
            if (sender != 0) post_message(sender, bridge::kInputDoneMessage, id, static_cast<std::uint32_t>(status));
        });
        return Status::Accepted;
    }

    std::filesystem::path m_device;
    std::unique_ptr<QtMessagePump> m_pump;
    InputPlayer m_player;
    SyntheticPen m_pen;
};

QPointer<DebugBridge>& installed_bridge() {
    static QPointer<DebugBridge> bridge;
    return bridge;
}

}  // namespace

bool install_debug_bridge() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    QPointer<DebugBridge>& bridge = installed_bridge();
    if (bridge && bridge->parent() == app && bridge->device() == device_runtime_dir()) return bridge->handle() != 0;
    delete bridge.data();
    install_window_stack();
    bridge = new DebugBridge(app);
    return bridge->handle() != 0;
}

WindowHandle debug_bridge_window() {
    const QPointer<DebugBridge>& bridge = installed_bridge();
    return bridge ? bridge->handle() : 0;
}

}  // namespace zt::platform::gui
