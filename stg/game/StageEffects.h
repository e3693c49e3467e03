#pragma once

#include <memory>
#include <string>

#include "stg/shot/IXShotEffects.h"

class CXParticleEffectManager;
class CXTrailEffectManager;

// The particle effects and trails of one stage, as bullets, enemies and the
// ship reach them: the stage's particle effect manager (its pool, the
// predraw and normal passes) and trail manager behind the shot layer's
// effects interface. Made with the game scene, so a stage always has its
// effects; an atlas or effect file that is missing only shows nothing.
class StageEffects : public IXShotEffects {
  public:
    StageEffects();
    ~StageEffects() override;

    // Loads the two atlases (package paths without ".plist").
    void loadParticles(const std::string& atlasPath);
    void loadTrails(const std::string& atlasPath);

    CXParticleEffectManager& particles() const { return *particleManager; }
    CXTrailEffectManager& trails() const { return *trailManager; }

    // ---- IXShotEffects ----
    void preloadEffect(const std::string& name) override;
    IXRenderObject* startAttachedEffect(const std::string& name, const IXRenderObject& anchor,
                                        bool glow) override;
    void stopEffect(IXRenderObject* effect) override;
    bool attachTrail(const IXRenderObject& target, int frame, float width) override;
    void detachTrail(const IXRenderObject& target) override;
    // A burst of `strength` milliseconds, drawn as light.
    void playAt(const std::string& name, const Vec3& position, const Vec3& direction,
                float strength) override;

    // An attached effect drawn beneath the scene's objects.
    IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor);
    // A burst of `durationMs` that covers what lies beneath (smoke, debris)
    // rather than adding light.
    void playCovering(const std::string& name, const Vec3& position, const Vec3& direction, float durationMs);

  private:
    std::unique_ptr<CXParticleEffectManager> particleManager;
    std::unique_ptr<CXTrailEffectManager> trailManager;
};
