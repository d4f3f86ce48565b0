#pragma once
// The look of one built-in skin: its palette and the few shape choices that set it apart.
// Every image of every skin is drawn by the same painters from one of these.
#include <QColor>
#include <QString>
#include <vector>

namespace zt::skinart {

enum class Finish {
    Flat,     // clean modern shapes, soft gradients
    Brushed,  // metallic gradients and rims
    Classic,  // raised and sunken bevels of a classic desktop
};

struct SkinStyle {
    QString name;
    Finish finish { Finish::Flat };
    bool big_digits { false };

    QColor screen_top, screen_bottom;     // background gradient
    QColor face, face_edge, rim;          // dial
    QColor tick, numeral;
    QColor hour_hand, minute_hand, second_hand, hub;
    QColor digit, digit_glow;             // clock digits
    QColor accent;                        // highlights, selection, alarm icons
    QColor button, button_edge, button_text, button_pressed;
    QColor panel, panel_edge;             // city, timer and stopwatch panels
    QColor text_main, text_dim;           // panel text colours 1 and 2
    QColor marker;                        // city marker on the map
    QColor sea, land, land_edge;
    QColor cal_title, cal_weekday, cal_day, cal_today;
};

const std::vector<SkinStyle>& built_in_styles();

}  // namespace zt::skinart
