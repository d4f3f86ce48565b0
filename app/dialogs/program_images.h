#pragma once
// The program's shared image list: the small icons of its lists and menus (an alarm, a one-time
// alarm, a timer, a city), from bitmap resource 194 with 32-pixel images on high-resolution
// screens, else resource 174 with 16-pixel images; magenta is transparent.
//
// The resources are drawn here rather than shipped as files: they are plain shapes, and drawing
// keeps both sizes alike.
#include <QImage>

#include <optional>

#include "platform/gui/image_list.h"

namespace zt::app {

inline constexpr int kSmallImagesResource = 174;  // 16 px
inline constexpr int kLargeImagesResource = 194;  // 32 px

enum class ProgramImage : int { Alarm = 0, OneTimeAlarm = 1, Timer = 2, City = 3 };
inline constexpr int kProgramImageCount = 4;

// The strip of a bitmap resource; a null image for an unknown resource.
QImage program_bitmap_resource(int resource_id);

// Makes the process's list for the screen (high_resolution: wider than 400 pixels). False, with
// no list, when it cannot be made.
bool create_shared_image_list(bool high_resolution);
// The list made at start-up; null before.
const zt::platform::gui::ImageList* shared_image_list();

}  // namespace zt::app
