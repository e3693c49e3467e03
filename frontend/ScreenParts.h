#pragma once

#include <string>

class IXTransformable;
class OXButton;
class OXScene;
class OXSprite;
class OXTextBox;

// Building blocks of the hangar, high-score, options, control-settings and results screens:
// each piece is made, placed and handed to the scene, which owns it from then on. Positions
// are scene units (the scene is 768 x 1024, y up); texts sit on their baseline.
namespace ScreenParts {
constexpr const char* kFont = "assets/plist/fnt_novo_white";
constexpr const char* kMenuButton = "assets/plist/btn_menu";         // 400 x 80
constexpr const char* kSmallButton = "assets/plist/btn_menu_small";  // 170 x 64
constexpr const char* kWideButton = "assets/plist/btn_menu_wide";    // 360 x 60
constexpr float kCentreX = 384.0f;
// Menus grow a highlighted button only a little.
constexpr float kGrowScale = 1.05f;
// A label on the menu button, and the texts of the screens, by role.
constexpr int kButtonLabelSize = 36;
constexpr int kTitleSize = 72;
constexpr int kRowSize = 36;
constexpr int kSmallSize = 28;

OXSprite* addSprite(OXScene& scene, const char* path, float x, float y);
// alignment 0 starts the text at x, 1 centres it, 2 ends it there.
OXTextBox* addText(OXScene& scene, const std::string& text, float x, float y, int charSize, int alignment);
// A button reporting `id` to the scene, selectable by keys and pointer; a label is set when
// given (the button's list must name a font).
OXButton* addButton(OXScene& scene, const char* path, int id, float x, float y, const char* label = nullptr);
// The screen's title across the top.
OXTextBox* addTitle(OXScene& scene, const char* text);

// A short effect for a menu action; the effect is loaded the first time.
void playSound(const char* name);
// The pop of something newly won: from `factor` times its resting scale `rest` down to it
// over 200 ms, fading in as it shrinks when `fadeIn` is set.
void pop(IXTransformable& object, float factor, bool fadeIn, float restX = 1.0f, float restY = 1.0f);
}  // namespace ScreenParts
