#include "app/model/start_mode.h"

#include <limits>
#include <optional>
#include "contracts/main_program.h"

namespace zt::app {

namespace {

// What "%u" takes here: whitespace before the number (at least one blank after the keyword,
// as the words of a command line are separated), then plain decimal digits that fit 32 bits.
// A sign, a hexadecimal form, an overflowing number or anything left after the last number
// other than blanks makes the line malformed: a line that only looks like a mode must not
// act on a number nobody meant.
class NumberReader {
public:
    explicit NumberReader(std::u16string_view rest) : m_rest(rest) {}

    std::optional<uint32_t> next() {
        if (!skip_blanks()) return std::nullopt;
        uint64_t value = 0;
        size_t digits = 0;
        while (digits < m_rest.size() && is_digit(m_rest[digits])) {
            value = value * 10 + static_cast<uint64_t>(m_rest[digits] - u'0');
            if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        m_rest.remove_prefix(digits);
        return static_cast<uint32_t>(value);
    }

    // Only blanks are left.
    bool at_end() {
        skip_blanks();
        return m_rest.empty();
    }

private:
    static bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
    static bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

    // True when at least one blank was skipped.
    bool skip_blanks() {
        size_t blanks = 0;
        while (blanks < m_rest.size() && is_blank(m_rest[blanks])) ++blanks;
        m_rest.remove_prefix(blanks);
        return blanks > 0;
    }

    std::u16string_view m_rest;
};

// The keyword followed by exactly `count` numbers; nullopt when the line is not of that form.
std::optional<std::array<uint32_t, 4>> numbers_after(std::u16string_view line, std::u16string_view keyword,
                                                      size_t count) {
    if (!line.starts_with(keyword)) return std::nullopt;
    NumberReader reader(line.substr(keyword.size()));
    std::array<uint32_t, 4> numbers {};
    for (size_t i = 0; i < count; ++i) {
        auto number = reader.next();
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    if (!reader.at_end()) return std::nullopt;
    return numbers;
}

CommandLine with_mode(StartMode mode, std::array<uint32_t, 4> numbers = {}) { return CommandLine { mode, numbers }; }

}  // namespace

CommandLine parse_command_line(std::u16string_view line, const IsWindow& is_window) {
    if (line == contracts::kWorldClockCommand) return with_mode(StartMode::WorldClock);
    if (line == contracts::kScreenSaverCommand) return with_mode(StartMode::ScreenSaver);
    if (auto numbers = numbers_after(line, contracts::kChooseCityCommand, 4)) {
        if (is_window && is_window((*numbers)[0])) return with_mode(StartMode::ChooseCity, *numbers);
    }
    if (auto numbers = numbers_after(line, contracts::kOptionsCommand, 1)) return with_mode(StartMode::Options, *numbers);
    if (line == contracts::kNewAlarmCommand) return with_mode(StartMode::NewAlarm);
    if (line == contracts::kNewOneTimeAlarmCommand) return with_mode(StartMode::NewOneTimeAlarm);
    if (auto numbers = numbers_after(line, contracts::kEditAlarmCommand, 1)) return with_mode(StartMode::EditAlarm, *numbers);
    return {};
}

}  // namespace zt::app
