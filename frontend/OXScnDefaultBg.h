#pragma once

#include <string>
#include <vector>

#include "engine/OXScene.h"

class CXParticleEffectManager;
class OXParticleSystem;
class OXVolleyBg;

// The menu background behind every front-end screen, seen through a
// perspective camera and built from a background description: its "bg %d"
// layers, counted from 0 to the first missing index, each set up from every
// layer key the stage backgrounds read (scroll, spin, placement, depth,
// blend, alpha, scale, rotation, swing, tube and fades) and shown at once,
// and its "effect %d" particle effects, drawn over the layers by one particle
// effect manager with added light (the "is predraw" ones first).
class OXScnDefaultBg : public OXScene {
  public:
    void buildScene() override;
    void loadBackground(const std::string& path);
    int getLayerCount() const { return static_cast<int>(layers.size()); }
    int getEffectCount() const { return static_cast<int>(effects.size()); }
    CXParticleEffectManager* getEffectManager() const { return effectManager; }
    OXVolleyBg* getLayer(int index) const { return layers[static_cast<size_t>(index)]; }

  private:
    std::vector<OXVolleyBg*> layers;                   // owned through objects
    std::vector<OXParticleSystem*> effects;            // owned by the effect manager
    CXParticleEffectManager* effectManager = nullptr;  // owned through overlays
};
