#include "platform/gui/input_steps.h"

#include <QString>

#include <algorithm>

#include "platform/gui/hardware_keys.h"
#include "platform/gui/synthetic_input.h"
#include "platform/gui/tap_and_hold.h"
#include "platform/gui/window_stack.h"

namespace zt::platform::gui {
namespace {

using bridge::Status;
using Step = InputPlayer::Step;

QPoint host_point(Point device) { return from_device_screen(QPoint(device.x, device.y)); }

Step pen_down(SyntheticPen& pen, QPoint at) {
    return Step { 0, [&pen, at] { return pen.press(at) ? Status::Ok : Status::NoWindowAtPoint; }, true };
}

Step pen_up(SyntheticPen& pen, QPoint at, int delay_ms) {
    return Step { delay_ms, [&pen, at] {
                     pen.release(at);
                     return Status::Ok;
                 },
                  true };
}

Step key(bool press, int qt_key, QString text, bool settle) {
    auto deliver = [press, qt_key, text] { return deliver_key(press, qt_key, text) ? Status::Ok : Status::NoWindow; };
    return Step { 0, std::move(deliver), settle };
}

// The key a character arrives with: its own for Latin-1 (Qt's key codes are the upper-case
// characters there), else none but the text.
int key_of_character(char32_t character) {
    if (character == U'\n' || character == U'\r') return Qt::Key_Return;
    if (character == U'\t') return Qt::Key_Tab;
    if (character >= 0x20 && character <= 0xFF && character != 0x7F)
        return QChar(static_cast<char16_t>(character)).toUpper().unicode();
    return Qt::Key_unknown;
}

void type_text(std::u16string_view text, std::vector<Step>& steps) {
    const QString all = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    for (qsizetype at = 0; at < all.size();) {
        const bool pair = all[at].isHighSurrogate() && at + 1 < all.size() && all[at + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        QString character = all.mid(at, length);
        const char32_t code = pair ? QChar::surrogateToUcs4(all[at], all[at + 1]) : all[at].unicode();
        if (code == U'\n') character = QStringLiteral("\r");
        at += length;
        const int qt_key = key_of_character(code);
        steps.push_back(key(true, qt_key, character, false));
        steps.push_back(key(false, qt_key, character, at >= all.size()));
    }
}

}  // namespace

InputPlan plan_input(const bridge::Request& request, SyntheticPen& pen) {
    InputPlan plan;
    if (windows_front_to_back().empty()) {
        plan.status = Status::NoWindow;
        return plan;
    }
    std::vector<Step>& steps = plan.steps;
    switch (request.verb) {
    case bridge::Verb::Key: {
        const auto qt_key = qt_key_of_device_code(request.key_code);
        if (!qt_key) {
            plan.status = Status::UnknownKey;
            break;
        }
        steps.push_back(key(true, *qt_key, {}, true));
        steps.push_back(key(false, *qt_key, {}, true));
        break;
    }
    case bridge::Verb::Tap:
    case bridge::Verb::Hold: {
        const QPoint at = host_point(request.from);
        steps.push_back(pen_down(pen, at));
        steps.push_back(pen_up(pen, at, request.verb == bridge::Verb::Hold ? TapAndHold::kHoldMs + kHoldMarginMs : 0));
        break;
    }
    case bridge::Verb::Drag: {
        const QPoint from = host_point(request.from);
        const QPoint to = host_point(request.to);
        const int duration = static_cast<int>(request.duration_ms);
        const int moves = std::max(1, duration / kDragMoveEveryMs);
        steps.push_back(pen_down(pen, from));
        for (int move = 1; move <= moves; ++move) {
            const QPoint at = from + (to - from) * move / moves;
            const int delay = duration * move / moves - duration * (move - 1) / moves;
            steps.push_back(Step { delay, [&pen, at] {
                                      pen.move(at);
                                      return Status::Ok;
                                  },
                                   move == moves });
        }
        steps.push_back(pen_up(pen, to, 0));
        break;
    }
    case bridge::Verb::Text: type_text(request.text, steps); break;
    case bridge::Verb::Screencap:
    case bridge::Verb::Ui: plan.status = Status::BadRequest; break;
    }
    if (plan.status != Status::Accepted) steps.clear();
    return plan;
}

}  // namespace zt::platform::gui
