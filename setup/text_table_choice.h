#pragma once
// The interface text table the installation starts with. The package brings one sample table
// per language ("texts\<language>\ZunTime.txt" in the installation folder); the one of the
// user's language becomes the program's table ("ZunTime.txt" beside the program). Without a
// sample for that language the program keeps its English texts.
#include <string_view>

namespace zt::setup {

inline constexpr char16_t kTextSamplesFolder[] = u"texts";

// A "ZunTime.txt" already in the folder is the user's own (or an earlier choice the user may
// have edited) and is never replaced.
void choose_text_table(std::u16string_view installation_folder);

}  // namespace zt::setup
