#pragma once
// Controls that fit a 240-pixel screen: the style's own size hints (a drop-down list as wide as
// its longest item, push buttons of a fixed least width) make pages wider than the device.
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace zt::app {

// A drop-down list whose width does not follow its longest item.
QComboBox* new_narrow_combo_box(QWidget* parent);
// A push button as narrow as its text allows.
void fit_button(QPushButton& button);
// A caption that breaks into lines rather than widen its page.
void wrap_label(QLabel& label);

}  // namespace zt::app
