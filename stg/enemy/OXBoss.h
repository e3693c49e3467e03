#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Difficulty.h"
#include "data/Plist.h"
#include "stg/enemy/BossPhase.h"
#include "stg/enemy/OXBossModule.h"
#include "stg/enemy/OXEnemy.h"

class CXEnemyManager;
class OXSprite;

// A stage's boss or mid-boss, owned by the enemy manager: an enemy that
// fights in a sequence of phases read from its boss file. Each phase has its
// own hit points, movement script, launchers, visible parts and a timed
// bonus; between phases the boss flies home with explosions; after the last
// it dies with a death movement and a large explosion, or escapes. Around it
// stand decorative sprites (rune circles, an event circle, a spell flash, a
// break ring, an explode ring) and its boss modules. Everything is made when
// the stage loads; a fight allocates nothing.
class OXBoss : public OXEnemy {
  public:
    // Where a boss is in its life; it is in exactly one of these.
    enum class BossLife {
        Waiting,             // loaded, not yet started
        CannotFight,         // no phases: counted beaten after kCannotFightMs
        Fighting,            // a phase's movement nodes run
        ReturningForRepeat,  // a repeating phase's nodes are done: it flies straight home to start them again
        BetweenPhases,       // a phase is over and the next is being set up; no damage is taken
        FlightJolt,          // the three steps of the flight home between phases: a jolt near home,
        FlightDrop,          // a drop below it,
        FlightClimb,         // the climb back
        Dying,               // the death movement with its explosions
        Gone,                // exploded, escaped or skipped: no longer shown
    };

    static constexpr float kNearDistance = 260.0f;
    static constexpr float kHomeSnap = 10.0f;          // units from home where a repeat restarts
    static constexpr float kHomeSpeed = 0.1f;          // units per ms
    static constexpr float kHomeDelayMs = 2000.0f;     // the node logic rests while flying home
    static constexpr float kRefillPerHp = 0.001f;      // hit points refilled per ms per hit point
    static constexpr float kPhaseClearReach = 500.0f;  // the phase-clear burst's last radius
    static constexpr float kPhaseClearGrowth = 24.0f;  // per frame
    static constexpr float kCannotFightMs = 5000.0f;   // a boss with nothing to fight waits this long
    static constexpr float kEntryFlightMs = 1500.0f;   // attack practice: in to the phase's home
    static constexpr float kBonusByDifficulty[kDifficultyCount] = {100000.0f, 250000.0f, 500000.0f,
                                                                   1000000.0f};

    OXBoss();
    ~OXBoss() override;

    // Reads the boss file `path` (a package path without ".plist"): the
    // sprite, the parts and the phases. A missing or broken file, or one
    // whose sprite list is missing or broken, makes a boss that cannot be
    // shown: it says so, and start() counts it beaten at once. One without
    // phases cannot fight (it says so) and counts as beaten after a wait.
    virtual void loadBoss(const std::string& path);
    // Placed at the start position, visible and active, phase 0; a boss
    // that cannot be shown is marked defeated instead and never appears.
    virtual void start();
    // Starts the fight at phase `index` (attack practice), as if the phases before it had been
    // fought: it flies in from its start position to the home that phase begins at, its hit
    // points filling on the way, and the phase then begins with its full timer and hit points.
    // The music and stage clock the earlier phases would have set are set at once. False, with
    // nothing started, for a phase it does not have or a boss that cannot be shown.
    bool startAtPhase(int index);
    void tick(float dtMs) override;
    void updateBehaviour(float dtMs) override;
    // Its modules above it, itself, its modules below, then its decorations.
    void draw() override;

    // IXShootable: a boss is hit within its drawn radius; damage scores.
    ShotContact hitTest(const IXRenderObject& shot, float change) override;
    void applyDamage(float change) override;
    bool isInvincible() const override { return invincible || isTransitioning(); }
    bool hasLiveModules() const override { return false; }
    float shotReach() const override;
    int beamPartCount() const override { return 0; }

    void setEnemyManager(CXEnemyManager* value) { enemyManager = value; }
    void setUniformScaleAll(float value);

    void startPhase(int index);
    void startBossNode(int index);
    void endPhase();
    void die();
    void finalExplosion();
    void showModules(bool breakMode);
    void showRunes();
    void hideRunes();
    void startCharge();
    void stopCharge();
    void setEffectsEmitting(bool emitting);

    // ---- Read by the HUD, the runner and the tests ----
    // The name the HUD shows beside the boss's gauge ("name" in its file, "BOSS" without one).
    const std::string& getName() const { return displayName; }
    // The attack of the phase being fought ("attack name" of the phase), empty between phases
    // and for a phase without one.
    const std::string& getAttackName() const;
    // The cell of its sprite the hull shows: 0 whole, k from the k-th of its "damage phases".
    int getHullFrame() const { return currentFrame(); }
    const Vec3& getStartPosition() const { return startPosition; }
    const Vec3& getDefaultPosition() const { return defaultPosition; }
    bool isDone() const { return done; }
    void setDone(bool value) { done = value; }
    bool canFight() const { return !phases.empty(); }
    int getPhaseCount() const { return static_cast<int>(phases.size()); }
    int getPhaseIndex() const { return phaseIndex; }
    float getPhaseTimer() const { return phaseTimer; }
    float getPhaseHp() const { return phaseHp; }
    BossLife getLife() const { return life; }
    // Between phases, flying home or not: invincible, refilling its hit points.
    bool isTransitioning() const {
        return life == BossLife::BetweenPhases || life == BossLife::FlightJolt ||
               life == BossLife::FlightDrop || life == BossLife::FlightClimb;
    }
    bool isRepeating() const { return repeatNodes; }
    bool isCharging() const { return charging; }
    bool escapesOnDeath() const { return escapeOnDeath; }
    bool isPhaseClearBursting() const { return phaseClearBurst; }
    bool isFlyingHome() const {
        return life == BossLife::FlightJolt || life == BossLife::FlightDrop || life == BossLife::FlightClimb;
    }
    bool runesShown() const;
    int moduleCount() const { return static_cast<int>(modules.size()); }
    const OXBossModule& bossModule(int index) const { return *modules[static_cast<size_t>(index)]; }
    float getScoreFactor() const { return scoreFactor; }
    // The last phase that ended, -1 before any, and whether it was beaten: its hit points ran
    // out, or it could not be hurt and was lived through to its end.
    int getLastEndedPhase() const { return lastEndedPhase; }
    bool wasLastPhaseBeaten() const { return lastPhaseBeaten; }

  private:
    struct Effect {
        Vec3 offset{};
        bool predraw = false;
        std::string name;                  // the effect file
        IXRenderObject* handle = nullptr;  // running effect, or null
        float burstLeft = 0.0f;            // ms until a burst stops it; 0 while it runs freely
    };

    void readLaunchers(const Plist::Dictionary& definition);
    void readEffects(const Plist::Dictionary& definition);
    void readModules(const Plist::Dictionary& definition);
    void makeDecorations(const Plist::Dictionary& definition);
    void startListedEffects(const std::vector<int>& indices);
    // Starts the listed effects and stops them after `durationMs`.
    void burstEffects(const std::vector<int>& indices, float durationMs);
    void stopAllEffects();
    void phaseClearEffects();
    void phaseBonus();
    void explosionsBetweenPhases();
    void beginFlightHome();
    void flightStepDone();
    static bool flightStepCallback(void* boss, int argument);
    static bool chargeShrinkDone(void* boss, int argument);
    void nextPhaseAfterFlight();
    void smallExplosions();
    void updateFight(float dtMs, IXEnemyPlayer* ship);
    void updateDying(float dtMs);
    void hullBlast();
    void updateDecorations();
    void hideDecorations();
    void markDefeated();
    // Placed at its start position, visible and active, before its first phase; false (marked
    // defeated, never shown) for a boss that cannot be shown.
    bool enter();
    // The hull's frame for the phase `index` begins, when the boss lists "damage phases".
    void showDamage(int index);
    // A damaged hull throws a few dim sparks and a thin wisp of smoke now and then, more often
    // the more broken it shows; a dying hull shows the last cell of its row, its most broken.
    // Only the effects' own random is drawn (the particles'); where and when come from a count.
    void updateDamageShow(float dtMs);

    CXEnemyManager* enemyManager = nullptr;  // the owner, not owned
    std::vector<BossPhase> phases;           // read once; the fight's nodes point into them
    MovementNode deathMovement;              // deathNode points here when the file gives one
    std::string path;
    std::string displayName;  // read once at load
    bool showable = false;    // its sprite's list was read: a boss that cannot be shown is skipped

    int phaseIndex = 0;
    bool repeatNodes = false;
    bool invincible = false;
    bool showPhaseClear = false;
    Vec3 defaultPosition{}, nextDefaultPosition{}, startPosition{};
    float phaseHp = 0.0f;
    float hpRefillRate = 0.0f;
    float phaseTimer = 0.0f;
    float scoreFactor = 1.0f;
    bool positionReset = true;
    bool escapeOnDeath = false;
    bool charging = false;
    float chargeTime = 0.0f;
    bool phaseClearBurst = false;
    float phaseClearRadius = 0.0f;
    float blinkTimer = 0.0f;
    bool blinkOn = false;
    float previousBlinkHp = 0.0f;
    bool done = false;
    bool explodeRingStarted = false;  // the death's last second
    float smallExplosionTimer = 0.0f;
    BossLife life = BossLife::Waiting;
    float idleTime = 0.0f;  // a boss that cannot fight counts as beaten after kCannotFightMs
    int lastEndedPhase = -1;
    bool lastPhaseBeaten = false;

    std::vector<Effect> effects;
    std::vector<std::unique_ptr<OXBossModule>> modules;
    std::vector<int> normalModules, breakModules;
    std::vector<int> onDeathEffects, phaseClearEffectList, runeStartEffects;
    std::vector<int> damagePhases;  // the phases from which the hull shows frames 1, 2 ...
    float damageShowTimer = 0.0f;   // ms until a damaged hull's next sparks
    int damageShowCount = 0;        // sparks shown so far: picks the next spot on the hull
    const std::vector<int>* shownEffects = &kNoEffects;  // of the phase or its latest node
    static const std::vector<int> kNoEffects;
    float onDeathDuration = 0.0f, phaseClearDuration = 0.0f;

    // Decorations, owned.
    std::unique_ptr<OXSprite> runeCircle, runeCircleExtra, eventCircle, spellFlash, breakRing, explodeRing;
};
