#pragma once
// The screensaver's values of the Settings key and what the main dialog derives from them.
#include <cstdint>

namespace zt::app {

inline constexpr char16_t kScrModeValue[] = u"ScrMode";
inline constexpr char16_t kScrTimeoutValue[] = u"ScrTimeout";
inline constexpr char16_t kScrExtPowerValue[] = u"ScrExtPower";
inline constexpr char16_t kSecondsInSSValue[] = u"SecondsInSS";
inline constexpr char16_t kAlarmsInSSValue[] = u"AlarmsInSS";
inline constexpr char16_t kSlideShowEnabledValue[] = u"SlideShowEnabled";
inline constexpr char16_t kSlideShowDirValue[] = u"SlideShowDir";
inline constexpr char16_t kSlideShowScalingValue[] = u"SlideShowScaling";
inline constexpr char16_t kSlideShowEffectValue[] = u"SlideShowEffect";
inline constexpr char16_t kSlideShowOpacityValue[] = u"SlideShowOpacity";

// "ScrMode": 0 off, 1 analog clock, 2 digital clock, 3 world time.
inline constexpr uint32_t kScreensaverOff = 0;
inline constexpr uint32_t kScreensaverAnalog = 1;
inline constexpr uint32_t kScreensaverDigital = 2;
inline constexpr uint32_t kScreensaverWorldTime = 3;

// The clock opacity factor of a clock drawn without the slide show.
inline constexpr int32_t kClockOpaque = 256;
// How often the screen refreshes while the slide show runs, so that a transition moves smoothly.
inline constexpr uint32_t kSlideShowFramePeriodMs = 100;

// The clocks position the screensaver shows for a mode: 2 digital, 3 world time (position 0),
// anything else the analog clock (position 1).
uint32_t screensaver_position(uint32_t mode);

// The opacity (0..256) of the clock drawn over the pictures for a percentage: 0 and below
// hide it, 100 and above draw it opaque.
int32_t clock_opacity_factor(int32_t percent);

}  // namespace zt::app
