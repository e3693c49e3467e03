#pragma once

#include "engine/OXSprite.h"

// A part that rides on a carrier (an enemy or a boss): it trails towards its
// anchor on the carrier by a follow factor per frame, never further than its
// bound. The boss's own parts fill in the rest of this class with the boss.
class OXBossModule : public OXSprite {
  public:
    void setCarrier(const IXRenderObject* value) { carrier = value; }
    const IXRenderObject* getCarrier() const { return carrier; }
    // Offset from the carrier's centre before the carrier's turn, units.
    void setAnchor(const Vec3& value) { anchor = value; }
    const Vec3& getAnchor() const { return anchor; }
    // Half extents of the box around the anchor the module may trail within, units.
    void setBound(const Vec3& value) { bound = value; }
    const Vec3& getBound() const { return bound; }
    // Share of the distance to the anchor closed each frame.
    void setFollowFactor(float value) { followFactor = value; }
    float getFollowFactor() const { return followFactor; }

  protected:
    const IXRenderObject* carrier = nullptr;  // not owned
    Vec3 anchor{};
    Vec3 bound{};
    float followFactor = 0.1f;
};
