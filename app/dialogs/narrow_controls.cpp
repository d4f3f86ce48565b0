#include "app/dialogs/narrow_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace zt::app {

QComboBox* new_narrow_combo_box(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(6);
    return list;
}

void fit_button(QPushButton& button) {
    // The style's narrowest push button is wider than a third of a 240-pixel screen: a set
    // minimum lets the row share out the width there is instead.
    button.setMinimumWidth(1);
    button.setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void wrap_label(QLabel& label) { label.setWordWrap(true); }

}  // namespace zt::app
