#pragma once
// The minutes-only time picker of the alarm editor (snooze length) and the sound panel
// (playing time): "mm min", with the word "min" through the text table. Its value is a
// length in seconds.
#include <cstdint>

class QTimeEdit;
class QWidget;

namespace zt::app {

QTimeEdit* make_minutes_picker(QWidget* parent, int32_t control_id);
// Lengths past a day show as the longest the picker holds.
void set_picker_seconds(QTimeEdit& picker, uint32_t seconds);
uint32_t picker_seconds(const QTimeEdit& picker);

}  // namespace zt::app
