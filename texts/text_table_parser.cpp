#include "texts/text_table_parser.h"

namespace zt::app {
namespace {

bool is_line_end(char16_t c) { return c == u'\r' || c == u'\n'; }

class Cursor {
public:
    explicit Cursor(std::u16string_view text) : m_text(text.substr(0, text.find(u'\0'))) {}
    bool done() const { return m_at >= m_text.size(); }
    char16_t peek() const { return m_text[m_at]; }
    void skip() { ++m_at; }

    // Reads a field and tells whether it ended at a bar (which is consumed).
    std::u16string field(bool& ended_at_bar) {
        std::u16string out;
        ended_at_bar = false;
        while (!done()) {
            char16_t c = m_text[m_at];
            if (c == u'|') {
                ++m_at;
                ended_at_bar = true;
                return out;
            }
            if (is_line_end(c)) return out;
            ++m_at;
            if (c == u'\\') {
                if (done()) break;  // a backslash at the very end escapes nothing
                char16_t escaped = m_text[m_at++];
                out.push_back(escaped == u'n' ? u'\n' : escaped == u'r' ? u'\r' : escaped);
                continue;
            }
            out.push_back(c);
        }
        return out;
    }

    void skip_rest_of_line() {
        while (!done() && !is_line_end(peek())) skip();
        while (!done() && is_line_end(peek())) skip();
    }

private:
    std::u16string_view m_text;
    size_t m_at { 0 };
};

}  // namespace

void parse_text_table(std::u16string_view text, const TextPairSink& sink) {
    Cursor cursor(text);
    while (!cursor.done()) {
        bool key_ended_at_bar = false;
        std::u16string key = cursor.field(key_ended_at_bar);
        if (!key_ended_at_bar) {
            cursor.skip_rest_of_line();
            continue;
        }
        bool value_ended_at_bar = false;
        std::u16string value = cursor.field(value_ended_at_bar);
        cursor.skip_rest_of_line();
        if (!key.empty() && !value.empty()) sink(std::move(key), std::move(value));
    }
}

}  // namespace zt::app
