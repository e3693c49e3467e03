#pragma once

#include <cmath>

#include "engine/IXTransformable.h"

// A short ribbon behind a moving object: it follows its target's point (the
// target's position plus an offset turned with it) and keeps the last six
// places it passed through as the ribbon's spine, point 0 the newest. Let go
// of its target, it lingers while its tail catches up and it fades, then
// hides itself, which returns it to its pool.
class OXTrailEffect : public IXTransformable {
  public:
    static constexpr int kPoints = 6;
    static constexpr float kLingerMs = 2000.0f;
    static constexpr float kDefaultSampleMs = 32.0f;

    void load(const std::string& path) override;
    // Sets every spine point to the current position.
    void resetActions() override;
    void tick(float dtMs) override;

    // Follows `object` from its current position; visible and active.
    void attach(const IXRenderObject* object);
    // Lets go of the target: the trail lingers, then returns to its pool.
    void detach();
    // Back to the pool at once.
    void reset();

    void setFollowFactor(float value) { followFactor = value; }
    void setDrift(const Vec3& value) { drift = value; }
    void setOffset(const Vec3& value) { offset = value; }
    void setBounds(const Vec3& value) {
        bounds = {std::fabs(value.x), std::fabs(value.y), std::fabs(value.z)};
    }
    void setWidth(float value) { width = value; }
    void setAtlasFrame(int frame) { atlasFrame = frame; }
    const IXRenderObject* getTarget() const { return target; }
    int getAtlasFrame() const { return atlasFrame; }
    const Vec3* getPoints() const { return points; }
    float getWidth() const { return width; }
    bool isDetached() const { return detached; }
    float getLinger() const { return linger; }
    // 1 while attached, falling to 0 over the linger.
    float fade() const { return detached ? linger / kLingerMs : 1.0f; }

  private:
    Vec3 points[kPoints] = {};
    float width = 0.0f;
    int atlasFrame = -1;
    const IXRenderObject* target = nullptr;  // not owned
    Vec3 drift{}, offset{}, bounds{};
    bool detached = false;
    float linger = kLingerMs;
    float followFactor = 1.0f;
    float sampleInterval = kDefaultSampleMs;
    float sampleTimer = 0.0f;
};
