#pragma once

#include <string>

#include "engine/OXSprite.h"

// A part that rides on a carrier (an enemy or a boss): it trails towards its
// anchor on the carrier by a follow factor per frame, never further than its
// bound. A boss's own parts draw themselves with their own sprite, scaled
// with the boss; an exhaust part flickers like a flame.
class OXBossModule : public OXSprite {
  public:
    // Loads the sprite and its "internal scale x/y/z" (1 when absent).
    void load(const std::string& path) override;
    // A boss part: follows, turns and scales with the carrier (only while active with a carrier).
    void tick(float dtMs) override;

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
    void setExhaust(bool value) { exhaust = value; }
    bool isExhaust() const { return exhaust; }
    // The carrier's x scale when the part was loaded: anchors stretch as it grows.
    void setLoadScale(float value) { loadScale = value; }
    const Vec3& getInternalScale() const { return internalScale; }

  protected:
    const IXRenderObject* carrier = nullptr;  // not owned
    Vec3 anchor{};
    Vec3 bound{};
    float followFactor = 0.1f;
    bool exhaust = false;
    float loadScale = 1.0f;
    Vec3 internalScale{1.0f, 1.0f, 1.0f};
};
