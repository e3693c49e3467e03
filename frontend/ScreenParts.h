#pragma once

class IXTransformable;
class OXScene;
class OXSprite;

// Pieces the hangar, high-score, options, control-settings and results screens add to the
// menus' common ground (OXScnVLMenu): the menu button in two more sizes,
// plain sprites, effects and the pop of something newly won. Positions are scene units.
namespace ScreenParts {
constexpr const char* kSmallButton = "assets/plist/btn_menu_small";  // 170 x 64
constexpr const char* kWideButton = "assets/plist/btn_menu_wide";    // 360 x 60

// A sprite placed at (x, y) and handed to the scene, which owns it.
OXSprite* addSprite(OXScene& scene, const char* path, float x, float y);
// A short effect for a menu action; the effect is loaded the first time.
void playSound(const char* name);

// The menus' own sounds: the highlight moving, an accept that does something, a back, and a
// choice that cannot be taken.
enum class MenuSound { Move, Accept, Back, Refuse };
// Loads the four effects; the menus call it when they are built (at start, and after a
// stage's teardown has cleared every effect). A missing one stays silent.
void loadMenuSounds();
// Plays one of them; at most one menu sound a frame is heard (the first asked for), so an
// action that passes through several handlers sounds once.
void playMenuSound(MenuSound sound);
// A new frame begins (the front end's update): the next menu sound is heard again.
void newMenuFrame();
// The pop of something newly won: from `factor` times its resting scale `rest` down to it
// over 200 ms, fading in as it shrinks when `fadeIn` is set.
void pop(IXTransformable& object, float factor, bool fadeIn, float restX = 1.0f, float restY = 1.0f);
}  // namespace ScreenParts
