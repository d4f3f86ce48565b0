#pragma once
// Dialog fonts are asked for by cell height (ascent plus descent): the size given is the
// largest whose cell fits. Tests check that on the font's metrics, whatever face is installed.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

namespace zt::platform::gui::testing {

inline ::testing::AssertionResult sized_by_cell(QFont font, int cell) {
    const int height = QFontMetrics(font).height();
    font.setPixelSize(font.pixelSize() + 1);
    const int next = QFontMetrics(font).height();
    if (height <= cell && next > cell) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cell " << height << " (next size up " << next << ") where " << cell
                                         << " is asked";
}

}  // namespace zt::platform::gui::testing
