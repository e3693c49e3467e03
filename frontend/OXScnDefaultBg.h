#pragma once

#include <string>
#include <vector>

#include "engine/OXScene.h"

class OXScrollingSprite;

// The menu background behind every front-end screen, seen through a
// perspective camera and built from a background description: its "bg %d"
// layers, counted from 0 to the first missing index, each a scrolling
// sprite placed at the view centre.
class OXScnDefaultBg : public OXScene {
  public:
    void loadBackground(const std::string& path);
    int getLayerCount() const { return static_cast<int>(layers.size()); }

  private:
    std::vector<OXScrollingSprite*> layers;  // owned through objects
};
