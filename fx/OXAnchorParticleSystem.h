#pragma once

#include <cmath>

#include "fx/OXParticleSystem.h"

// A particle system that follows an anchor object: after its own tick it
// moves towards the anchor's position plus an offset turned with the
// anchor, by its follow factor each frame but never further than its bound
// from that point, and takes the anchor's rotation. A directional system
// emits along the anchor's heading.
class OXAnchorParticleSystem : public OXParticleSystem {
  public:
    static constexpr float kDefaultFollowFactor = 0.25f;

    void load(const std::string& path) override;
    void loadPooled();
    void tick(float dtMs) override;

    // Follows `object` from the next tick on; null lets go (the system stays where it is).
    void setAnchor(const IXRenderObject* object) { anchor = object; }
    const IXRenderObject* getAnchor() const { return anchor; }
    void setOffset(const Vec3& value) { offset = value; }
    void clearOffset() { offset = {}; }
    void setFollowFactor(float value) { followFactor = value; }
    void setBound(const Vec3& value) { bound = {std::fabs(value.x), std::fabs(value.y), std::fabs(value.z)}; }
    // Moves to the anchor's point at once.
    void snapToAnchor();

  private:
    Vec3 targetPoint() const;

    const IXRenderObject* anchor = nullptr;  // not owned
    Vec3 offset{};
    float followFactor = kDefaultFollowFactor;
    Vec3 bound{};  // 0: always exactly on the anchor's point
};
