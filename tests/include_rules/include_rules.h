#pragma once
// The include rules of the repository (include_rules.txt at its root) and their check over a
// source tree: which folder may include which, and which system headers product sources leave
// to the device layer.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zt::include_rules {

struct Rules {
    std::set<std::string> device;                              // folders of the device layer
    std::map<std::string, std::set<std::string>> product;      // folder -> product folders it may include
    std::set<std::string> open;                                // folders that may include anything
    std::vector<std::string> system;                           // "unistd.h", or "sys/" for a folder
    std::set<std::pair<std::string, std::string>> exceptions;  // (file, system header)
};

struct ParsedRules {
    std::optional<Rules> rules;
    std::string error;  // the first line that could not be read, when rules is empty
};
ParsedRules parse_rules(std::string_view text);

struct Violation {
    std::string file;  // relative to the root, "/" separated
    int line { 0 };    // 0 for an exception no file needs
    std::string detail;
};

// Every file with a C or C++ extension under the folders the rules name. Links are not
// followed: a tree never checks files outside itself.
std::vector<Violation> check_tree(const std::filesystem::path& root, const Rules& rules);

std::string describe(const Violation& violation);

}  // namespace zt::include_rules
