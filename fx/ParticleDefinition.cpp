#include "fx/ParticleDefinition.h"

#include "data/PlistRead.h"

namespace {

using FloatField = float ParticleDefinition::*;
using VecField = Vec3 ParticleDefinition::*;

struct VecKeys {
    const char* x;
    const char* y;
    const char* z;
    VecField field;
};

// The list's own spellings, "endValVarZ" included.
const VecKeys kVectors[] = {
    {"velocityX", "velocityY", "velocityZ", &ParticleDefinition::velocity},
    {"endVelocityX", "endVelocityY", "endVelocityZ", &ParticleDefinition::endVelocity},
    {"velocityVarX", "velocityVarY", "velocityVarZ", &ParticleDefinition::velocityVar},
    {"endVelVarX", "endVelVarY", "endValVarZ", &ParticleDefinition::endVelocityVar},
    {"minRadiusX", "minRadiusY", "minRadiusZ", &ParticleDefinition::minRadius},
    {"maxRadiusX", "maxRadiusY", "maxRadiusZ", &ParticleDefinition::maxRadius},
    {"startColorR", "startColorG", "startColorB", &ParticleDefinition::startColour},
    {"endColorR", "endColorG", "endColorB", &ParticleDefinition::endColour},
    {"startSizeX", "startSizeY", "startSizeZ", &ParticleDefinition::startSize},
    {"endSizeX", "endSizeY", "endSizeZ", &ParticleDefinition::endSize},
    {"startSizeVarX", "startSizeVarY", "startSizeVarZ", &ParticleDefinition::startSizeVar},
    {"endSizeVarX", "endSizeVarY", "endSizeVarZ", &ParticleDefinition::endSizeVar},
};

struct FloatKey {
    const char* key;
    FloatField field;
};

const FloatKey kFloats[] = {
    {"minTtl", &ParticleDefinition::minTtl},
    {"maxTtl", &ParticleDefinition::maxTtl},
    {"startAlpha", &ParticleDefinition::startAlpha},
    {"midAlpha", &ParticleDefinition::midAlpha},
    {"endAlpha", &ParticleDefinition::endAlpha},
    {"alphaMidTime", &ParticleDefinition::alphaMidTime},
    {"rotateRate", &ParticleDefinition::rotateRate},
    {"initialRotateVar", &ParticleDefinition::initialRotateVar},
    {"rotateStart", &ParticleDefinition::rotateStart},
    {"spawnRate", &ParticleDefinition::spawnRate},
    {"isStretch", &ParticleDefinition::isStretch},
    {"flicker range", &ParticleDefinition::flickerRange},
};

}  // namespace

const char* readParticleDefinition(const Plist::Dictionary& list, ParticleDefinition& out) {
    out = ParticleDefinition{};
    // A number the read form refuses (NaN, infinite, out of a float's range) makes the whole
    // effect unusable: it draws nothing rather than a spray at a made-up default.
    const char* unusable = nullptr;
    auto readNumber = [&](const char* key, float& field) {
        if (!Plist::read(list, key, field, 0.0f) && list.count(key) != 0 && !unusable) {
            unusable = key;
        }
    };
    for (const VecKeys& keys : kVectors) {
        Vec3& v = out.*keys.field;
        readNumber(keys.x, v.x);
        readNumber(keys.y, v.y);
        readNumber(keys.z, v.z);
    }
    for (const FloatKey& key : kFloats) {
        readNumber(key.key, out.*key.field);
    }
    Plist::read(list, "maxNumParticles", out.maxNumParticles, 0);
    Plist::read(list, "textureFileName", out.textureFileName);
    Plist::read(list, "atlasFrame", out.atlasFrame, 0);
    Plist::read(list, "numAtlasFrames", out.numAtlasFrames, 0);
    Plist::read(list, "isDirectional", out.isDirectional, false);
    Plist::read(list, "isLoopFrames", out.isLoopFrames, false);
    Plist::read(list, "isFollowAnchor", out.isFollowAnchor, false);
    Plist::read(list, "is flicker", out.isFlicker, false);

    // Values that would divide by zero or draw turned-inside-out quads.
    if (unusable) {
        return unusable;
    }
    if (out.minTtl < 0.0f) {
        return "minTtl";
    }
    if (out.maxTtl <= 0.0f) {
        return "maxTtl";
    }
    const float sizes[] = {out.startSize.x, out.startSize.y, out.endSize.x, out.endSize.y};
    const char* sizeKeys[] = {"startSizeX", "startSizeY", "endSizeX", "endSizeY"};
    for (int i = 0; i < 4; ++i) {
        if (sizes[i] < 0.0f) {
            return sizeKeys[i];
        }
    }
    if (out.startSize.x <= 0.0f && out.endSize.x <= 0.0f) {
        return "startSizeX";
    }
    if (out.startSize.y <= 0.0f && out.endSize.y <= 0.0f) {
        return "startSizeY";
    }
    if (out.numAtlasFrames < 0) {
        out.numAtlasFrames = 0;
    }
    if (out.atlasFrame < 0) {
        out.atlasFrame = 0;
    }
    if (out.alphaMidTime < 0.0f) {
        out.alphaMidTime = 0.0f;
    } else if (out.alphaMidTime > 1.0f) {
        out.alphaMidTime = 1.0f;
    }
    return nullptr;
}
