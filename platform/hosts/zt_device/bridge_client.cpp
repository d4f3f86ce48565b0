#include "platform/hosts/zt_device/bridge_client.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "platform/windows/message_loop.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::device {
namespace {

using gui::bridge::Request;
using gui::bridge::Status;
using Kind = BridgeOutcome::Kind;

constexpr char16_t kClientWindowClass[] = u"zt_bridge_client";

std::uint32_t next_request_id() {
    static std::atomic<std::uint32_t> counter { 0 };
    return (static_cast<std::uint32_t>(getpid()) << 8) ^ ++counter;
}

BridgeOutcome failure(Kind kind, std::string error) {
    BridgeOutcome outcome;
    outcome.kind = kind;
    outcome.error = std::move(error);
    return outcome;
}

// The file the program writes its answer into; removed when the exchange ends.
class AnswerFile {
public:
    AnswerFile() {
        m_folder = gui::bridge::bridge_folder();
        if (m_folder.empty()) return;
        for (int attempt = 0; attempt < 16 && m_name.empty(); ++attempt) {
            std::string name = "answer-" + std::to_string(getpid()) + "-" + std::to_string(next_request_id()) + "-" +
                               std::to_string(attempt);
            const std::filesystem::path path = m_folder / name;
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0) continue;
            ::close(fd);
            m_name = std::move(name);
        }
    }
    ~AnswerFile() {
        if (m_name.empty()) return;
        std::error_code ignored;
        std::filesystem::remove(m_folder / m_name, ignored);
    }
    AnswerFile(const AnswerFile&) = delete;
    AnswerFile& operator=(const AnswerFile&) = delete;

    const std::string& name() const { return m_name; }
    std::optional<std::string> read() const {
        std::ifstream in(m_folder / m_name, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_folder;
    std::string m_name;
};

std::optional<BridgeOutcome> send(const Request& request, WindowHandle sender, WindowHandle* bridge_out = nullptr) {
    const auto bridge = gui::bridge::find_foreground_bridge();
    if (!bridge) return failure(Kind::NoProgram, "no GUI program runs on the device");
    if (bridge_out) *bridge_out = bridge->handle;
    const std::vector<std::uint8_t> bytes = gui::bridge::encode_request(request);
    const SendResult sent = send_copy_data(bridge->handle, sender, gui::bridge::kRequestDataWord, bytes, kBridgeAnswerLimit);
    switch (sent.status) {
    case DeliveryStatus::Delivered: break;
    case DeliveryStatus::NoSuchWindow: return failure(Kind::ProgramGone, "the program went away before it answered");
    case DeliveryStatus::TimedOut:
        return failure(Kind::TimedOut, "the program did not answer within " + std::to_string(kBridgeAnswerLimit.count()) + " s");
    default: return failure(Kind::Failed, std::string("cannot reach the program: ") + delivery_status_name(sent.status));
    }
    BridgeOutcome outcome;
    outcome.kind = Kind::Answered;
    outcome.status = static_cast<Status>(sent.answer);
    return outcome;
}

}  // namespace

BridgeOutcome ask_bridge(Request request) {
    AnswerFile file;
    if (file.name().empty()) return failure(Kind::Failed, "cannot make a file for the answer in the device's runtime folder");
    request.output_file = file.name();
    request.id = next_request_id();
    BridgeOutcome outcome = *send(request, 0);
    if (outcome.kind != Kind::Answered || outcome.status != Status::Ok) return outcome;
    auto written = file.read();
    if (!written) return failure(Kind::Failed, "cannot read the program's answer");
    outcome.output = std::move(*written);
    return outcome;
}

BridgeOutcome play_on_bridge(Request request, std::chrono::milliseconds limit) {
    // The program reports the end of the input to this window.
    auto window = Window::create(kClientWindowClass, u"", {}, WindowOptions { .visible = false });
    if (!window) return failure(Kind::Failed, "cannot make a device window to hear the program's answer");
    request.id = next_request_id();
    WindowHandle bridge = 0;
    BridgeOutcome outcome = *send(request, window->handle(), &bridge);
    if (outcome.kind != Kind::Answered || outcome.status != Status::Accepted) return outcome;

    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        // Checked now and then, so that a program that dies meanwhile is noticed.
        Message message;
        const GetResult got = get_message(*window, message, std::min(left, std::chrono::milliseconds(250)));
        if (got == GetResult::Message && message.number == gui::bridge::kInputDoneMessage && message.wparam == request.id) {
            outcome.status = static_cast<Status>(message.lparam);
            return outcome;
        }
        if (got == GetResult::WindowGone) return failure(Kind::Failed, "the device window for the answer went away");
        if (got == GetResult::TimedOut && !is_window(bridge))
            return failure(Kind::ProgramGone, "the program went away before it had handled the input");
    }
    return failure(Kind::TimedOut, "the program did not finish handling the input within " +
                                       std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit).count()) + " s");
}

}  // namespace zt::platform::device
