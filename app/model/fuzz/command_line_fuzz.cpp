// What reaches the main program as a command line. The first byte picks the WM_COPYDATA data
// word and which numbers are live windows; the rest is the payload a second copy sends to the
// anchor window, and the same bytes as UTF-16LE are the program's own command line. A payload
// that decodes is re-encoded to the same line; a line that parses to a mode parses the same
// when written out in that mode's own form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/model/anchor_protocol.h"
#include "app/model/start_mode.h"
#include "contracts/main_program.h"

using namespace zt::app;

namespace {

std::u16string number_text(uint32_t value) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return text;
}

std::u16string written_out(const CommandLine& line) {
    auto with_numbers = [&](std::u16string keyword, size_t count) {
        for (size_t i = 0; i < count; ++i) keyword += u" " + number_text(line.numbers[i]);
        return keyword;
    };
    switch (line.mode) {
    case StartMode::Normal: return u"";
    case StartMode::ScreenSaver: return u"ScreenSaver";
    case StartMode::ChooseCity: return with_numbers(u"ChooseCity", 4);
    case StartMode::Options: return with_numbers(u"Options", 1);
    case StartMode::WorldClock: return u"WorldClock";
    case StartMode::NewAlarm: return u"NewAlarm";
    case StartMode::NewOneTimeAlarm: return u"New1TAlarm";
    case StartMode::EditAlarm: return with_numbers(u"EditAlarm", 1);
    }
    std::abort();  // a mode the parser made up
}

void parse_and_check(std::u16string_view text, const IsWindow& is_window) {
    CommandLine line = parse_command_line(text, is_window);
    if (line.mode == StartMode::Normal) return;
    CommandLine again = parse_command_line(written_out(line), is_window);
    if (again.mode != line.mode || again.numbers != line.numbers) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t control = data[0];
    const uint32_t data_word = (control & 1) ? zt::contracts::kCommandLineDataWord : control;
    IsWindow is_window;
    switch ((control >> 1) & 3) {
    case 0: break;  // no way to ask: no requester counts as a window
    case 1: is_window = [](uint32_t) { return true; }; break;
    case 2: is_window = [](uint32_t) { return false; }; break;
    default: is_window = [](uint32_t handle) { return handle % 2 == 0; }; break;
    }

    if (auto line = decode_command_line({ data_word, { data + 1, size - 1 } })) {
        if (line->find(u'\0') != std::u16string::npos) std::abort();
        const std::vector<uint8_t> encoded = encode_command_line(*line);
        auto back = decode_command_line({ zt::contracts::kCommandLineDataWord, encoded });
        if (!back || *back != *line) std::abort();
        parse_and_check(*line, is_window);
    }

    std::u16string own;
    for (size_t i = 1; i + 1 < size; i += 2) own.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    parse_and_check(own, is_window);
    return 0;
}
