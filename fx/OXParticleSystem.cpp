#include "fx/OXParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/Plist.h"
#include "engine/RotationCorners.h"
#include "fx/FxMath.h"

using fxmath::randomFraction;
using fxmath::vary;

namespace {

// Into [0, 360] with one step, as rotations are kept.
float wrapOnce(float degrees) {
    if (degrees > 360.0f) {
        return degrees - 360.0f;
    }
    if (degrees < 0.0f) {
        return degrees + 360.0f;
    }
    return degrees;
}

Vec3 scaled(const Vec3& v, const Vec3& s) {
    return {v.x * s.x, v.y * s.y, v.z * s.z};
}

}  // namespace

OXParticleSystem::OXParticleSystem() = default;
OXParticleSystem::~OXParticleSystem() = default;

const std::string& OXParticleSystem::getEffectName() const {
    static const std::string none;
    return effectName ? *effectName : none;
}

void OXParticleSystem::load(const std::string& path) {
    IXRenderObject::load(path);
    maxParticles = kDefaultMaxParticles;
    definition = ParticleDefinition{};
    Plist::Dictionary list;
    if (!path.empty() && Plist::loadContent(path + ".plist", list)) {
        ParticleDefinition read;
        if (const char* unusable = readParticleDefinition(list, read)) {
            std::printf("PARTICLE EFFECT %s IS UNUSABLE (%s)\n", path.c_str(), unusable);
        } else {
            applyDefinition(read);
        }
    }
    allocateRing(std::min(maxParticles, kMaxCapacity));
    resetEmitter();
    effectName = nullptr;
}

void OXParticleSystem::loadPooled() {
    IXRenderObject::load("");
    maxParticles = kDefaultMaxParticles;
    allocateRing(kMaxCapacity);
    resetEmitter();
    emitting = false;
    visible = active = false;
}

void OXParticleSystem::allocateRing(int slots) {
    capacity = std::max(slots, 1);
    particles.reset(new Particle[static_cast<size_t>(capacity)]());
}

void OXParticleSystem::resetEmitter() {
    emitting = continuous = true;
    timed = false;
    spawnAccumulator = 0.0f;
    burstRemaining = 0.0f;
    clearParticles();
    emitting = true;
    age = 0.0f;
    direction = {0.0f, 1.0f, 0.0f};
    directionAngle = 0.0f;
    lastPosition = position;
    anchorDelta = {};
}

void OXParticleSystem::clearParticles() {
    for (int i = 0; i < capacity; ++i) {
        particles[i].alive = false;
    }
    writeIndex = readIndex = liveCount = 0;
    emitting = false;
}

void OXParticleSystem::applyDefinition(const ParticleDefinition& from) {
    definition = from;
    definition.velocity = scaled(from.velocity, scale);
    definition.endVelocity = scaled(from.endVelocity, scale);
    definition.velocityVar = scaled(from.velocityVar, scale);
    definition.endVelocityVar = scaled(from.endVelocityVar, scale);
    definition.minRadius = scaled(from.minRadius, scale);
    definition.maxRadius = scaled(from.maxRadius, scale);
    maxParticles = from.maxNumParticles;
    spawnInterval = from.spawnRate > 0.0f ? 1000.0f / from.spawnRate : 0.0f;
}

void OXParticleSystem::startEmitting() {
    continuous = true;
    spawnAccumulator = 0.0f;
    emitting = true;
}

void OXParticleSystem::setEmitting(bool value) {
    spawnAccumulator = 0.0f;
    emitting = value;
}

void OXParticleSystem::burst(float durationMs) {
    continuous = false;
    timed = true;
    burstRemaining = durationMs;
    visible = active = true;
    spawnAccumulator = 0.0f;
    emitting = true;
}

// ---- The frame ----

void OXParticleSystem::tick(float dtMs) {
    if (!active) {
        return;
    }
    directionAngle = -std::atan2(direction.x, direction.y) * fxmath::kDegreesPerRadian;
    age += dtMs;
    if (emitting && (continuous || (timed && burstRemaining > 0.0f))) {
        spawnAccumulator += dtMs;
        if (spawnInterval > 0.0f) {
            // A spawn rate far beyond the ring would spin here for nothing:
            // one frame fills the ring at most, and the rest drains.
            int spawns = 0;
            while (spawnAccumulator > spawnInterval && spawns <= capacity) {
                const int span = (writeIndex - readIndex + capacity) % capacity;
                if (span < capacity - 1 && liveCount < maxParticles) {
                    spawnParticle();
                }
                spawnAccumulator -= spawnInterval;
                ++spawns;
            }
            if (spawnAccumulator > spawnInterval) {
                spawnAccumulator = std::fmod(spawnAccumulator, spawnInterval);
            }
        }
    }
    // Outside the spawn test, so a burst of 0 ends too instead of holding
    // its system forever.
    if (emitting && timed) {
        burstRemaining -= dtMs;
        if (burstRemaining <= 0.0f) {
            timed = emitting = false;
            spawnAccumulator = 0.0f;
        }
    }
    if (definition.isFollowAnchor) {
        anchorDelta = position - lastPosition;
    }
    if (liveCount > 0) {
        advanceParticles(dtMs);
    }
    if (definition.isFollowAnchor) {
        lastPosition = position;
    }
}

void OXParticleSystem::spawnParticle() {
    Particle& p = particles[writeIndex];
    if (p.alive) {
        return;
    }
    const ParticleDefinition& d = definition;
    p.lifeTotal = p.lifeLeft = d.minTtl + (d.maxTtl - d.minTtl) * randomFraction();

    // Somewhere on the ring between the inner and outer radius, squeezed
    // into an ellipse when the two outer radii differ.
    const float angle = randomFraction() * 360.0f;
    const float outer = std::max(d.maxRadius.x, d.maxRadius.y);
    const float inner = std::max(d.minRadius.x, d.minRadius.y);
    const float distance = inner + randomFraction() * (outer - inner);
    Vec3 offset{fxmath::tableSin(angle) * distance, fxmath::tableCos(angle) * distance, 0.0f};
    if (d.maxRadius.x > d.maxRadius.y) {
        offset.y *= d.maxRadius.y / std::max(d.maxRadius.x, 0.1f);
    } else if (d.maxRadius.y > d.maxRadius.x) {
        offset.x *= d.maxRadius.x / std::max(d.maxRadius.y, 0.1f);
    }
    p.position = position + fxmath::turned(offset, directionAngle);

    // One draw per axis, shared by the start and end velocity.
    float r = randomFraction();
    p.startVelocity.x = vary(d.velocity.x, d.velocityVar.x, r);
    p.endVelocity.x = vary(d.endVelocity.x, d.endVelocityVar.x, r);
    r = randomFraction();
    p.startVelocity.y = vary(d.velocity.y, d.velocityVar.y, r);
    p.endVelocity.y = vary(d.endVelocity.y, d.endVelocityVar.y, r);
    r = randomFraction();
    p.startVelocity.z = vary(d.velocity.z, d.velocityVar.z, r);
    p.endVelocity.z = vary(d.endVelocity.z, d.endVelocityVar.z, r);
    if (d.isDirectional) {
        p.startVelocity = fxmath::turned(p.startVelocity, directionAngle);
        p.endVelocity = fxmath::turned(p.endVelocity, directionAngle);
    }

    // Sizes never go below zero, whatever the variation.
    r = randomFraction();
    p.startSize.x = std::max(0.0f, vary(d.startSize.x, d.startSizeVar.x, r));
    p.endSize.x = std::max(0.0f, vary(d.endSize.x, d.endSizeVar.x, r));
    if (d.startSizeVar.y != d.startSizeVar.x) {
        r = randomFraction();
    }
    p.startSize.y = std::max(0.0f, vary(d.startSize.y, d.startSizeVar.y, r));
    p.endSize.y = std::max(0.0f, vary(d.endSize.y, d.endSizeVar.y, r));
    p.startSize.z = std::max(0.0f, vary(d.startSize.z, d.startSizeVar.z, r));
    p.endSize.z = std::max(0.0f, vary(d.endSize.z, d.endSizeVar.z, r));
    p.size = {1.0f, 1.0f, 1.0f};

    p.alpha = d.startAlpha;
    p.colour = d.startColour;
    float turn = 0.0f;
    if (d.rotateRate == 0.0f && d.initialRotateVar == 0.0f && d.rotateStart == 0.0f) {
        turn = randomFraction() * 360.0f;
    } else {
        turn = d.rotateStart;
        if (d.initialRotateVar != 0.0f) {
            turn += randomFraction() * d.initialRotateVar - d.initialRotateVar * 0.5f;
        }
    }
    p.rotation = wrapOnce(turn + directionAngle);
    p.stretch = 0.0f;
    p.frame = 0;
    p.frameTimer = 0.0f;
    p.alive = true;
    writeIndex = (writeIndex + 1) % capacity;
    ++liveCount;
}

// Oldest to newest. A particle that dies leaves a hole; the oldest slot moves
// on only past dead ones, so a long-lived particle behind a short-lived one
// keeps its place and keeps moving.
void OXParticleSystem::advanceParticles(float dtMs) {
    const ParticleDefinition& d = definition;
    const float seconds = dtMs * 0.001f;
    const float toMid = d.alphaMidTime;
    for (int i = readIndex; i != writeIndex; i = (i + 1) % capacity) {
        Particle& p = particles[i];
        if (!p.alive) {
            continue;
        }
        p.lifeLeft -= dtMs;
        if (p.lifeLeft <= 0.0f) {
            p.alive = false;
            --liveCount;
            continue;
        }
        const float t = (p.lifeTotal - p.lifeLeft) / p.lifeTotal;
        const Vec3 v = p.startVelocity * (1.0f - t) + p.endVelocity * t;
        const Vec3 step = v * seconds;
        p.position = p.position + step;
        if (d.isFollowAnchor) {
            p.position = p.position + anchorDelta;
        }
        p.size = p.startSize + (p.endSize - p.startSize) * t;

        float alpha = 0.0f;
        if (t < toMid) {
            alpha = d.startAlpha + (d.midAlpha - d.startAlpha) * t / toMid;
        } else {
            alpha = d.midAlpha + (d.endAlpha - d.midAlpha) * (t - toMid) / (1.0f - toMid);
        }
        if (d.isFlicker) {
            alpha *= d.flickerRange * randomFraction() + (1.0f - d.flickerRange);
        }
        p.alpha = alpha;
        p.colour = d.startColour + (d.endColour - d.startColour) * t;

        if (d.isDirectional && d.isStretch > 0.0f) {
            p.stretch = 0.05f * (step.x * step.x + step.y * step.y + step.z * step.z);
            p.rotation = wrapOnce(-std::atan2(v.x, v.y) * fxmath::kDegreesPerRadian);
        } else {
            p.rotation = wrapOnce(p.rotation + d.rotateRate * t);
        }
        if (d.numAtlasFrames > 0) {
            p.frameTimer += dtMs;
            if (p.frameTimer > kFrameStepMs) {
                p.frameTimer = 0.0f;
                if (++p.frame > d.numAtlasFrames) {
                    if (d.isLoopFrames) {
                        p.frame = 0;
                    } else {
                        p.alive = false;
                        --liveCount;
                    }
                }
            }
        }
    }
    while (readIndex != writeIndex && !particles[readIndex].alive) {
        readIndex = (readIndex + 1) % capacity;
    }
}

const Particle* OXParticleSystem::liveParticle(int index) const {
    for (int i = readIndex; i != writeIndex; i = (i + 1) % capacity) {
        if (particles[i].alive && index-- == 0) {
            return &particles[i];
        }
    }
    return nullptr;
}

// ---- Vertices ----

int OXParticleSystem::buildVertices(BatchVertex* out, float frameU, float frameV, float cellWidth,
                                    float cellHeight) const {
    const ParticleDefinition& d = definition;
    const bool stretching = d.isDirectional && d.isStretch > 0.0f;
    BatchVertex* v = out;
    for (int i = readIndex; i != writeIndex; i = (i + 1) % capacity) {
        const Particle& p = particles[i];
        if (!p.alive) {
            continue;
        }
        float sx = p.size.x, sy = p.size.y;
        const float sz = p.size.z;
        if (stretching) {
            // Drawn longer along its motion the faster it moves.
            sy *= 1.0f + p.stretch * d.isStretch;
        }
        const RotationCorner& c = rotationCorner(wrapDegrees(p.rotation));
        const Vec3 e1{sx * c.a, sy * c.b, sz * c.unused};
        const Vec3 e2{-sx * c.b, sy * c.a, 0.0f};
        const float a = p.alpha;
        const float r = p.colour.x * colour.r * a, g = p.colour.y * colour.g * a,
                    b = p.colour.z * colour.b * a;
        const float alpha = colour.a * a * a;
        const float u0 = frameU + static_cast<float>(p.frame) * cellWidth;
        const float u1 = u0 + cellWidth;
        const float v1 = frameV + cellHeight;
        // The quad's corners: its centre moved back and forth along two edge vectors.
        const Vec3& at = p.position;
        const QuadCorner corners[4] = {{at.x - e1.x, at.y - e1.y, at.z - e1.z, u0, frameV},
                                       {at.x + e2.x, at.y + e2.y, at.z + e2.z, u0, v1},
                                       {at.x - e2.x, at.y - e2.y, at.z - e2.z, u1, frameV},
                                       {at.x + e1.x, at.y + e1.y, at.z + e1.z, u1, v1}};
        v = writeQuad(v, QuadOrder::Strip, corners, r, g, b, alpha);
    }
    return static_cast<int>(v - out);
}
