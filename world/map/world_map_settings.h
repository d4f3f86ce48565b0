#pragma once
// The world map's settings, DWORDs of HKEY_CURRENT_USER "Software\Zunworks\Zun Time\TZ": read
// when the screen is made, written back both together when it saves.
namespace zt::world {

struct WorldMapSettings {
    bool twilight { true };     // "TZTwilightOn": shade the night side ("Show Night")
    bool show_cities { true };  // "TZShowCities": draw the city markers ("Show Cities")

    static WorldMapSettings load();
    void save() const;
};

}  // namespace zt::world
