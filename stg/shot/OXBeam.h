#pragma once

#include <string>

#include "engine/OXSprite.h"
#include "stg/shot/OwnerKind.h"

class CXBulletManager;
class IXShotEffects;
class OXLauncher;
class OXLauncherPlatform;
struct BeamProperties;

// One slot of the bullet manager's beam pool: a straight laser growing out of
// the launcher that fired it. It warns first (a pulsing line, harmless), then
// widens, holds and narrows over its life; it stops at the first thing it
// touches or passes through everything when penetrating, damages what it
// touches each frame, and may cancel enemy bullets in its path. Its
// position is where it starts, its direction (degrees, 0 up) where it
// points; the bullet manager's beam pass draws it.
class OXBeam : public OXSprite {
  public:
    static constexpr float kWarningEffectLeadMs = 700.0f;
    static constexpr float kHitEffectGapMs = 100.0f;
    static constexpr float kBeamMarkMs = 300.0f;
    static constexpr float kBossCancelRadius = 100.0f;
    // Units: however thin a beam starts, its warning line is drawn at least this wide, so it
    // reads on the smallest window.
    static constexpr float kWarningDrawWidth = 14.0f;

    ~OXBeam() override;
    // Pooled: loaded with an empty path, then hidden and inactive.
    void load(const std::string& path) override;
    void tick(float dtMs) override;
    // The bullet manager's beam pass draws beams; a beam draws nothing itself.
    void draw() override {}
    // The parent is the launcher the beam follows.
    void setParent(IXRenderObject* newParent) override;

    // Takes the type's values for one shot from `launcher` (which may be
    // null) at `at`, pointing along `direction`; `beamValue` lengthens its
    // life and its full width, `speedOffset` adds to its growth. Visible and
    // active from here.
    void fire(const BeamProperties& type, float direction, const Vec3& at, float speedOffset, float beamValue,
              OXLauncherPlatform* owner, OXLauncher* launcher, CXBulletManager* manager);
    // A slot is free while it is neither visible nor active.
    bool isFree() const { return !visible && !active; }
    // Effects stopped, hidden, inactive, unlinked: back in the pool.
    void end();

    OXLauncher* getLauncher() const { return launcher; }
    void setOwner(OXLauncherPlatform* value) { owner = value; }
    OXLauncherPlatform* getOwner() const { return owner; }
    void setOwnerKind(int kind) { ownerKind = kind; }
    int getOwnerKind() const { return ownerKind; }
    // Offset from the launcher's position, kept while the beam lives.
    void setLauncherOffset(const Vec3& value) { launcherOffset = value; }

    // ---- Read by the beam pass and the tests ----
    float getWidth() const { return width; }
    float getDrawnLength() const { return drawnLength; }
    float getExtendedLength() const { return extendedLength; }
    float getDirection() const { return direction; }
    float getElapsed() const { return elapsed; }
    float getDuration() const { return duration; }
    float getDamage() const { return damage; }
    bool isWarning() const { return elapsed <= warningHoldTime; }
    bool isWarningEffectStarted() const { return warningEffectCreated; }
    bool hitThisFrame() const { return hitFlag; }
    const Vec3& getHitPoint() const { return hitPoint; }
    // Halfway along the drawn length: where the quad is centred.
    const Vec3& getCentre() const { return centre; }
    int getAtlasFrame() const { return atlasFrame; }
    int getFlickerFrame() const { return atlasFlickerFrame; }
    int getHitGfxFrame() const { return hitGfxFrame; }
    int getHitGfxFrameNum() const { return hitGfxFrameNum; }
    // Counts the frames the beam has lived: the blink and the flicker read it.
    unsigned getFrameCount() const { return frameCount; }

  private:
    void collide();
    void collideEnemyBeam(float& cut);
    void collidePlayerBeam(float& cut);
    // How far along the beam the closest point to `object` lies, and whether
    // the beam's width touches it there.
    bool touches(const IXRenderObject& object, float& along) const;
    void showHit(const Vec3& at);
    void cancelBullets();
    void stopEffects();
    // The manager's effects, or effects that show nothing without a manager.
    IXShotEffects& effects() const;
    Vec3 unitDirection() const;
    // An enemy beam that hunts the ship turns its base direction towards it, by at most its rate.
    void turnTowardsShip(float dtMs);

    // From the type, per shot.
    float damage = 0.0f;
    float duration = 0.0f;
    float widthStart = 0.0f, widthMed = 0.0f, widthEnd = 0.0f;
    float widthMedTime = 0.0f, widthEndTime = 0.0f;
    float widthRate1 = 0.0f, widthRate2 = 0.0f;
    float warningHoldTime = 0.0f;
    float extendRate = 0.0f;
    float startLength = 0.0f, maxLength = 0.0f;
    int atlasFrame = 0, atlasFlickerFrame = 0, hitGfxFrame = -1, hitGfxFrameNum = -1;
    bool penetrate = false, singleHit = false, bulletCancel = false, useParentRotation = false;
    const std::string* hitEffect = nullptr;  // in the manager's beam types
    const std::string* shootEffect = nullptr;
    const std::string* warningEffect = nullptr;

    // State.
    float width = 0.0f;
    float drawnLength = 0.0f;
    float extendedLength = 0.0f;
    float direction = 0.0f;      // degrees
    float baseDirection = 0.0f;  // degrees
    float directionChanged = 0.0f;
    float directionChangeRate = 0.0f;  // degrees per ms
    float directionChangeLeft = 0.0f;  // ms
    float aimTurnRate = 0.0f;          // degrees per ms
    float elapsed = 0.0f;              // ms
    Vec3 centre{};
    Vec3 hitPoint{};
    IXRenderObject hitAnchor;  // where the attached shoot effect sits
    IXRenderObject* shootEffectHandle = nullptr;
    bool shootEffectStarted = false;
    bool warningEffectCreated = false;
    bool hitFlag = false;
    float hitCooldown = 0.0f;        // ms
    float bossPrizeCooldown = 0.0f;  // ms: a penetrating beam's prizes pour from the boss this often
    bool hasHit = false;             // a single-hit beam has had its frame
    unsigned frameCount = 0;

    int ownerKind = OwnerPlayerBeam;
    OXLauncher* launcher = nullptr;       // not owned
    OXLauncherPlatform* owner = nullptr;  // not owned
    CXBulletManager* manager = nullptr;   // not owned
    Vec3 launcherOffset{};
};
