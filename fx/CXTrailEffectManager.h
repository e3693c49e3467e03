#pragma once

#include <string>
#include <vector>

#include "engine/IXParticleManager.h"

class OXTrailEffect;

// The ribbons of a stage: a fixed pool of trails that follow bullets, the
// ship's engines and flying wreckage, all written into one vertex batch and
// drawn with the trail atlas as separate triangles in one draw call.
class CXTrailEffectManager : public IXParticleManager {
  public:
    static constexpr int kPoolSize = 40;
    static constexpr int kVertexCapacity = 10000;

    CXTrailEffectManager();
    ~CXTrailEffectManager() override;

    // Loads the atlas (a package path without ".plist").
    void load(const std::string& atlasPath) override;

    // A free trail following `target` with the atlas frame, half-width and
    // drift given; null for no target or when all are in use ("RAN OUT OF
    // TRAILS!", once until one is free again).
    OXTrailEffect* spawnTrail(const IXRenderObject* target, int atlasFrame, float width, const Vec3& drift);
    // Lets go of the first trail following `target`; nothing when it has none.
    void releaseTrail(const IXRenderObject* target);

    void update(float dtMs) override;
    void buildBatch() override;
    void drawBatch() override;

    OXTrailEffect* trail(int index) const { return pool[static_cast<size_t>(index)]; }
    int trailsInUse() const;
    int peakTrails() const { return peakInUse; }

  private:
    std::vector<OXTrailEffect*> pool;  // owned through objects
    bool reportedExhausted = false;
    int peakInUse = 0;
};
