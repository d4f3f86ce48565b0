#pragma once
// Message boxes of the device: a text, a caption, an icon and a set of buttons, answered by
// the button the user chose.
//
// Where the box goes:
//  - When the environment variable ZT_MESSAGE_LOG names a file, one line "caption<TAB>text"
//    is appended to it (line breaks in either become spaces) and the default button answers
//    at once. Tests and unattended runs rely on this; nothing is shown.
//  - Otherwise the presenter installed by a GUI program (see set_message_box_presenter; the
//    Qt one lives in zt_platform_msgbox_qt) shows it and waits for the user.
//  - With neither, or when the presenter cannot show anything (no display), the same line is
//    written to stderr and the default button answers. A program never blocks on a box no
//    one can see.
#include <functional>
#include <optional>
#include <string>

namespace zt::platform::msgbox {

enum class Icon { None, Information, Question, Warning, Error };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct MessageBox {
    std::u16string text;
    std::u16string caption;
    Icon icon { Icon::None };
    Buttons buttons { Buttons::Ok };
    // Must be one of the buttons; otherwise (or when unset) the first button is the default.
    std::optional<Answer> default_answer;
};

// The default button of a box, as described above.
Answer default_answer_of(const MessageBox& box);

// The one line a box becomes in the log: caption, TAB, text, without line breaks.
std::string log_line(const MessageBox& box);

Answer show_message_box(const MessageBox& box);

// A presenter shows the box and returns the answer, or nullopt when it cannot show anything
// here (no display, wrong thread); the box then falls back as described above. Installing an
// empty function removes it. Not thread-safe against concurrent show_message_box calls:
// install it once at program start.
using Presenter = std::function<std::optional<Answer>(const MessageBox&)>;
void set_message_box_presenter(Presenter presenter);

}  // namespace zt::platform::msgbox
