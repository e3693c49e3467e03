#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/VisibilityOptions.h"
#include "stg/enemy/IXEnemyPlayer.h"
#include "stg/shot/OXLauncherPlatform.h"

class IXPlayerWorld;
class IXShotEffects;
class OXOption;
class OXTextBox;

// The fighter the player steers: a launcher platform with the ship's look
// (core sprite, modules, trails, markers, gauge labels), firing by weapon
// level and state, the option pods, the graze chain, the break gauge and
// break mode (the trance), the beam gauge and its counter-attack, bombs and
// the shield, and the running score and multiplier. Created and fed by the
// game scene, which it reaches only through IXPlayerWorld, the game's values
// (difficulty, bombs, levels, the stage's counts) included.
// Times are in milliseconds, positions in play-field units.
class OXSTGBasePlayer : public OXLauncherPlatform, public IXEnemyPlayer {
  public:
    static constexpr float kBreakFull = 1000.0f;
    static constexpr float kCounterMinimum = 0.2f;  // beam gauge a counter-attack needs

    OXSTGBasePlayer();
    ~OXSTGBasePlayer() override;

    // Set before load: the scene the ship reports to (not owned).
    void setWorld(IXPlayerWorld* value) { world = value; }
    IXPlayerWorld* getWorld() const { return world; }
    // The index of the ship in its scene (0 ... 3).
    void setIndex(int value) { index = value; }

    void tick(float dtMs) override;
    void draw() override;
    void createParts(const Plist::Dictionary& definition) override;

    // ---- Input (the game scene's input step) ----
    void setTargetPosition(const Vec3& target) { targetPosition = target; }
    void setSpeed(float value) { speed = value; }
    void setFiring(bool value);
    void setLaser(bool value);
    void setCharging(bool value);
    void fireCounter();
    void requestTrance();
    // The fire and beam buttons as held now, whatever the ship may do with
    // them: the end of the entrance takes up a held button.
    void setFireHeld(bool value) { fireHeld = value; }
    void setBeamHeld(bool value) { beamHeld = value; }
    // A push (units per frame at speed 1, scaled by speed x dt / 34) and the
    // heading it gives (degrees from atan2(x, y)); both zero while the input
    // steers the ship through its target.
    void setVelocity(const Vec3& value) { velocity = value; }
    void setDirection(const Vec3& value) { direction = value; }

    // ---- Collisions and scoring ----
    void graze();
    void hit(float amount, const Vec3& direction) override;
    void hit(float amount) { hit(amount, Vec3{}); }
    void hitFrom(const Vec3& at, float radius) override {
        hitSource = at;
        hitSourceRadius = radius;
    }
    void useBomb();
    void addScore(int64_t points) override { addScorePoints(static_cast<double>(points)); }
    // Returns the points scored (multiplier x points x score factor).
    float addScorePoints(double points);
    void addScoreFlat(double points, bool applyMultiplier);
    void addMultiplier(float delta) override;
    void addBreak(float amount) override;
    void addBeamGauge(float amount) override;
    void collectOrb(int value) override;

    // ---- Break mode ----
    void startBreak();
    void endBreak(bool byHit);

    // ---- Life ----
    void spawn(bool slideIn, bool firstSpawn);
    void die();
    void resetState();
    void setWeaponLevel(int level);
    void setMissileLevel(int level);

    // ---- IXShotTarget / IXEnemyPlayer ----
    const IXRenderObject& body() const override { return *this; }
    bool isAlive() const override { return life != ShipLife::OutOfPlay && hitPoints > 0.0f; }
    bool isInvulnerable() const override { return invulnerability > 0.0f; }
    IXShootable* lockOnTarget() const override { return lockedEnemy; }
    bool isLaserHeld() const override { return laser; }
    bool isRespawning() const override { return isLocked(); }
    bool isTranceActive() const override { return breakMode; }
    int bonusValue() const override { return chainBonus; }

    // ---- State the HUD, the scene and the session read ----
    float getBreakGauge() const { return breakGauge; }
    float getBreakRatio() const { return breakGauge / kBreakFull; }
    float getBeamGauge() const { return beamGauge; }
    void setBeamGauge(float value) { beamGauge = value; }
    void setBreakGauge(float value) { breakGauge = value; }
    float getMultiplier() const { return multiplier; }
    float getTotalMultiplier() const { return multiplier * scoreFactor; }
    int64_t getScore() const { return score; }
    void setScore(int64_t value) { score = value; }
    int getGrazeChain() const { return grazeChain; }
    void setGrazeChain(int value) { grazeChain = value; }
    void setChainBonus(int value) { chainBonus = value; }
    float getGrazeHeat() const { return grazeHeat; }
    float getShieldTimer() const { return shieldTimer; }
    bool isOutOfPlay() const { return life == ShipLife::OutOfPlay; }
    // The player steers it (also while it waits for the trance's cut-in).
    bool isControllable() const { return life == ShipLife::Playing || life == ShipLife::CutIn; }
    // Gauges frozen: flying in, or the stage is cleared.
    bool isEntering() const { return life == ShipLife::Entering || stageCleared; }
    bool isFiring() const { return firing; }
    bool isCharging() const { return charging; }
    bool isTranceRequested() const { return tranceRequested; }
    bool isCasualBonusMode() const { return laser; }
    bool isLoaded() const { return loaded; }
    bool multiplierChanged() const { return multiplierChangedFlag; }
    int getWeaponLevel() const { return weaponLevel; }
    int getMissileLevel() const { return missileLevel; }
    int getOrbValue() const { return orbValue; }
    int getRawPoints() const { return rawPoints; }
    // The ship's heading and movement direction, as the platform reports it.
    const Vec3& getDirection() const { return direction; }
    // Freezes the gauges and stops firing for the rest of the stage: the stage is cleared.
    void freezeForStageEnd();
    // The pods: owned, ticked (after the ship moved) and drawn by the ship, so
    // they belong in no scene list.
    const std::vector<std::unique_ptr<OXOption>>& getOptions() const { return options; }
    // The forward aim marker and the core sprite (with the modules that sit on
    // the hull), drawn by the scene above everything; draw() leaves them out.
    void drawTopLayer();
    // The player's visibility options, read when the ship draws: with the hit-box marker on,
    // drawTopLayer marks the hit box above everything. Not owned; null for none.
    void setVisibility(const VisibilityOptions* chosen) { visibility = chosen; }
    bool showsHitboxMarker() const;

    // ---- Read by the tests and the HUD ----
    // Held on its path: flying in, waiting for the cut-in, or falling as a wreck.
    bool isLocked() const {
        return life == ShipLife::Entering || life == ShipLife::CutIn || life == ShipLife::Dying;
    }
    bool isDying() const { return life == ShipLife::Dying; }
    float getInvulnerability() const { return invulnerability; }
    // Nothing can hit the ship for `ms`; its shield shows, blinking as it shrinks.
    void startInvulnerability(float ms);
    float getTranceCountdown() const { return tranceCountdown; }
    float getHeading() const { return platformRotation; }
    float getShipScale() const { return shipScale; }
    bool isBreakIndicatorShown() const;
    // The active launcher lists: main, secondary, their break forms and the laser's.
    const std::vector<int>& mainLaunchers() const { return *activeMain; }
    const std::vector<int>& secondaryLaunchers() const { return *activeSecondary; }
    const std::vector<int>& mainBreakLaunchers() const { return *activeMainBreak; }
    const std::vector<int>& secondaryBreakLaunchers() const { return *activeSecondaryBreak; }
    const std::vector<int>& laserLaunchers() const { return laserList; }
    const std::vector<int>& laserBreakLaunchers() const { return laserBreakList; }
    const std::vector<int>& counterNormalLaunchers() const { return counterNormalList; }
    const std::vector<int>& counterBeamLaunchers() const { return counterBeamList; }
    // Milliseconds a counter beam launcher has left; -1 when it is not running.
    float getLauncherFiringTime(int launcher) const;
    int moduleCount() const { return static_cast<int>(modules.size()); }
    bool isModuleShown(int module) const;
    const OXTextBox* getLeftGaugeLabel() const { return gaugeLabelLeft.get(); }
    const OXTextBox* getRightGaugeLabel() const { return gaugeLabelRight.get(); }
    const OXTextBox* getChainLabel() const { return chainLabel.get(); }
    const OXSprite* getShieldSprite() const { return shieldSprite.get(); }
    const OXSprite* getWarningCircle() const { return warningCircle.get(); }

  private:
    class Module;
    struct TrailPoint;
    struct AttachedEffect;

    // Loading.
    void readModules(const Plist::Dictionary& definition);
    void readTrail(const Plist::Dictionary& definition, const char* key, int slot);
    void readLevelLists(const Plist::Dictionary& definition, const char* suffix,
                        std::vector<std::vector<int>>& levels);
    void createOptions(const Plist::Dictionary& definition);
    void createFixedSprites();
    std::unique_ptr<OXSprite> makeSprite(const std::string& name, int blend) const;

    // The frame.
    void updateChainLabel(float dtMs);
    void updateShield(float dtMs);
    void placeMarkers();
    void followShip();
    void updateCounterBeams(float dtMs);
    void fire();
    void updateBreak(float dtMs);
    void updateBeamPulse(float dtMs);
    void updateLockOn();
    void updateGaugeLabels();
    void tickParts(float dtMs);

    // Effects of the ship's state.
    void showModules(const std::vector<int>& list, float forMs, float fadeInMs);
    void hideModules(const std::vector<int>& list);
    void fadeOutModules(const std::vector<int>& list, float ms);
    void stopEveryLauncher();
    void flashWarningCircle(float ms);
    void showBreakIndicator(bool shown);
    void attachTrails();
    void releaseTrails();
    void startEffects();
    void stopEffects();
    // The scene's effects, or effects that show nothing without a scene.
    IXShotEffects& effects() const;
    void addScoreFloat(float points);
    void finishEntrance();
    void finishDeath();
    static bool entranceMoveDone(void* ship, int);
    static bool deathMoveDone(void* ship, int);
    static bool breakCirclePulseDone(void* ship, int);
    IXPlayerWorld* world = nullptr;  // not owned
    int index = 0;

    Vec3 targetPosition{};  // where the input wants the ship, units
    Vec3 direction{};       // movement direction of the platform
    float speed = 10.0f;    // velocity scale
    bool firing = false;
    bool laser = false;
    bool charging = false;
    bool breakMode = false;
    // Where the ship is in its life: one state at a time.
    enum class ShipLife {
        OutOfPlay,  // not on the field: before the first life and between a death and the next
        Entering,   // flying in on its path: no control, gauges shut
        Playing,    // the player's
        CutIn,      // the trance went off: held still while the HUD plays its cut-in
        Dying,      // the wreck falls out of the play plane: nothing touches it
    };
    ShipLife life = ShipLife::OutOfPlay;
    // What the next hit is from (hitFrom); a radius below 0 means unknown: the ship's own place.
    Vec3 hitSource{};
    float hitSourceRadius = -1.0f;
    bool stageCleared = false;  // gauges frozen and firing stopped, in whatever life state
    bool tranceRequested = false;
    bool loaded = false;
    bool multiplierChangedFlag = false;
    float breakGauge = 0.0f;         // 0 ... 1000
    float tranceCountdown = 100.0f;  // ms
    float beamGauge = 0.0f;          // 0 ... 1
    float beamFiringTime = 0.0f;     // ms
    float invulnerability = 0.0f;    // ms
    float shieldTimer = -1.0f;       // ms, -1 when off
    float grazeHeat = 0.0f;          // 0 ... 1
    int grazeChain = 0;
    int chainBonus = 0;
    float multiplier = 1.0f;
    float multiplierRate = 0.6f;
    float scoreFactor = 1.0f;
    int64_t score = 0;
    int rawPoints = 0;
    int orbValue = 0;
    int weaponLevel = 0;
    int missileLevel = 0;
    IXShootable* lockedEnemy = nullptr;  // not owned
    std::vector<std::unique_ptr<OXOption>> options;

    // Input and motion.
    bool fireHeld = false;
    bool beamHeld = false;
    Vec3 velocity{};             // units per frame at speed 1
    Vec3 lastPosition{};         // where the ship was at the end of the last frame
    bool deathReported = false;  // the world heard of this life's last hit point
    Vec3 deathPosition{};        // where the ship died; the explosion goes there
    Vec3 restingScale{1, 1, 1};
    bool restingScaleKnown = false;

    // The definition.
    float shipScale = 0.75f;  // "scale": the core sprite shows at 1.5 x, modules at 1 x
    std::vector<std::unique_ptr<Module>> modules;
    std::vector<std::unique_ptr<AttachedEffect>> attachedEffects;
    std::unique_ptr<TrailPoint> trailPoints[4];  // left, right, core, engine
    std::vector<int> baseModules, flightModules, shootModules, hitModules;
    std::vector<int> breakStartModules, breakModules, chargeModules, chargeFullModules, tranceBreakModules;
    std::vector<std::string> weaponModuleNames, missileModuleNames;  // kept, not used
    std::vector<std::vector<int>> levelMain, levelSecondary, levelMainBreak, levelSecondaryBreak;
    std::vector<int> counterNormalList, counterBeamList, counterBeamBreakList;
    std::vector<int> laserList, laserBreakList;
    int optionFlightNormal = 0, optionFlightBeam = 0, optionTrackNormal = 0, optionTrackBeam = 0;  // kept
    std::string expLevels;                                                                         // kept
    const std::vector<int>* activeMain;
    const std::vector<int>* activeSecondary;
    const std::vector<int>* activeMainBreak;
    const std::vector<int>* activeSecondaryBreak;
    std::vector<float> launcherFiringTime;  // ms per launcher, -1 when no counter beam runs

    // Sprites and labels, all owned.
    std::unique_ptr<OXSprite> coreSprite;
    std::unique_ptr<OXSprite> distortionField;
    std::unique_ptr<OXSprite> hitboxMarker;
    const VisibilityOptions* visibility = nullptr;
    std::unique_ptr<OXSprite> warningCircle;
    std::unique_ptr<OXSprite> breakCircle;
    std::unique_ptr<OXSprite> breakField;
    std::unique_ptr<OXSprite> breakIndicator;
    std::unique_ptr<OXSprite> beamAim[2];      // ahead of the ship, on the locked enemy
    std::unique_ptr<OXSprite> beamAimAnim[2];  // the same places while charging
    std::unique_ptr<OXSprite> shieldSprite;
    std::unique_ptr<OXTextBox> gaugeLabelLeft;
    std::unique_ptr<OXTextBox> gaugeLabelRight;
    std::unique_ptr<OXTextBox> chainLabel;
    std::string labelText;  // scratch for the labels, reserved at load

    // Timers and shown values.
    float beamPulseTimer = 0.0f;    // ms towards the next beam-ready pulse
    float chargePulseTimer = 0.0f;  // ms towards the next charge pulse step
    bool chargePulseLow = false;    // the charge modules are at half size
    float breakCirclePulse = 8.0f;  // scale the break circle pulses from
    float shieldBlinkTimer = 0.0f;  // ms
    float distortionPulse = 0.0f;   // 0 ... 1
    int chainShown = 0;             // the chain the label shows
    int leftLabelShown = -1;        // 0 "CHR", 1 "RDY", -1 not yet written
    int rightLabelShown = -1;       // percent, 1000 for "RDY", -1 not yet written
    float tranceWaitMs = 0.0f;      // play time since the freeze ended without a cut-in
};
