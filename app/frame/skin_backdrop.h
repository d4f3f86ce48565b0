#pragma once
// The main dialog's own skin images: the toolbar strip and the background, both chosen by the
// screen's orientation. The background is kept as the dialog shows it: at screen size (a
// normal-resolution image on a high-resolution screen is doubled) and, on a landscape screen,
// turned a quarter turn counter-clockwise.
#include <memory>
#include <optional>

#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

inline constexpr char16_t kToolBarImage[] = u"ToolBar.png";
inline constexpr char16_t kLandscapeToolBarImage[] = u"LToolBar.png";
inline constexpr char16_t kBackgroundImage[] = u"BG.png";
inline constexpr int kToolBarButtons = 4;

// Toolbar strip parts.
enum class ToolBarPart : int { SetSwitch = 0, ScreenButton = 1, SelectedScreenButton = 2, Options = 3 };

// "BG.png" of the current skin as shown on a screen of that orientation; null when it cannot be
// loaded. Shared: the dialog and its six screens draw from one copy.
std::shared_ptr<const skins::CPicture> load_background(skins::CSkinManager& skins, bool landscape);

// "LToolBar.png" on a landscape screen, else "ToolBar.png"; valid only with all four buttons.
std::optional<skins::CImageStrip> load_toolbar(skins::CSkinManager& skins, bool landscape);

}  // namespace zt::app
