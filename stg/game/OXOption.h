#pragma once

#include "stg/shot/OXLauncherPlatform.h"

class IXShotEffects;
class OXSTGBasePlayer;

// An option pod: a launcher platform flying in formation beside the ship,
// firing launcher 0 with the main weapon and launcher 1 in break mode. Its
// definition is a sprite list with its own "launcher 0" and "launcher 1".
// The ship owns, ticks and draws its pods.
class OXOption : public OXLauncherPlatform {
  public:
    static constexpr float kDropBelowShip = 32.0f;  // units the formation hangs below the ship
    static constexpr float kTrailBelow = 50.0f;     // units from the pod to its trail's anchor

    // Loads the pod and puts it into formation flight.
    void load(const std::string& path) override;
    void setOwner(OXSTGBasePlayer* value) { owner = value; }
    void setIndex(int value) { index = value; }
    int getIndex() const { return index; }
    // Places itself by the owner's position and heading, then ticks as a platform.
    void tick(float dtMs) override;
    bool isInFormation() const { return formation; }

    // Where pod `index` flies relative to a ship at the origin heading `headingDegrees`.
    static Vec3 formationOffset(int index, float headingDegrees);

    // Back beside the ship with its launchers armed and silent; shown.
    void reset();
    // Out of play with the ship: hidden, launchers stopped, trail released.
    void retire(IXShotEffects& effects);
    // The pod's trail, made when the ship comes into play.
    void attachTrail(IXShotEffects& effects, int frame, float width);

  private:
    void placeInFormation();

    OXSTGBasePlayer* owner = nullptr;  // not owned
    int index = 0;                     // 0 ... 5: even on the right, odd on the left
    bool formation = false;
    bool trailAttached = false;
    IXRenderObject trailAnchor;  // kTrailBelow units under the pod
};
