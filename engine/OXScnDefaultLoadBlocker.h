#pragma once

#include <string>

#include "engine/OXScene.h"

// The screen that covers everything while a stage loads or the menus are
// rebuilt: a black background with a logo, drawn above every other scene.
class OXScnDefaultLoadBlocker : public OXScene {
  public:
    // Adds the black background (a flat fill) and then the logo sprite, both
    // centred in the view. The font is accepted for the caller's symmetry; the
    // blocker shows no text.
    void setup(const std::string& logoPath, const std::string& fontPath);
};
