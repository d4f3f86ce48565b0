#pragma once
// What a program that asked the main program to choose a city ("ChooseCity", the Today item
// or the dock applet) gets back: WM_COPYDATA with this data word and 300 bytes, the 128-byte
// city record followed by the 172-byte rules of its time zone.
#include <cstddef>
#include <cstdint>

namespace zt::contracts {

inline constexpr uint32_t kCityAnswerDataWord = 1130;
inline constexpr size_t kCityAnswerSize = 300;

}  // namespace zt::contracts
