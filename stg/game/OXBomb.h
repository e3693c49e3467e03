#pragma once

#include <memory>
#include <string>

#include "engine/OXSprite.h"

class CXBulletManager;
class IXPlayerWorld;
class IXShotEffects;

// The player's bomb: a growing blast that clears enemy bullets inside a
// cancel radius growing 1.7 units per ms from 10 up to 400. Its list adds to
// the sprite keys "effect" (particles following the bomb), "blast effect"
// (particles for the first 15 % of the blast), "damage" and "blastwave" (a
// sprite list). The game scene owns it, places it and reads its damage.
class OXBomb : public OXSprite {
  public:
    static constexpr float kStartRadius = 10.0f;   // units
    static constexpr float kRadiusGrowth = 1.7f;   // units per ms
    static constexpr float kMaxRadius = 400.0f;    // units
    static constexpr float kEndGraceMs = 1000.0f;  // the scene's bullet grace when the blast ends

    OXBomb();
    ~OXBomb() override;

    void load(const std::string& path) override;
    void update(float dtMs) override;
    void draw() override;
    void setWorld(IXPlayerWorld* value) { world = value; }
    void setBulletManager(CXBulletManager* value) { bullets = value; }
    // Goes off at the bomb's position for `durationMs`.
    void detonate(float durationMs);
    bool isDetonating() const { return timeLeft > 0.0f; }
    float getCancelRadius() const { return cancelRadius; }
    float getTimeLeft() const { return timeLeft; }
    float getDamage() const { return damage; }
    const OXSprite* getBlastwave() const { return blastwave.get(); }

  private:
    void stopEffects();
    // The scene's effects, or effects that show nothing.
    IXShotEffects& effects() const;
    void finish();

    IXPlayerWorld* world = nullptr;         // not owned
    CXBulletManager* bullets = nullptr;     // not owned
    float timeLeft = 0.0f;                  // ms
    float blastTimeLeft = 0.0f;             // ms the blast effect still emits
    float cancelRadius = 0.0f;              // units
    float damage = 0.0f;                    // what the blast does to enemies it reaches
    std::string effectName;                 // particle list, follows the bomb
    std::string blastEffectName;            // particle list, the first 15 % of the blast
    IXRenderObject* effect = nullptr;       // handle of the effects, not owned
    IXRenderObject* blastEffect = nullptr;  // handle of the effects, not owned
    std::unique_ptr<OXSprite> blastwave;
};
