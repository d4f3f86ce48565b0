#include "data/texts/interface_text_scan.h"

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace zt::data {
namespace {

namespace fs = std::filesystem;

constexpr std::array kFolders { "app", "ringout", "today", "world", "skins", "core", "platform/gui", "applet" };
constexpr std::array kTranslatingCalls { "translate(", "translated(", "item_text(", "word(", "t(" };
constexpr std::array kFileEndings { ".dat", ".exe", ".dll", ".txt", ".htm", ".wav", ".png", ".bmp", ".jpg", ".zip" };

bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_word_char(char c) { return is_lower(c) || is_upper(c) || (c >= '0' && c <= '9') || c == '_'; }

// The body of the literal opening at `quote`, escapes resolved; `end` is set past its closing quote.
std::optional<std::string> read_literal(std::string_view source, size_t quote, size_t& end) {
    std::string text;
    for (size_t at = quote + 1; at < source.size(); ++at) {
        const char c = source[at];
        if (c == '"') {
            end = at + 1;
            return text;
        }
        if (c == '\n') return std::nullopt;
        if (c == '\\' && at + 1 < source.size()) {
            const char next = source[++at];
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
        } else {
            text += c;
        }
    }
    return std::nullopt;
}

// Where a literal starts at `at` (u" or QStringLiteral("), the position of its quote.
std::optional<size_t> literal_quote(std::string_view source, size_t at) {
    if (source.substr(at, 2) == "u\"" && (at == 0 || !is_word_char(source[at - 1]))) return at + 1;
    constexpr std::string_view kQtLiteral = "QStringLiteral(\"";
    if (source.substr(at, kQtLiteral.size()) == kQtLiteral) return at + kQtLiteral.size() - 1;
    return std::nullopt;
}

bool handed_to_translation(std::string_view source, size_t literal_start) {
    for (std::string_view call : kTranslatingCalls) {
        if (literal_start < call.size() || source.substr(literal_start - call.size(), call.size()) != call) continue;
        const size_t before = literal_start - call.size();
        if (before == 0 || !is_word_char(source[before - 1]) || call != "t(") return true;
    }
    return false;
}

bool reads_like_wording(const std::string& text) {
    if (text.empty() || !(is_upper(text[0]) || text[0] == '&')) return false;
    bool lower = false, space = false, inner_capital = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == '_') return false;
        lower = lower || is_lower(c);
        space = space || c == ' ';
        inner_capital = inner_capital || (i > 0 && is_upper(c) && is_lower(text[i - 1]));
    }
    if (!lower || (!space && inner_capital)) return false;
    for (std::string_view ending : kFileEndings)
        if (text.find(ending) != std::string::npos) return false;
    return true;
}

// `path` is relative to the source root, so that the folders above it do not count.
bool is_scanned_source(const fs::path& path) {
    const std::string name = path.filename().string();
    const std::string folder = path.parent_path().string();
    if (name.find("_test") != std::string::npos) return false;
    for (std::string_view skipped : { "testing", "fuzz", "generator" })
        if (folder.find(skipped) != std::string::npos) return false;
    return path.extension() == ".cpp" || path.extension() == ".h";
}

}  // namespace

std::set<std::string> scan_interface_texts(std::string_view source) {
    std::set<std::string> texts;
    for (size_t at = 0; at < source.size(); ++at) {
        const std::optional<size_t> quote = literal_quote(source, at);
        if (!quote) continue;
        size_t end = *quote;
        std::optional<std::string> text = read_literal(source, *quote, end);
        if (!text) continue;
        // Adjacent pieces are one literal to the compiler.
        for (;;) {
            size_t next = end;
            while (next < source.size() && (source[next] == ' ' || source[next] == '\n')) ++next;
            if (next < source.size() && source[next] == 'u') ++next;
            if (next >= source.size() || source[next] != '"') break;
            std::optional<std::string> piece = read_literal(source, next, end);
            if (!piece) break;
            *text += *piece;
        }
        if (handed_to_translation(source, at) || reads_like_wording(*text)) texts.insert(*text);
        at = end - 1;
    }
    return texts;
}

std::set<std::string> scan_interface_texts(const fs::path& source_root) {
    std::set<std::string> texts;
    for (std::string_view folder : kFolders) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(source_root / folder, error), last; !error && it != last; it.increment(error)) {
            if (!it->is_regular_file() || !is_scanned_source(it->path().lexically_relative(source_root))) continue;
            std::ifstream in(it->path(), std::ios::binary);
            const std::string source { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
            texts.merge(scan_interface_texts(std::string_view(source)));
        }
    }
    return texts;
}

}  // namespace zt::data
