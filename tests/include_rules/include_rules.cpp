#include "tests/include_rules/include_rules.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace zt::include_rules {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> words_of(std::string_view line) {
    std::istringstream in { std::string(line) };
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool is_folder_name(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Reads one line into `rules`; false when it is none of the known forms.
bool read_line(const std::vector<std::string>& words, Rules& rules) {
    const std::string& kind = words[0];
    if (kind == "device" || kind == "open") {
        if (words.size() != 2 || !is_folder_name(words[1])) return false;
        (kind == "device" ? rules.device : rules.open).insert(words[1]);
        return true;
    }
    if (kind == "product") {
        if (words.size() < 2 || !words[1].ends_with(':')) return false;
        const std::string folder = words[1].substr(0, words[1].size() - 1);
        if (!is_folder_name(folder) || rules.product.contains(folder)) return false;
        std::set<std::string> allowed;
        for (size_t i = 2; i < words.size(); ++i) {
            // Lower layers first: a folder may only name folders already listed.
            if (!rules.product.contains(words[i])) return false;
            allowed.insert(words[i]);
        }
        rules.product.emplace(folder, std::move(allowed));
        return true;
    }
    if (kind == "system") {
        if (words.size() != 2) return false;
        rules.system.push_back(words[1]);
        return true;
    }
    if (kind == "allow") {
        if (words.size() != 3) return false;
        rules.exceptions.emplace(words[1], words[2]);
        return true;
    }
    return false;
}

enum class Layer { None, Device, Product, Open };

Layer layer_of(const Rules& rules, const std::string& folder) {
    if (rules.device.contains(folder)) return Layer::Device;
    if (rules.product.contains(folder)) return Layer::Product;
    if (rules.open.contains(folder)) return Layer::Open;
    return Layer::None;
}

bool is_source(const fs::path& path) {
    static const std::set<std::string> extensions = { ".h", ".hpp", ".c", ".cc", ".cpp", ".inc" };
    return extensions.contains(path.extension().string());
}

bool is_test_source(const std::string& relative) {
    return relative.ends_with("_test.cpp") || relative.find("/testing/") != std::string::npos;
}

bool is_system_header(const Rules& rules, const std::string& header) {
    return std::any_of(rules.system.begin(), rules.system.end(), [&](const std::string& entry) {
        return entry.ends_with('/') ? header.starts_with(entry) : header == entry;
    });
}

class TreeCheck {
public:
    explicit TreeCheck(const Rules& rules) : m_rules(rules) {}

    void check_file(const fs::path& path, const std::string& relative) {
        const std::string own_folder = relative.substr(0, relative.find('/'));
        const Layer own_layer = layer_of(m_rules, own_folder);
        std::ifstream in(path);
        static const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, include_line)) continue;
            const std::string header = match[2];
            if (match[1] == "<") {
                check_system(relative, number, own_layer, header);
            } else {
                check_folder(relative, number, own_folder, own_layer, header);
            }
        }
    }

    std::vector<Violation> finish() {
        for (const auto& [file, header] : m_rules.exceptions) {
            if (!m_used_exceptions.contains({ file, header }))
                m_violations.push_back({ file, 0, "allows <" + header + "> but does not include it" });
        }
        return std::move(m_violations);
    }

private:
    void check_system(const std::string& relative, int number, Layer own_layer, const std::string& header) {
        if (own_layer != Layer::Product || is_test_source(relative) || !is_system_header(m_rules, header)) return;
        if (m_rules.exceptions.contains({ relative, header })) {
            m_used_exceptions.insert({ relative, header });
            return;
        }
        m_violations.push_back({ relative, number, "includes <" + header + ">: the device layer offers what it gives" });
    }

    void check_folder(const std::string& relative, int number, const std::string& own_folder, Layer own_layer,
                      const std::string& header) {
        const auto slash = header.find('/');
        if (slash == std::string::npos) return;  // beside the file
        const std::string folder = header.substr(0, slash);
        const Layer layer = layer_of(m_rules, folder);
        if (folder == own_folder || layer == Layer::None || own_layer == Layer::Open) return;
        if (own_layer == Layer::Device) {
            if (layer != Layer::Device)
                m_violations.push_back({ relative, number, "includes \"" + header + "\": the device layer knows no product" });
            return;
        }
        if (layer == Layer::Device || m_rules.product.at(own_folder).contains(folder)) return;
        m_violations.push_back(
            { relative, number, "includes \"" + header + "\": " + own_folder + "/ may not include " + folder + "/" });
    }

    const Rules& m_rules;
    std::vector<Violation> m_violations;
    std::set<std::pair<std::string, std::string>> m_used_exceptions;
};

}  // namespace

ParsedRules parse_rules(std::string_view text) {
    Rules rules;
    std::istringstream in { std::string(text) };
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const std::vector<std::string> words = words_of(line);
        if (words.empty()) continue;
        if (!read_line(words, rules)) return { std::nullopt, "line " + std::to_string(number) + ": " + line };
    }
    return { std::move(rules), {} };
}

std::vector<Violation> check_tree(const fs::path& root, const Rules& rules) {
    TreeCheck check(rules);
    std::vector<std::string> folders(rules.device.begin(), rules.device.end());
    for (const auto& [folder, allowed] : rules.product) folders.push_back(folder);
    folders.insert(folders.end(), rules.open.begin(), rules.open.end());
    for (const std::string& folder : folders) {
        std::error_code error;
        if (!fs::is_directory(root / folder, error)) continue;
        std::vector<fs::path> files;
        for (fs::recursive_directory_iterator it(root / folder, error), end; !error && it != end; it.increment(error)) {
            if (it->is_regular_file(error) && !it->is_symlink(error) && is_source(it->path())) files.push_back(it->path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) check.check_file(file, file.lexically_relative(root).generic_string());
    }
    return check.finish();
}

std::string describe(const Violation& violation) {
    return violation.file + (violation.line > 0 ? ":" + std::to_string(violation.line) : std::string()) + ": " +
           violation.detail;
}

}  // namespace zt::include_rules
