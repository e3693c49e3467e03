#include "stg/game/CXStageEffects.h"

#include "engine/BlendMode.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/OXAnchorParticleSystem.h"

CXStageEffects::CXStageEffects()
    : particleManager(std::make_unique<CXParticleEffectManager>(CXParticleEffectManager::kStagePoolSize)),
      trailManager(std::make_unique<CXTrailEffectManager>()) {}

CXStageEffects::~CXStageEffects() = default;

void CXStageEffects::loadParticles(const std::string& atlasPath) {
    particleManager->load(atlasPath);
    // Premultiplied blending: a system tinted with alpha 0 adds light, one
    // with alpha 1 covers, both in the same batch.
    particleManager->setBlendMode(BlendPremultiplied);
}

void CXStageEffects::loadTrails(const std::string& atlasPath) {
    trailManager->load(atlasPath);
    trailManager->setBlendMode(BlendAdditive);  // ribbons are light
}

void CXStageEffects::preloadEffect(const std::string& name) {
    particleManager->preloadEffect(name);
}

IXRenderObject* CXStageEffects::startAttachedEffect(const std::string& name, const IXRenderObject& anchor,
                                                    bool glow) {
    return particleManager->attach(name, anchor, glow);
}

IXRenderObject* CXStageEffects::startPredrawEffect(const std::string& name, const IXRenderObject& anchor) {
    return particleManager->attach(name, anchor, false, true);
}

void CXStageEffects::stopEffect(IXRenderObject* effect) {
    particleManager->stop(effect);
}

bool CXStageEffects::attachTrail(const IXRenderObject& target, int frame, float width) {
    return trailManager->spawnTrail(&target, frame, width, {}) != nullptr;
}

void CXStageEffects::detachTrail(const IXRenderObject& target) {
    trailManager->releaseTrail(&target);
}

void CXStageEffects::playAt(const std::string& name, const Vec3& position, const Vec3& direction,
                            float strength) {
    particleManager->play(name, position, direction, strength, true);
}

void CXStageEffects::playCovering(const std::string& name, const Vec3& position, const Vec3& direction,
                                  float durationMs) {
    particleManager->play(name, position, direction, durationMs, false);
}
