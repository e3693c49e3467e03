#pragma once

#include <string>

#include "data/Plist.h"
#include "stg/enemy/EnemyDefinition.h"
#include "stg/enemy/EnemyDictionary.h"
#include "stg/enemy/OXEnemyLabel.h"
#include "stg/enemy/OXEnemyModule.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/OXLauncherPlatform.h"

class EnemyContext;
class IXEnemyPlayer;
class IXEnemyWorld;
class IXShotEffects;

// One pooled enemy. Spawned from its definition, it descends into the play
// plane, runs its movement nodes one after another (heading, speed, depth,
// facing, effects, the launchers the node names for the difficulty), rams the
// player, takes shots on its body and its modules, and when its hit points
// are gone scores, may run a death movement with debris and prizes, explodes
// and returns to the pool. Its movement nodes and names point into its
// definition, read once when the stage loads, which outlives every spawn.
class OXEnemy : public OXLauncherPlatform, public IXShootable {
  public:
    static constexpr int kLauncherSlots = 6;
    static constexpr int kModuleSlots = 5;
    static constexpr int kMaxMovementNodes = enemydict::kIndexedKeyCount;

    // Times and distances of the behaviour.
    static constexpr float kEntryMs = 100.0f;
    static constexpr float kPlayPlaneZ = 15.0f;
    static constexpr float kDyingZ = 1000.0f;
    static constexpr float kRamReachSq = 25600.0f;    // 160 units
    static constexpr float kNearSq = 57600.0f;        // 240 units
    static constexpr float kNearSqCasual = 40000.0f;  // 200 units
    static constexpr float kBeamMarkMs = 300.0f;
    static constexpr float kFlashMs = 48.0f;          // a hit's bright flash
    static constexpr float kHitFlashRestMs = 360.0f;  // from one bright flash to the next, at least
    static constexpr float kHitGlowMs = 60.0f;        // the faint glow held after every hit
    static constexpr float kHitFlashLift = 0.9f;      // how far towards white the flash lights the hull
    static constexpr float kHitGlowLift = 0.2f;
    static constexpr float kDyingBurstMs = 200.0f;
    static constexpr float kLabelMinWidth = 40.0f;  // x size from which an enemy carries a label
    static constexpr float kLabelShownMs = 64.0f;
    static constexpr float kLabelHiddenMs = 12.0f;
    // The play field as the stage's camera frames it, in units: a carrier launches and a shield
    // holds only inside it.
    static constexpr float kFieldLeft = -60.0f, kFieldRight = 380.0f;
    static constexpr float kFieldBottom = 0.0f, kFieldTop = 480.0f;
    // A blinking enemy comes back in the upper two thirds of the field.
    static constexpr float kBlinkLowestY = kFieldTop / 3.0f;
    static constexpr float kBlinkFadeMs = 150.0f;

    OXEnemy();
    ~OXEnemy() override;

    // Makes the six launchers and the five modules, once; the definition is
    // read at each spawn instead (applyDefinition).
    void createParts(const Plist::Dictionary& definition) override;
    void tick(float dtMs) override;
    virtual void updateBehaviour(float dtMs);

    void setContext(EnemyContext* value) { context = value; }
    // Spawn steps 3 to 8: launchers reset, position, size, frames, values,
    // launcher slots, movement nodes, death node, modules. `casual` chooses
    // the default break amount.
    void applyDefinition(const EnemyDefinition& definition, const Vec3& at, float angle, bool casual,
                         int atlasColumns, int atlasRows);
    // The end of a spawn: timers, label, modules; the entry into the play plane begins.
    void activate();
    // The death handler: cancels, score, then the death movement or the final explosion.
    void kill();
    // Back to the pool.
    void release();
    // The box test without damage (ramming).
    bool touches(const IXRenderObject& object) const;
    // The player's beam touched it: bullet cancels and prizes change for a while.
    void markByBeam() override { beamMarkTimer = kBeamMarkMs; }
    // While positive the enemy holds still.
    void setDelay(float ms) { delayTime = ms; }
    // True once after the player destroyed an enemy that splits: its manager then spawns the
    // pieces where it died (getSplitType, getSplitCount, getSplitSpread about getHeading).
    bool takeSplit() {
        const bool pending = splitPending;
        splitPending = false;
        return pending;
    }
    const std::string& getSplitType() const;
    int getSplitCount() const { return splitCount; }
    float getSplitSpread() const { return splitSpread; }

    // ---- Carriers, shields and blinks ----
    // True once each time a carrier's launch is due: its manager then spawns an enemy of
    // getLaunchType() at launchPoint(), flying its own nodes relative to the carrier's spawn angle.
    bool takeLaunch() {
        const bool pending = launchPending;
        launchPending = false;
        return pending;
    }
    const std::string& getLaunchType() const;
    Vec3 launchPoint() const;
    int getLaunchesLeft() const { return launchesLeft; }
    // Its centre lies inside the play field.
    bool isInField() const;
    // The type it was spawned as (the name in its manager's cache), and the type whose living
    // enemies shield it, or null; both set by the manager at the spawn.
    void setTypeKeys(const std::string* type, const std::string* shieldingType) {
        typeKey = type;
        shieldKey = shieldingType;
    }
    const std::string* getTypeKey() const { return typeKey; }
    const std::string* getShieldKey() const { return shieldKey; }
    // While shielded it takes no damage on its body or its modules; shots are spent on it.
    void setShielded(bool value) { shielded = value; }
    bool isShielded() const { return shielded; }
    int getShieldFrame() const { return shieldFrame; }
    // 0 ... 1, the shield's pulse for its look.
    float shieldGlow() const;
    // Gone out of space until it comes back at getBlinkTarget(): no shots, no firing, no ramming.
    bool isBlinkedOut() const { return blinkOut; }
    const Vec3& getBlinkTarget() const { return blinkTarget; }
    int getBlinkMarkerFrame() const { return blinkMarkerFrame; }

    // ---- Formations ----
    // Flies with `leader` at `offset` from it, running its own nodes for its launchers and effects
    // but not for its motion, until the leader goes.
    void follow(const OXEnemy& leader, const Vec3& offset);
    // The leader was shot down: the follower flies on from its "break node" (after its entry).
    void breakFormation();
    // Takes its place beside the leader; called after every enemy has moved.
    void keepFormation();
    const OXEnemy* getLeader() const { return leader; }
    void setLeadsFormation(bool value) { leadsFormation = value; }
    bool isFormationLeader() const { return leadsFormation; }
    // Destroyed by the player in this spawn (not gone off the field).
    bool wasShotDown() const { return shotDown; }

    // IXShootable.
    const IXRenderObject& body() const override { return *this; }
    ShotContact hitTest(const IXRenderObject& shot, float change) override;
    void applyDamage(float change) override {
        if (!shielded || change >= 0.0f) {
            hitPoints += change;
        }
    }
    // Flying in, or out of space in a blink: shots pass.
    bool isEntering() const override { return entering || blinkOut; }
    bool isFlyingIn() const { return entering; }
    bool isDying() const override { return dying; }
    bool isFriendly() const override { return friendly; }
    bool isInvincible() const override { return false; }
    bool hasLiveModules() const override { return liveModuleCount > 0; }
    bool blocksBeams() const override { return beamBlocker; }
    // The body's radius, or farther to the edge of a part that can still be hit.
    float shotReach() const override;
    void setLastHitDirection(float degrees) override { lastHitDirection = degrees; }
    int beamPartCount() const override { return kModuleSlots; }
    const IXRenderObject* beamPart(int index) const override;
    void damagePart(int index, float change) override;

    // A text box may show the label instead of the enemy's own; null goes back to it.
    void setLabel(IXEnemyLabel* value) { label = value ? value : &ownLabel; }
    const OXEnemyLabel& getOwnLabel() const { return ownLabel; }
    bool hasLabel() const { return labelOpen; }

    // Serial of the current spawn: tells a reused pool object from the enemy it was.
    unsigned getSpawnSerial() const { return spawnSerial; }
    void setSpawnSerial(unsigned value) { spawnSerial = value; }

    float getUnitWidth() const { return unitWidth; }
    float getUnitHeight() const { return unitHeight; }
    int getAtlasFrame() const { return atlasFrame; }
    int getFlickerFrame() const { return flickerFrame; }
    FaceDirection getFacingKind() const { return facingKind; }
    float getHeading() const { return heading; }
    float getFacing() const { return facing; }
    float getFacingTarget() const { return facingTarget; }
    float getSpawnAngle() const { return spawnAngle; }
    float getSpeed() const { return speed; }
    float getDepth() const { return depth; }
    int getNodeIndex() const { return nodeIndex; }
    float getNodeTimeLeft() const { return nodeTimeLeft; }
    bool isChasing() const { return playerChase; }
    int getMovementNodeCount() const { return movementNodeCount; }
    bool hasDeathNode() const { return deathNode != nullptr; }
    int getPrizeOnDeath() const { return prizeOnDeath; }
    int getUpgradeOnDeath() const { return upgradeOnDeath; }
    ExplosionSize getExplosionSize() const { return explosion; }
    float getPoints() const { return points; }
    float getBreakAmount() const { return breakAmount; }
    bool isObstacle() const { return obstacle; }
    bool cancelsBulletsOnDeath() const { return cancelBulletsOnDeath; }
    float getBeamMarkTimer() const { return beamMarkTimer; }
    bool isPlayerNear() const { return playerNear; }
    bool isFlashOn() const { return flashOn; }
    float getLastHitDirection() const { return lastHitDirection; }
    const Vec3& getLastPosition() const { return lastPosition; }
    const std::string& getEffectName() const;
    bool hasRunningEffect() const { return effect != nullptr; }
    int getLiveModuleCount() const { return liveModuleCount; }
    const OXEnemyModule& module(int index) const { return modules[index]; }
    OXEnemyModule& module(int index) { return modules[index]; }
    // Draw pass phase of the dying flicker: true while the flicker frame shows.
    bool showsFlickerFrame() const { return dyingBurstTimer > kDyingBurstMs * 0.5f; }

  protected:
    IXEnemyWorld* world() const;
    // The scene's effects, or effects that show nothing.
    IXShotEffects& effects() const;
    IXEnemyPlayer* player() const;

    // The rest is the enemy's own; the boss, an enemy that fights in phases,
    // drives the same movement nodes, death node and timers.
    void move(float dtMs);
    void easeFacing();
    void startMovementNode(int index);
    void startDeathNode();
    // The node's heading, times, rates and speed. A node of no duration ends
    // at once with its total changes applied.
    void startNodeMotion(const MovementNode& node);
    void startNodeEffect(const MovementNode& node);
    void startNodeLaunchers(const MovementNode& node);
    // Starts the slots a launcher list names; true when some token was an index of 0 or more.
    bool startListedLaunchers(const std::string& list);
    void stopEffect();
    void rammingAndNear(IXEnemyPlayer* ship, float& distanceSq);
    void dyingBursts(float dtMs);
    void finalExplosion();
    void cancelOwnBullets(IXEnemyPlayer* ship);
    void scoreKill(IXEnemyPlayer* ship);
    void releaseDeathPrizes(IXEnemyPlayer* ship);
    void updateLabel(float dtMs);
    void updateFlash(float dtMs);
    void updateLaunches(float dtMs);
    void updateBlink(float dtMs);
    void startBlink();
    void showShield(float dtMs);

    EnemyContext* context = nullptr;  // owned by the enemy manager

    // From the definition.
    float unitWidth = 1.0f, unitHeight = 1.0f;  // quad extent in atlas cells
    int atlasFrame = 0, flickerFrame = 0;
    FaceDirection facingKind = FaceDirection::Heading;
    int prizeOnDeath = 0, upgradeOnDeath = 0;
    ExplosionSize explosion = ExplosionSize::Small;
    float points = 0.0f;
    float breakAmount = 0.0f;
    bool cancelBulletsOnDeath = false;
    bool obstacle = false;
    bool friendly = false;
    bool beamBlocker = false;
    const MovementNode* movementNodes = nullptr;  // in the definition
    int movementNodeCount = 0;
    const MovementNode* deathNode = nullptr;  // in the definition
    const std::string* splitType = nullptr;   // in the definition; null when it does not split
    int splitCount = 0;
    float splitSpread = 0.0f;  // degrees
    bool splitPending = false;
    const std::string* launchType = nullptr;  // in the definition; null when it launches nothing
    int launchesLeft = 0;
    float launchTimer = 0.0f;  // ms to the next launch
    float launchEvery = 0.0f;  // ms
    Vec3 launchOffset{};
    bool launchPending = false;
    const std::string* typeKey = nullptr;    // in the manager's cache
    const std::string* shieldKey = nullptr;  // in the manager's cache; null: never shielded
    bool shielded = false;
    bool shieldShown = false;
    int shieldFrame = -1;
    float shieldPulse = 0.0f;   // ms
    float blinkEvery = 0.0f;    // ms; 0 never blinks
    float blinkRange = 0.0f;    // units
    float blinkWarning = 0.0f;  // ms
    int blinkMarkerFrame = -1;
    float blinkTimer = 0.0f;  // ms to the next blink, or while out to the return
    bool blinkOut = false;
    Vec3 blinkTarget{};
    int breakNode = 0;
    int firstNode = 0;                // started when the entry ends
    const OXEnemy* leader = nullptr;  // the formation's leader while it follows; not owned
    unsigned leaderSerial = 0;
    Vec3 formationOffset{};
    bool leadsFormation = false;
    bool shotDown = false;

    // Motion.
    float heading = 0.0f;  // degrees, direction of travel
    float facing = 0.0f;   // degrees, sprite angle
    float facingTarget = 0.0f;
    float spawnAngle = 0.0f;         // degrees; movement-node directions are relative to it
    float speed = 0.0f;              // units per 10 ms
    float headingRate = 0.0f;        // degrees per ms
    float speedRate = 0.0f;          // per ms
    float headingChangeLeft = 0.0f;  // of the node's total turn, degrees
    float speedChangeLeft = 0.0f;    // of the node's total speed change
    float nodeTimeLeft = 0.0f;       // ms
    int nodeIndex = 0;
    bool playerChase = false;
    float depth = 0.0f, depthRate = 0.0f, depthEnd = 0.0f;  // pseudo-3D depth; rate per ms
    float delayTime = 0.0f;                                 // ms
    bool entering = false;
    float entryTimeLeft = 0.0f;  // ms
    Vec3 entryVelocity{};        // units per ms
    bool dying = false;
    float dyingBurstTimer = 0.0f;  // ms to the next debris burst
    Vec3 lastPosition{-1000.0f, -1000.0f, 0.0f};

    // Effect of the current node.
    IXRenderObject* effect = nullptr;         // handle of the effect manager
    const std::string* effectName = nullptr;  // in the definition
    bool effectPredraw = false;

    // Player interplay.
    float beamMarkTimer = 0.0f;  // ms
    bool playerNear = false;
    float flashTimer = 0.0f;    // ms until another bright flash may start
    float hitGlowTimer = 0.0f;  // ms of the faint glow left
    bool flashOn = false;
    float lastHitDirection = 0.0f;  // degrees

    // Label.
    OXEnemyLabel ownLabel;
    IXEnemyLabel* label = &ownLabel;
    bool labelOpen = false;
    float labelBlinkTimer = 0.0f;  // ms
    float labelHitPoints = 0.0f;   // the hit points the label shows

    // Parts.
    OXEnemyModule modules[kModuleSlots];
    int liveModuleCount = 0;
    float moduleHitScale = 1.0f;

    unsigned spawnSerial = 0;
};
