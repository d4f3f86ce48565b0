#pragma once
// CSlideShow: the pictures of one folder shown one after another behind the screensaver's
// clock, each held for a while and brought in with a transition. The engine only draws into
// pictures; the screen that shows it asks picture() on every refresh after tick().
//
// The tick count and the random numbers are injected so that holds and random choices are
// tested without waiting.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gui/image_decoder.h"
#include "skins/picture.h"

namespace zt::app {

// The packed "SlideShowEffect": bits 0-7 transition, 8-15 random transition per picture,
// 16-23 seconds each picture stays, 24-31 order (1 random).
enum class SlideTransition : uint8_t { Cut = 0, CrossFade = 1, VerticalWipe = 2, HorizontalWipe = 3 };
inline constexpr int kSlideTransitionCount = 4;

struct SlideShowEffect {
    // A transition number the show does not know is drawn as a cut.
    uint8_t transition { static_cast<uint8_t>(SlideTransition::CrossFade) };
    bool random_transition { false };
    uint8_t hold_seconds { 5 };
    bool random_order { false };

    static SlideShowEffect unpack(uint32_t packed);
    uint32_t pack() const;
    bool operator==(const SlideShowEffect&) const = default;
};

// Whether the show takes a file of this name: the text after the last "." is, lower-cased,
// one of jpg, jpeg, gif, png, bmp, tif.
bool is_slide_show_picture(std::u16string_view file_name);
// The pictures directly in the folder (no sub-folders), sorted by name; empty for a folder
// that is missing or unreadable.
std::vector<std::filesystem::path> collect_slide_show_pictures(const std::filesystem::path& folder);

class CSlideShow {
public:
    using TickSource = std::function<uint32_t()>;
    // 0..32767, as the platform's rand().
    using RandomSource = std::function<int32_t()>;
    using Decoder = std::function<std::optional<platform::gui::DecodedImage>(const std::filesystem::path&)>;

    // Transition steps: 0..250 by 10; 255 and above mean the transition is over.
    static constexpr int32_t kStepDone = 255;
    static constexpr int32_t kStepSize = 10;
    static constexpr int32_t kHolding = -1;

    CSlideShow();
    CSlideShow(TickSource ticks, RandomSource random, Decoder decode = {});
    CSlideShow(const CSlideShow&) = delete;
    CSlideShow& operator=(const CSlideShow&) = delete;

    // Starts on the pictures of a device folder, drawing them at the target's size; the target
    // receives each picture once its transition is over and must outlive the show (or stop()).
    // False, and nothing runs, for a folder without pictures, an empty target or no memory.
    bool start(std::u16string_view device_folder, skins::CPicture& target, uint32_t packed_effect, uint32_t scaling);
    bool start_in(const std::filesystem::path& folder, skins::CPicture& target, uint32_t packed_effect,
                  uint32_t scaling);
    // Advances the show; true when what picture() shows changed.
    bool tick();
    void stop();

    bool running() const { return m_target != nullptr; }
    // In a transition (a frame is drawn often then) rather than holding a picture.
    bool in_transition() const { return running() && m_step >= 0 && m_step < kStepDone; }
    // What to show behind the clock: the composed frame during a transition, else the target.
    const skins::CPicture* picture() const;

    int32_t step() const { return m_step; }
    int32_t index() const { return m_index; }
    uint8_t transition() const { return m_transition; }
    const std::vector<std::filesystem::path>& pictures() const { return m_pictures; }

private:
    bool load_next();
    bool decode_into_spare(const std::filesystem::path& file);
    bool compose(int32_t step);

    TickSource m_ticks;
    RandomSource m_random;
    Decoder m_decode;

    std::vector<std::filesystem::path> m_pictures;
    int32_t m_index { -1 };
    skins::CPicture* m_target { nullptr };
    // The picture coming in (after the swap) and the one going out.
    std::optional<skins::CPicture> m_shown;
    std::optional<skins::CPicture> m_spare;
    std::optional<skins::CPicture> m_frame;
    bool m_frame_drawn { false };
    int32_t m_step { kStepDone };
    uint32_t m_hold_start { 0 };
    SlideShowEffect m_effect;
    uint8_t m_transition { 0 };
    uint32_t m_scaling { 1 };
};

}  // namespace zt::app
