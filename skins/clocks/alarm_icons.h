#pragma once
// The alarm icons both clocks draw: "AlarmSetIcon.png" centred on the alarm's place, with a
// badge from "alarm_markers.png" inside its bottom-right corner: glyph 2 for a disabled alarm,
// else 1 for a morning alarm (hour below 12), else 0. While an alarm is moved it shows
// "AlarmOld.png" at its old place and "AlarmNew.png" at the new one (the set icon stands in
// for a skin without them).
#include <optional>

#include "skins/clocks/clock_face.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

class CSkinManager;

inline constexpr char16_t kAlarmSetIconImage[] = u"AlarmSetIcon.png";
inline constexpr char16_t kAlarmMarkersImage[] = u"alarm_markers.png";
inline constexpr char16_t kAlarmOldImage[] = u"AlarmOld.png";
inline constexpr char16_t kAlarmNewImage[] = u"AlarmNew.png";

enum class IconLook { Set, Old, New };

inline constexpr int kAfternoonBadge = 0;
inline constexpr int kMorningBadge = 1;
inline constexpr int kDisabledBadge = 2;
int alarm_badge(const AlarmMark& mark);

class CAlarmIcons {
public:
    // The icon is required; a skin without badges shows bare icons.
    bool load(CSkinManager& skins);
    void release();
    bool loaded() const { return m_icon.has_value(); }
    // Half the icon image's width by the height of its part 0, doubled when scaled.
    Point icon_size() const;
    // The screen box of an icon centred there.
    Rect box(Point centre) const;
    void draw(CPicture& canvas, Point centre, const AlarmMark& mark, IconLook look = IconLook::Set) const;

private:
    std::optional<CImageStrip> m_icon;
    std::optional<CImageStrip> m_old;
    std::optional<CImageStrip> m_new;
    std::optional<CImageStrip> m_badges;
};

// A required strip of the current skin: nullopt unless it loaded with at least one part.
std::optional<CImageStrip> load_required_strip(CSkinManager& skins, std::u16string_view image_name);

}  // namespace zt::skins
