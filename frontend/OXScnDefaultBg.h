#pragma once

#include <string>
#include <vector>

#include "engine/OXScene.h"

class OXVolleyBg;

// The menu background behind every front-end screen, seen through a
// perspective camera and built from a background description: its "bg %d"
// layers, counted from 0 to the first missing index, each set up from every
// layer key the stage backgrounds read (scroll, spin, placement, depth,
// blend, alpha, scale, rotation, swing, tube and fades) and shown at once.
class OXScnDefaultBg : public OXScene {
  public:
    void loadBackground(const std::string& path);
    int getLayerCount() const { return static_cast<int>(layers.size()); }
    OXVolleyBg* getLayer(int index) const { return layers[static_cast<size_t>(index)]; }

  private:
    std::vector<OXVolleyBg*> layers;  // owned through objects
};
