#include "app/frame/screen_input.h"

#include "texts/text_table.h"

namespace zt::app {

QString translated(std::u16string_view english) {
    const std::u16string text = CTextTable::instance().translate(english);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zt::app
