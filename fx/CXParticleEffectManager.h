#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/IXParticleManager.h"
#include "fx/ParticleDefinition.h"

class OXAnchorParticleSystem;
class OXParticleSystem;

// All particle effects of a stage (or of the menu background): the parsed
// definitions by name, a fixed pool of particle systems, the systems other
// objects hand to it, and one vertex batch into which every visible system
// writes its particles, so that all of them are drawn with the particle
// atlas in one draw call per pass. Systems marked predraw go into the pass
// drawn beneath the scene's objects (drawPredraw); the rest into draw().
class CXParticleEffectManager : public IXParticleManager {
  public:
    static constexpr int kVertexCapacity = 40000;
    static constexpr int kStagePoolSize = 96;

    // `poolSize` systems are made at once (none for a manager that only
    // draws systems handed to it).
    explicit CXParticleEffectManager(int poolSize = 0);
    ~CXParticleEffectManager() override;

    // Loads the atlas (a package path without ".plist").
    void load(const std::string& atlasPath) override;

    // Reads "assets/plist/particles/" + name + ".plist" once. True when a new
    // usable definition was stored. A missing or unusable file prints one
    // line and is remembered, so asking again reads nothing.
    bool preloadEffect(const std::string& name);
    bool hasEffect(const std::string& name) const;
    // Applies a preloaded definition to `system`; false (system untouched)
    // for a name that was never preloaded or could not be used.
    bool setupSystem(const std::string& name, OXParticleSystem& system);

    // Plays an effect from the pool at `at`: a burst of `durationMs`, or
    // continuous emission for a negative duration. `glow` draws it as added
    // light, otherwise it covers what lies beneath. Null when the name is
    // unknown or every pooled system is busy ("RAN OUT OF PARTICLE SYSTEMS!",
    // once until one is free again).
    OXAnchorParticleSystem* play(const std::string& name, const Vec3& at, const Vec3& direction,
                                 float durationMs, bool glow, bool predraw = false);
    // An effect from the pool that follows `anchor` and emits until stopped.
    OXAnchorParticleSystem* attach(const std::string& name, const IXRenderObject& anchor, bool glow,
                                   bool predraw = false);
    // Stops a pooled effect that play or attach returned: it lets go of its
    // anchor and its particles live out their time. Anything else is ignored.
    void stop(const IXRenderObject* effect);

    // A system owned elsewhere, ticked and drawn with the pool (a boss's
    // effects). The caller keeps it alive as long as this manager.
    void addSystem(OXParticleSystem* system);
    // A system this manager owns from now on (the menu background's).
    void adoptSystem(OXParticleSystem* system);

    void update(float dtMs) override;
    void buildBatch() override;
    // Both passes: the predraw one only when drawPredraw did not draw it this frame.
    void draw() override;
    // The pass beneath the scene's objects.
    void drawPredraw();

    int poolSize() const { return static_cast<int>(pool.size()); }
    OXAnchorParticleSystem* pooled(int index) const { return pool[static_cast<size_t>(index)]; }
    int busySystems() const;
    int liveParticles() const { return liveNow; }
    int peakParticles() const { return peakLive; }
    int definitionCount() const { return static_cast<int>(definitions.size()); }

  private:
    struct Entry {
        bool usable = false;
        ParticleDefinition definition;
    };
    OXAnchorParticleSystem* takeIdle();
    int writeSystems(bool predrawPass);
    void ensureBatch();

    std::map<std::string, Entry> definitions;
    std::vector<OXAnchorParticleSystem*> pool;  // owned through objects
    std::vector<OXParticleSystem*> others;      // not owned
    std::vector<OXParticleSystem*> adopted;     // owned through objects
    int predrawVertices = 0;                    // the first part of the batch
    bool batchBuilt = false;                    // since the last update
    bool predrawDrawn = false;                  // since the last update
    bool reportedExhausted = false;
    int liveNow = 0, peakLive = 0;
};
