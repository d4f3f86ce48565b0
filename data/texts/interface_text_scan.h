#pragma once
// Finds the English texts the programs show, so that the shipped text tables can be checked
// against the code. A text is a wide literal (u"..." or QStringLiteral("..."), adjacent pieces
// joined) that is handed straight to a translating call, or that reads like interface wording:
// it starts with a capital letter or "&", holds a lower-case letter, and is neither a path, a
// file name nor an identifier. The scan over-reports on purpose (registry names, font names);
// what it finds that is not a key is listed beside the keys.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace zt::data {

// The texts of one source file, as the program holds them at run time (escapes resolved), UTF-8.
std::set<std::string> scan_interface_texts(std::string_view source);
// Every non-test source file under the folders of the programs with a face.
std::set<std::string> scan_interface_texts(const std::filesystem::path& source_root);

}  // namespace zt::data
