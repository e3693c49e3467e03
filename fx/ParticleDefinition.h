#pragma once

#include <string>

#include "data/Plist.h"
#include "engine/Vector.h"

// The emission parameters of one particle effect, as its property list
// ("assets/plist/particles/" + name + ".plist") gives them. Velocities are
// units per second and radii units, both before the system's scale; times
// are milliseconds; colours and alphas 0 to 1; angles degrees.
struct ParticleDefinition {
    Vec3 velocity{}, endVelocity{}, velocityVar{}, endVelocityVar{};
    float minTtl = 0.0f, maxTtl = 0.0f;
    Vec3 minRadius{}, maxRadius{};
    float startAlpha = 0.0f, midAlpha = 0.0f, endAlpha = 0.0f, alphaMidTime = 0.0f;
    Vec3 startColour{}, endColour{};
    Vec3 startSize{}, endSize{}, startSizeVar{}, endSizeVar{};
    float rotateRate = 0.0f, initialRotateVar = 0.0f, rotateStart = 0.0f;
    float spawnRate = 0.0f;  // particles per second
    int maxNumParticles = 0;
    std::string textureFileName;  // kept; the manager draws from its own atlas
    int atlasFrame = 0;
    int numAtlasFrames = 0;  // frames after the first; 0 for a still image
    bool isDirectional = false;
    bool isLoopFrames = false;
    float isStretch = 0.0f;  // a factor, despite the name
    bool isFollowAnchor = false;
    bool isFlicker = false;
    float flickerRange = 0.0f;
};

// Reads every key of the particle list (a missing key gives 0, false or "").
// Returns null when the effect can be shown, otherwise the key that makes it
// unusable: a value that is not a finite number, no positive lifetime, a
// negative lifetime or size, or a size that is zero at both ends.
const char* readParticleDefinition(const Plist::Dictionary& list, ParticleDefinition& out);
