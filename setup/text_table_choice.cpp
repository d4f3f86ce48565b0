#include "setup/text_table_choice.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "contracts/main_program.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/base/user_language.h"

namespace zt::setup {

void choose_text_table(std::u16string_view installation_folder) {
    const std::string language = platform::user_language();
    if (language.empty()) return;
    const std::u16string folder(installation_folder);
    const auto sample = platform::map_device_path(folder + u"\\" + kTextSamplesFolder + u"\\" +
                                                  platform::to_u16(language) + u"\\" + contracts::kTextTableFile);
    const auto table = platform::map_device_path(folder + u"\\" + contracts::kTextTableFile);
    std::error_code error;
    if (!sample || !table || !std::filesystem::is_regular_file(*sample, error)) return;
    // skip_existing: the check and the copy are one step, so a table the user put there in
    // the meantime is not replaced either.
    std::filesystem::copy_file(*sample, *table, std::filesystem::copy_options::skip_existing, error);
}

}  // namespace zt::setup
