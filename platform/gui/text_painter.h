#pragma once
// Text drawn into a 24-bit bottom-up picture's bits, as the handheld draws text into a memory
// device context. The handheld's face names are mapped to the machine's fonts: "Tahoma",
// "System" and "" become an installed sans font (DejaVu Sans when present); any other face
// is used when installed and falls back to that sans font otherwise.
//
// Guarantees:
// - Only pixels inside both the rectangle and the bits change; the text is anti-aliased
//   against what is already there (no background is painted).
// - These calls need the process's QGuiApplication (every drawing program has one); without
//   it they draw nothing and report failure rather than crash.
// - Must be called from the thread that owns the application object.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::gui {

struct FontRequest {
    std::u16string face;
    int32_t height { 12 };  // character height in pixels; the sign is ignored
    int32_t weight { 400 };  // 100..900, 700 is bold
    bool italic { false };
};

// The handheld's text format flags the product passes through.
namespace text_format {
inline constexpr uint32_t kLeft = 0x0;
inline constexpr uint32_t kCenter = 0x1;
inline constexpr uint32_t kRight = 0x2;
inline constexpr uint32_t kTop = 0x0;
inline constexpr uint32_t kVCenter = 0x4;
inline constexpr uint32_t kBottom = 0x8;
inline constexpr uint32_t kWordBreak = 0x10;
inline constexpr uint32_t kSingleLine = 0x20;
inline constexpr uint32_t kNoPrefix = 0x800;
}  // namespace text_format

struct TextTarget {
    uint8_t* bits { nullptr };  // bottom-up, blue green red
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
};

struct TextBox {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t right { 0 };
    int32_t bottom { 0 };
};

struct TextColour {
    uint8_t red { 0 };
    uint8_t green { 0 };
    uint8_t blue { 0 };
};

bool text_drawing_available();
// The installed family a face name maps to.
std::u16string font_family_for(std::u16string_view face);
// Width in pixels of the text on one line; nullopt without a GUI application.
std::optional<int32_t> measure_text(const FontRequest& font, std::u16string_view text);
// Line height of the font in pixels; nullopt without a GUI application.
std::optional<int32_t> line_height(const FontRequest& font);
bool draw_text(const TextTarget& target, const FontRequest& font, std::u16string_view text, TextBox box,
               TextColour colour, uint32_t format);

}  // namespace zt::platform::gui
