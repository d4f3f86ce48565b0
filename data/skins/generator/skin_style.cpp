#include "data/skins/generator/skin_style.h"

namespace zt::skinart {

namespace {

SkinStyle night_blue(QString name, bool big)
{
    SkinStyle s;
    s.name = std::move(name);
    s.big_digits = big;
    s.screen_top = QColor(24, 44, 78);
    s.screen_bottom = QColor(8, 16, 32);
    s.face = QColor(246, 248, 252);
    s.face_edge = QColor(206, 216, 232);
    s.rim = QColor(52, 92, 150);
    s.tick = QColor(40, 48, 64);
    s.numeral = QColor(30, 40, 60);
    s.hour_hand = QColor(28, 36, 52);
    s.minute_hand = QColor(40, 52, 74);
    s.second_hand = QColor(226, 64, 48);
    s.hub = QColor(226, 64, 48);
    s.digit = QColor(236, 244, 255);
    s.digit_glow = QColor(90, 160, 255);
    s.accent = QColor(255, 176, 40);
    s.button = QColor(48, 84, 138);
    s.button_edge = QColor(120, 160, 220);
    s.button_text = QColor(255, 255, 255);
    s.button_pressed = QColor(255, 176, 40);
    s.panel = QColor(232, 238, 248);
    s.panel_edge = QColor(120, 150, 200);
    s.text_main = QColor(30, 40, 70);
    s.text_dim = QColor(80, 96, 130);
    s.marker = QColor(230, 40, 40);
    s.sea = QColor(28, 70, 128);
    s.land = QColor(120, 176, 96);
    s.land_edge = QColor(70, 120, 60);
    s.cal_title = QColor(255, 255, 255);
    s.cal_weekday = QColor(255, 230, 120);
    s.cal_day = QColor(220, 232, 255);
    s.cal_today = QColor(255, 120, 90);
    return s;
}

SkinStyle black()
{
    SkinStyle s = night_blue("Black", false);
    s.screen_top = QColor(26, 26, 28);
    s.screen_bottom = QColor(0, 0, 0);
    s.face = QColor(18, 18, 20);
    s.face_edge = QColor(44, 44, 48);
    s.rim = QColor(90, 90, 96);
    s.tick = QColor(220, 220, 220);
    s.numeral = QColor(240, 240, 240);
    s.hour_hand = QColor(240, 240, 240);
    s.minute_hand = QColor(210, 210, 214);
    s.second_hand = QColor(255, 140, 0);
    s.hub = QColor(255, 140, 0);
    s.digit = QColor(255, 255, 255);
    s.digit_glow = QColor(255, 140, 0);
    s.accent = QColor(255, 140, 0);
    s.button = QColor(36, 36, 40);
    s.button_edge = QColor(90, 90, 96);
    s.button_text = QColor(240, 240, 240);
    s.button_pressed = QColor(255, 140, 0);
    s.panel = QColor(30, 30, 34);
    s.panel_edge = QColor(80, 80, 86);
    s.text_main = QColor(235, 235, 235);
    s.text_dim = QColor(160, 160, 166);
    s.marker = QColor(255, 140, 0);
    s.sea = QColor(10, 12, 18);
    s.land = QColor(70, 74, 82);
    s.land_edge = QColor(120, 124, 132);
    s.cal_title = QColor(255, 255, 255);
    s.cal_weekday = QColor(255, 170, 60);
    s.cal_day = QColor(210, 210, 210);
    s.cal_today = QColor(255, 120, 0);
    return s;
}

SkinStyle white()
{
    SkinStyle s = night_blue("White", false);
    s.screen_top = QColor(255, 255, 255);
    s.screen_bottom = QColor(232, 236, 240);
    s.face = QColor(255, 255, 255);
    s.face_edge = QColor(236, 238, 242);
    s.rim = QColor(200, 204, 210);
    s.tick = QColor(60, 64, 70);
    s.numeral = QColor(40, 44, 50);
    s.hour_hand = QColor(34, 38, 44);
    s.minute_hand = QColor(60, 64, 72);
    s.second_hand = QColor(0, 122, 204);
    s.hub = QColor(0, 122, 204);
    s.digit = QColor(40, 44, 52);
    s.digit_glow = QColor(170, 200, 230);
    s.accent = QColor(0, 122, 204);
    s.button = QColor(246, 247, 249);
    s.button_edge = QColor(190, 194, 200);
    s.button_text = QColor(40, 44, 52);
    s.button_pressed = QColor(0, 122, 204);
    s.panel = QColor(250, 250, 252);
    s.panel_edge = QColor(200, 204, 210);
    s.text_main = QColor(40, 44, 52);
    s.text_dim = QColor(110, 116, 126);
    s.marker = QColor(220, 30, 30);
    s.sea = QColor(214, 230, 244);
    s.land = QColor(250, 250, 250);
    s.land_edge = QColor(150, 160, 172);
    s.cal_title = QColor(30, 34, 40);
    s.cal_weekday = QColor(0, 100, 180);
    s.cal_day = QColor(60, 64, 72);
    s.cal_today = QColor(220, 40, 40);
    return s;
}

SkinStyle silver()
{
    SkinStyle s = night_blue("ZunSilver", false);
    s.finish = Finish::Brushed;
    s.screen_top = QColor(214, 218, 224);
    s.screen_bottom = QColor(150, 156, 166);
    s.face = QColor(240, 242, 245);
    s.face_edge = QColor(190, 196, 204);
    s.rim = QColor(120, 128, 140);
    s.tick = QColor(50, 56, 66);
    s.numeral = QColor(40, 46, 56);
    s.hour_hand = QColor(44, 50, 62);
    s.minute_hand = QColor(60, 68, 82);
    s.second_hand = QColor(180, 30, 40);
    s.hub = QColor(120, 128, 140);
    s.digit = QColor(40, 46, 58);
    s.digit_glow = QColor(250, 252, 255);
    s.accent = QColor(30, 90, 170);
    s.button = QColor(200, 206, 214);
    s.button_edge = QColor(110, 118, 130);
    s.button_text = QColor(30, 36, 46);
    s.button_pressed = QColor(30, 90, 170);
    s.panel = QColor(228, 232, 238);
    s.panel_edge = QColor(130, 138, 150);
    s.text_main = QColor(36, 42, 54);
    s.text_dim = QColor(84, 92, 106);
    s.marker = QColor(200, 20, 30);
    s.sea = QColor(150, 166, 186);
    s.land = QColor(226, 230, 236);
    s.land_edge = QColor(110, 120, 134);
    s.cal_title = QColor(20, 26, 36);
    s.cal_weekday = QColor(30, 80, 150);
    s.cal_day = QColor(40, 46, 58);
    s.cal_today = QColor(190, 20, 30);
    return s;
}

SkinStyle wins()
{
    SkinStyle s = night_blue("Wins", false);
    s.finish = Finish::Classic;
    s.screen_top = QColor(0, 128, 128);
    s.screen_bottom = QColor(0, 128, 128);
    s.face = QColor(255, 255, 255);
    s.face_edge = QColor(192, 192, 192);
    s.rim = QColor(192, 192, 192);
    s.tick = QColor(0, 0, 0);
    s.numeral = QColor(0, 0, 128);
    s.hour_hand = QColor(0, 0, 0);
    s.minute_hand = QColor(0, 0, 0);
    s.second_hand = QColor(128, 0, 0);
    s.hub = QColor(0, 0, 128);
    s.digit = QColor(0, 255, 0);
    s.digit_glow = QColor(0, 96, 0);
    s.accent = QColor(0, 0, 128);
    s.button = QColor(192, 192, 192);
    s.button_edge = QColor(128, 128, 128);
    s.button_text = QColor(0, 0, 0);
    s.button_pressed = QColor(0, 0, 128);
    s.panel = QColor(192, 192, 192);
    s.panel_edge = QColor(128, 128, 128);
    s.text_main = QColor(0, 0, 0);
    s.text_dim = QColor(0, 0, 128);
    s.marker = QColor(255, 0, 0);
    s.sea = QColor(0, 0, 128);
    s.land = QColor(0, 160, 0);
    s.land_edge = QColor(0, 96, 0);
    s.cal_title = QColor(255, 255, 255);
    s.cal_weekday = QColor(255, 255, 0);
    s.cal_day = QColor(255, 255, 255);
    s.cal_today = QColor(255, 0, 0);
    return s;
}

}  // namespace

const std::vector<SkinStyle>& built_in_styles()
{
    static const std::vector<SkinStyle> styles {
        night_blue("Default", false), night_blue("Default_big", true), black(), white(), silver(), wins(),
    };
    return styles;
}

}  // namespace zt::skinart
