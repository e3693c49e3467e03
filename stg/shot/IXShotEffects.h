#pragma once

#include <string>

#include "engine/Vector.h"

class IXRenderObject;

// Particle effects and trails, as bullets, enemies and the ship use them.
// Implemented over the stage's effect and trail managers; a world without
// them hands out noShotEffects(), so callers never test for none.
class IXShotEffects {
  public:
    virtual ~IXShotEffects() = default;

    // Reads the effect's definition now so that starting it later reads no file.
    virtual void preloadEffect(const std::string& name) = 0;
    // Starts a preloaded effect that follows `anchor` until stopped; null when none is free.
    virtual IXRenderObject* startAttachedEffect(const std::string& name, const IXRenderObject& anchor,
                                                bool glow) = 0;
    // Stops an effect that startAttachedEffect returned; it fades out on its own.
    virtual void stopEffect(IXRenderObject* effect) = 0;
    // Starts a trail following `target`; false when none is free.
    virtual bool attachTrail(const IXRenderObject& target, int frame, float width) = 0;
    // Lets the trail of `target` go; it lingers and returns to its pool.
    virtual void detachTrail(const IXRenderObject& target) = 0;
    // Plays an effect once at a point, pointing along `direction`.
    virtual void playAt(const std::string& name, const Vec3& position, const Vec3& direction,
                        float strength) = 0;
};

// Effects that show nothing: what a manager or world without a stage's
// effects (a tool, a test) hands out.
class NoShotEffects final : public IXShotEffects {
  public:
    void preloadEffect(const std::string&) override {}
    IXRenderObject* startAttachedEffect(const std::string&, const IXRenderObject&, bool) override {
        return nullptr;
    }
    void stopEffect(IXRenderObject*) override {}
    bool attachTrail(const IXRenderObject&, int, float) override { return false; }
    void detachTrail(const IXRenderObject&) override {}
    void playAt(const std::string&, const Vec3&, const Vec3&, float) override {}
};

inline IXShotEffects& noShotEffects() {
    static NoShotEffects none;
    return none;
}
