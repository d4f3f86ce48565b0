#include "skins/skin_manager.h"
#include "today/today_view.h"

namespace zt::today {

bool TodayImages::complete() const {
    return clock.valid() && hour_hand.valid() && minute_hand.valid() && icons.valid();
}

TodayImages load_today_images(skins::CSkinManager& skins) {
    TodayImages images;
    images.clock = skins.load_image_strip(u"apl_Clock.png");
    images.hour_hand = skins.load_image_strip(u"apl_HArrow.png");
    images.minute_hand = skins.load_image_strip(u"apl_MArrow.png");
    images.icons = skins.load_image_strip(u"iconappl.png");
    return images;
}

}  // namespace zt::today
