// screencap, input and ui: the debug bridge's verbs.
#include <charconv>
#include <cstdio>
#include <fstream>

#include "platform/base/text.h"
#include "platform/hosts/zt_device/bridge_client.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/time_text.h"

namespace zt::platform::device {
namespace {

using gui::bridge::Request;
using gui::bridge::Status;
using gui::bridge::Verb;
using Kind = BridgeOutcome::Kind;

std::optional<std::int32_t> parse_coordinate(const std::string& text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) return std::nullopt;
    return value;
}

// The exit code for an outcome that is not plain success, with its message on stderr.
int report(const BridgeOutcome& outcome) {
    if (outcome.kind != Kind::Answered) {
        std::fprintf(stderr, "zt-device: %s\n", outcome.error.c_str());
        return outcome.kind == Kind::NoProgram || outcome.kind == Kind::ProgramGone ? kExitNotFound : kExitFailure;
    }
    if (outcome.status == Status::Ok || outcome.status == Status::Accepted) return kExitOk;
    std::fprintf(stderr, "zt-device: %s\n", gui::bridge::status_text(outcome.status));
    switch (outcome.status) {
    case Status::NoWindow:
    case Status::NoWindowAtPoint: return kExitNotFound;
    default: return kExitFailure;
    }
}

std::optional<Request> parse_pen(Verb verb, Words words) {
    Request request;
    request.verb = verb;
    const std::size_t points = verb == Verb::Drag ? 2 : 1;
    if (words.size() < 2 * points) return std::nullopt;
    Point* targets[] = { &request.from, &request.to };
    for (std::size_t i = 0; i < points; ++i) {
        const auto x = parse_coordinate(words[2 * i]);
        const auto y = parse_coordinate(words[2 * i + 1]);
        if (!x || !y) return std::nullopt;
        *targets[i] = { *x, *y };
    }
    Words rest = words.subspan(2 * points);
    request.duration_ms = verb == Verb::Drag ? gui::bridge::kDefaultDragMs : 0;
    if (verb == Verb::Drag && rest.size() == 2 && rest[0] == "--ms") {
        auto ms = parse_word(rest[1]);
        if (!ms || *ms > gui::bridge::kMaxDragMs) return std::nullopt;
        request.duration_ms = *ms;
        rest = rest.subspan(2);
    }
    if (!rest.empty()) return std::nullopt;
    return request;
}

}  // namespace

// screencap FILE
int screencap_command(Words words) {
    if (words.size() != 1 || words[0].empty()) return usage_error("screencap FILE");
    Request request;
    request.verb = Verb::Screencap;
    const BridgeOutcome outcome = ask_bridge(request);
    if (outcome.kind != Kind::Answered || outcome.status != Status::Ok) return report(outcome);
    std::ofstream out(words[0], std::ios::binary | std::ios::trunc);
    out.write(outcome.output.data(), static_cast<std::streamsize>(outcome.output.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "zt-device: cannot write %s\n", words[0].c_str());
        return kExitFailure;
    }
    return kExitOk;
}

// ui
int ui_command(Words words) {
    if (!words.empty()) return usage_error("ui takes no arguments");
    Request request;
    request.verb = Verb::Ui;
    const BridgeOutcome outcome = ask_bridge(request);
    if (outcome.kind != Kind::Answered || outcome.status != Status::Ok) return report(outcome);
    std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
    return kExitOk;
}

// input key NAME|CODE | tap X Y | hold X Y | drag X1 Y1 X2 Y2 [--ms N] | text TEXT
int input_command(Words words) {
    constexpr const char* kUsage = "input (key NAME|CODE | tap X Y | hold X Y | drag X1 Y1 X2 Y2 [--ms N] | text TEXT)";
    if (words.empty()) return usage_error(kUsage);
    const std::string& kind = words[0];
    const Words rest = words.subspan(1);
    std::optional<Request> request;
    if (kind == "key" && rest.size() == 1) {
        auto code = gui::bridge::key_code_of_name(rest[0]);
        if (!code) code = parse_word(rest[0]);
        if (!code)
            return usage_error("no key named " + rest[0] + " (left up right down action button1..button4, or a key code)");
        request = Request { .verb = Verb::Key, .key_code = *code };
    } else if (kind == "tap" || kind == "hold" || kind == "drag") {
        request = parse_pen(kind == "tap" ? Verb::Tap : kind == "hold" ? Verb::Hold : Verb::Drag, rest);
    } else if (kind == "text" && rest.size() == 1) {
        std::u16string text = utf8_to_utf16(rest[0]);
        if (text.size() > gui::bridge::kMaxTextUnits) return usage_error("the text is longer than 4096 UTF-16 units");
        request = Request { .verb = Verb::Text, .text = std::move(text) };
    }
    if (!request) return usage_error(kUsage);
    const auto limit = kBridgeInputLimit + std::chrono::milliseconds(request->duration_ms);
    return report(play_on_bridge(std::move(*request), limit));
}

}  // namespace zt::platform::device
