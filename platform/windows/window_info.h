#pragma once
// What any process of the device can learn about a top-level window.
#include <cstdint>
#include <string>

namespace zt::platform {

// A window's handle: a non-zero 32-bit number, unique among the device's live windows.
// 0 means "no window". A handle is not reused while its window exists; after that it may be.
using WindowHandle = std::uint32_t;

struct Point {
    std::int32_t x { 0 };
    std::int32_t y { 0 };
};

// Screen coordinates; right and bottom lie just outside the window, as on the handheld.
struct Rect {
    std::int32_t left { 0 };
    std::int32_t top { 0 };
    std::int32_t right { 0 };
    std::int32_t bottom { 0 };

    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

struct WindowInfo {
    WindowHandle handle { 0 };
    std::u16string class_name;
    std::u16string title;
    int process_id { 0 };
    std::u16string module_path;  // device path of the owner's executable
    bool visible { false };
    Rect rect;
    // Front-to-back order: a larger number lies nearer the front. Only comparisons mean something.
    std::uint64_t z_order { 0 };
};

// Limits a window's texts must keep; longer ones are refused rather than cut.
inline constexpr std::size_t kMaxClassNameUnits = 256;
inline constexpr std::size_t kMaxTitleUnits = 4096;

}  // namespace zt::platform
