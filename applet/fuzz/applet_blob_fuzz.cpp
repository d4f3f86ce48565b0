// Whatever blob a host hands back: read as an instance's data, written out again at the size
// it reports, and measured; every prefix of it too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "applet/applet_data.h"
#include "applet/applet_layout.h"

namespace {

void check(std::span<const uint8_t> blob) {
    using namespace zt::applet;
    const AppletData data = read_applet_data(blob);
    const std::vector<uint8_t> written = write_applet_data(data);
    if (written.size() != applet_data_size(data) || read_applet_data(written) != data) std::abort();
    if (data != AppletData {} && written.size() > blob.size()) std::abort();
    LayoutInputs inputs { data.view, data.show_date(), data.city_chosen(), std::u16string(data.city_record().name_view()),
                          u"12:00", (data.flags & 2) != 0 };
    const TextWidths widths { [](std::u16string_view text) { return static_cast<int32_t>(text.size() * 6); },
                              [](std::u16string_view text) { return static_cast<int32_t>(text.size() * 10); } };
    const AppletLayout layout = applet_layout(inputs, AppletImages {}, widths);
    if (layout.width < 0 || layout.height < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> blob(data, size);
    for (size_t length = 0; length <= size && length <= 1024; ++length) check(blob.first(length));
    check(blob);
    return 0;
}
