#include "platform/msgbox/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>

#include "platform/base/text.h"

namespace zt::platform::msgbox {
namespace {

bool offers(Buttons buttons, Answer answer) {
    switch (buttons) {
    case Buttons::Ok: return answer == Answer::Ok;
    case Buttons::OkCancel: return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo: return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel: return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    case Buttons::RetryCancel: return answer == Answer::Retry || answer == Answer::Cancel;
    }
    return false;
}

Answer first_button(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    }
    return Answer::Ok;
}

std::string single_line(std::u16string_view text) {
    std::string line = utf16_to_utf8(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    }
    return line;
}

std::mutex& presenter_mutex() {
    static std::mutex mutex;
    return mutex;
}

Presenter& installed_presenter() {
    static Presenter presenter;
    return presenter;
}

// Appends under O_APPEND semantics so boxes of several processes never interleave inside a line.
bool append_to_log(const char* path, const std::string& line) {
    std::FILE* file = std::fopen(path, "a");
    if (!file) return false;
    const std::string with_newline = line + "\n";
    const bool written = std::fwrite(with_newline.data(), 1, with_newline.size(), file) == with_newline.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

Answer default_answer_of(const MessageBox& box) {
    if (box.default_answer && offers(box.buttons, *box.default_answer)) return *box.default_answer;
    return first_button(box.buttons);
}

std::string log_line(const MessageBox& box) {
    return single_line(box.caption) + "\t" + single_line(box.text);
}

Answer show_message_box(const MessageBox& box) {
    const char* log = std::getenv("ZT_MESSAGE_LOG");
    if (log && *log) {
        if (append_to_log(log, log_line(box))) return default_answer_of(box);
    } else {
        Presenter presenter;
        {
            std::lock_guard lock(presenter_mutex());
            presenter = installed_presenter();
        }
        if (presenter) {
            if (std::optional<Answer> answer = presenter(box)) {
                return offers(box.buttons, *answer) ? *answer : default_answer_of(box);
            }
        }
    }
    std::fprintf(stderr, "%s\n", log_line(box).c_str());
    return default_answer_of(box);
}

void set_message_box_presenter(Presenter presenter) {
    std::lock_guard lock(presenter_mutex());
    installed_presenter() = std::move(presenter);
}

}  // namespace zt::platform::msgbox
