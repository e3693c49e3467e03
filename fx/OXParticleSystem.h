#pragma once

#include <memory>
#include <string>

#include "engine/IXParticleManager.h"
#include "engine/IXRenderObject.h"
#include "fx/ParticleDefinition.h"

// One slot of a particle system's ring.
struct Particle {
    Vec3 position;
    Vec3 startVelocity, endVelocity;  // units per second
    float lifeLeft, lifeTotal;        // ms
    float alpha;
    Vec3 colour;
    Vec3 size, startSize, endSize;  // half extents
    float rotation;                 // degrees
    float stretch;
    int frame;
    float frameTimer;  // ms
    bool alive;
};

// An emitter of particles with the parameters of one particle list: it
// spawns into a ring of plain records at its spawn rate (continuously or for
// a burst), moves, sizes, fades and tints each particle over its lifetime,
// and writes every live particle as one quad into a batch. Particles live in
// the system's parent space; the system's own position is where they spawn.
class OXParticleSystem : public IXRenderObject {
  public:
    static constexpr int kMaxCapacity = 512;
    static constexpr int kDefaultMaxParticles = 200;
    static constexpr float kFrameStepMs = 64.0f;

    OXParticleSystem();
    ~OXParticleSystem() override;

    // Reads "path.plist" from the package and makes a ring for it; the system
    // is then visible, active and emitting. A missing or unusable file gives
    // a system that never emits (with a line for an unusable one).
    void load(const std::string& path) override;
    // A system for a pool: the largest ring, no definition yet, hidden,
    // inactive and not emitting, so that any definition fits later.
    void loadPooled();
    // Takes the parameters (velocities and radii times the current scale).
    // Live particles keep going.
    void applyDefinition(const ParticleDefinition& definition);

    void startEmitting();
    void setEmitting(bool value);
    void setContinuous(bool value) { continuous = value; }
    // Emits for `durationMs`, then stops; visible and active at once.
    void burst(float durationMs);
    void setDirection(const Vec3& value) { direction = value; }
    // Every particle dies at once; emission stops.
    void clearParticles();

    void tick(float dtMs) override;
    // Writes six vertices per live particle (the strip layout); returns how
    // many were written. (frameU, frameV) is the origin of the atlas frame,
    // cellWidth and cellHeight its extent in texture coordinates.
    int buildVertices(BatchVertex* out, float frameU, float frameV, float cellWidth, float cellHeight) const;

    int getAtlasFrame() const { return definition.atlasFrame; }
    // The name of the definition it plays; empty when it has none.
    const std::string& getEffectName() const;
    // `name` must outlive the system (the manager's own copy of it): kept
    // as a pointer, so setting a system up in play never allocates.
    void setEffectName(const std::string& name) { effectName = &name; }
    bool isEmitting() const { return emitting; }
    int getLiveCount() const { return liveCount; }
    int getCapacity() const { return capacity; }
    int getMaxParticles() const { return maxParticles; }
    float getAge() const { return age; }
    float getSpawnAccumulator() const { return spawnAccumulator; }
    const Vec3& getDirection() const { return direction; }
    // Not emitting and nothing alive: a pool may hand it out again.
    bool isIdle() const { return !emitting && liveCount == 0; }
    // Handed to an owner that will stop it: not idle until then.
    bool isHeld() const { return held; }
    void setHeld(bool value) { held = value; }
    // Drawn in the pass beneath the scene's objects.
    bool isPredraw() const { return predraw; }
    void setPredraw(bool value) { predraw = value; }
    // The live particle in ring order, oldest first (tests).
    const Particle* liveParticle(int index) const;

  protected:
    void allocateRing(int slots);
    void resetEmitter();
    void spawnParticle();
    void advanceParticles(float dtMs);

    ParticleDefinition definition;            // velocities and radii already scaled
    const std::string* effectName = nullptr;  // not owned
    int maxParticles = kDefaultMaxParticles;
    int capacity = 0;
    std::unique_ptr<Particle[]> particles;
    int writeIndex = 0, readIndex = 0, liveCount = 0;
    bool emitting = true, continuous = true, timed = false;
    bool predraw = false;
    bool held = false;
    float burstRemaining = 0.0f;  // ms
    float spawnInterval = 0.0f;   // ms; 0 never emits
    float spawnAccumulator = 0.0f;
    float age = 0.0f;
    Vec3 direction{0.0f, 1.0f, 0.0f};
    float directionAngle = 0.0f;  // degrees
    Vec3 lastPosition{}, anchorDelta{};
};
