#pragma once

#include <string>

#include "data/Plist.h"
#include "engine/OXScene.h"

// The menu background behind every front-end screen, seen through a
// perspective camera and built from a background description ("bg %d"
// layers, "effect %d" particle effects). Until its layers can be drawn it
// shows a deep-space fill.
class OXScnDefaultBg : public OXScene {
public:
    void loadBackground(const std::string& path);
    void drawObjects() override;
    // The number of "bg %d" layers the description names.
    int getLayerCount() const { return layerCount; }

private:
    Plist::Dictionary description;
    int layerCount = 0;
};
