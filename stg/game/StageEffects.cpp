#include "stg/game/StageEffects.h"

#include "engine/BlendMode.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/OXAnchorParticleSystem.h"

StageEffects::StageEffects()
    : particleManager(std::make_unique<CXParticleEffectManager>(CXParticleEffectManager::kStagePoolSize)),
      trailManager(std::make_unique<CXTrailEffectManager>()) {}

StageEffects::~StageEffects() = default;

void StageEffects::loadParticles(const std::string& atlasPath) {
    particleManager->load(atlasPath);
    // Premultiplied blending: a system tinted with alpha 0 adds light, one
    // with alpha 1 covers, both in the same batch.
    particleManager->setBlendMode(BlendPremultiplied);
}

void StageEffects::loadTrails(const std::string& atlasPath) {
    trailManager->load(atlasPath);
    trailManager->setBlendMode(BlendAdditive);  // ribbons are light
}

void StageEffects::preloadEffect(const std::string& name) {
    particleManager->preloadEffect(name);
}

IXRenderObject* StageEffects::startAttachedEffect(const std::string& name, const IXRenderObject& anchor,
                                                  bool glow) {
    return particleManager->attach(name, anchor, glow);
}

IXRenderObject* StageEffects::startPredrawEffect(const std::string& name, const IXRenderObject& anchor) {
    return particleManager->attach(name, anchor, false, true);
}

void StageEffects::stopEffect(IXRenderObject* effect) {
    particleManager->stop(effect);
}

bool StageEffects::attachTrail(const IXRenderObject& target, int frame, float width) {
    return trailManager->spawnTrail(&target, frame, width, {}) != nullptr;
}

void StageEffects::detachTrail(const IXRenderObject& target) {
    trailManager->releaseTrail(&target);
}

void StageEffects::playAt(const std::string& name, const Vec3& position, const Vec3& direction,
                          float strength) {
    particleManager->play(name, position, direction, strength, true);
}

void StageEffects::playCovering(const std::string& name, const Vec3& position, const Vec3& direction,
                                float durationMs) {
    particleManager->play(name, position, direction, durationMs, false);
}
