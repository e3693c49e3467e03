#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/OXScene.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/game/GameRun.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/IXStageHost.h"
#include "stg/game/IXStageHud.h"
#include "stg/shot/IXShotWorld.h"

class BlastShow;
class HitMark;
class CXBulletManager;
class StageEffects;
class CXEnemyManager;
class CXSpriteBatchManager;
class CXTextBoxManager;
class CXUserProfile;
class OXBomb;
class OXScnBaseSTGBackground;
class OXSTGBasePlayer;
struct ReplayHit;
class OXSprite;
struct VisibilityOptions;

// One stage being played: loads the stage definition with its managers
// (particle effects, trails, bullets, enemies, explosions, text), the ship, the bomb and the opening
// mothership; turns input into the ship's movement and actions; advances
// everything in a fixed order each frame; and reports the stage's events
// (splash, boss warning, clear, death, game over) to its host. It is
// the world that bullets, enemies and the ship reach through their interfaces,
// and answers them from the game's run, which it shares with the session.
// The play field is 320 x 480 units, y up; times are in milliseconds.
class OXScnBaseSTGGame : public OXScene, public IXShotWorld, public IXEnemyWorld, public IXPlayerWorld {
  public:
    enum StageState { Loaded = 1, Started = 2, SplashShown = 3, BossAnnounced = 4, Cleared = 5 };
    static constexpr const char* kShipPath = "assets/plist/senko_type_a";
    static constexpr float kKeyboardSpeed = 0.3f;      // units per ms
    static constexpr float kKeyboardSlowSpeed = 0.2f;  // while the beam button is held

    // The game's run it plays by, the host it reports to (and takes the profile's bindings
    // and settings from), the HUD it tells and the game's visibility options: all outlive the
    // scene.
    OXScnBaseSTGGame(GameRun& gameRun, IXStageHost& stageHost, IXStageHud& stageHud,
                     const VisibilityOptions& shownOptions);
    ~OXScnBaseSTGGame() override;

    // Loads the stage definition `path` (a package path with ".plist"); an
    // empty path makes the scene without a stage. `intro` plays the opening
    // mothership sequence before the first spawn.
    void loadStage(const std::string& path, bool intro, bool wideScreen);
    // The stage's background, which its flashes and tints reach (not owned; none in tools).
    void setBackground(OXScnBaseSTGBackground* value) { background = value; }
    // The stage begins: waves, music, and the first spawn after 2000 ms.
    void start();
    void update(float dtMs) override;
    void drawObjects() override;
    void drawOverlays() override;
    void keyEvent(int key, bool down) override;
    // Releases every held key, as when an overlay takes the keys.
    void releaseKeys();
    // The stage is cleared: the ship freezes, the session counts the bonus.
    void stageCleared();
    // Rings what hit the ship and names its attack, over the field as it stands (a watched
    // replay frozen at a hit); null takes the ring away.
    void showHitMark(const ReplayHit* hit);
    const HitMark& getHitMark() const { return *hitMark; }

    // ---- Attack practice ----
    // How an attempt at a practised attack ended: beaten with no hit and no bomb, beaten, or
    // not (its timer ran out, its script ended with the boss unbeaten, or the ship was lost).
    enum class AttemptEnd { None, Captured, Cleared, Failed };
    // One attempt at one boss phase: the boss comes in at once once the ship is in, the phase
    // starts with its full timer, and the attempt ends with the phase or the ship's loss.
    struct AttackAttempt {
        bool wanted = false;
        std::string boss;  // the boss's file name
        int phase = -1;
        bool started = false;
        std::string attackName;  // the phase's name, or "PHASE n" for one without a name
        float startMs = 0.0f;    // stage time of its start and end
        float endMs = 0.0f;
        int bombsAtStart = 0;
        AttemptEnd end = AttemptEnd::None;
        // The attack's time, from its start to its end (0 when it never started).
        int timeMs() const { return started ? static_cast<int>(endMs - startMs) : 0; }
    };
    // Shows the attempt's end this long before the panel comes (the phase's burst, the ship's
    // explosion).
    static constexpr float kAttemptEndShownMs = 1000.0f;
    // Makes this stage one attempt at phase `phase` of the boss `boss` (its file name), before
    // loadStage: the boss fights in the boss's place and nothing comes before it; no splash, no
    // stage clear, one ship. A stage whose file names no such boss, or a boss without that
    // phase, cannot be played (whyUnplayable says which).
    void practiseAttack(const std::string& boss, int phase);
    const AttackAttempt& getAttempt() const { return attempt; }
    // The attempt has ended and its end been shown: the panel's turn.
    bool isAttemptOver() const {
        return attempt.end != AttemptEnd::None && stageTime - attempt.endMs >= kAttemptEndShownMs;
    }

    // ---- Read by the session, the HUD and the tests ----
    OXSTGBasePlayer* getShip() const { return ship; }
    CXBulletManager* getBulletManager() const { return bullets.get(); }
    CXEnemyManager* getEnemyManager() const { return enemies.get(); }
    CXTextBoxManager* getTextBoxes() const { return textBoxes.get(); }
    // The stage's particle effects and trails; always there.
    StageEffects& getStageEffects() const { return *stageEffects; }
    OXBomb* getBomb() const { return bomb; }
    StageState getStageState() const { return stageState; }
    float getStageTime() const { return stageTime; }
    float getTimeScale() const { return timeScale; }
    float getBulletGrace() const { return bulletGrace; }
    const Vec3& getCameraTarget() const { return cameraTarget; }
    const std::string& getStageMusic() const { return stageMusic; }
    const std::string& getStageTitle() const { return stageTitle; }
    const std::string& getBossMusic() const { return bossMusic; }
    bool isStageLoaded() const { return stageLoaded; }
    // Why the loaded stage cannot be played (its stage, wave or ship file is missing or
    // unreadable), or null when it can: the session then ends the game back at the menus
    // instead of clearing the stage at once or running an empty one forever.
    const char* whyUnplayable() const { return unplayable; }
    bool wasHit() const { return hitFlag; }
    bool isIntroPending() const { return introPending; }
    bool isFirstSpawnPending() const { return firstSpawnPending; }
    OXSprite* getMothershipPart(int index) const { return mothership[index]; }
    // The counter-attack after the beam button's release in normal play.
    void counterAttack();
    // The counter-attack button's hold ends: the weapon stops unless the fire key holds it.
    void letGoCounterHold();
    // A continue was taken: the next ship comes at once.
    void continueTaken();

    // ---- IXShotWorld ----
    IXShotTarget* shotTarget() const override;
    int shootableCount() const override;
    IXShootable* shootable(int index) const override;
    IXShootable* currentBoss() const override;
    IXShootable* nearestEnemy(const Vec3& from) const override;
    void graze(const OXBullet& bullet) override;
    bool isBombActive() const override;
    float bulletGraceTime() const override { return bulletGrace; }
    bool isCasualPlay() const override { return run.casual; }
    void playShotSound() override;

    // ---- IXEnemyWorld ----
    IXEnemyPlayer* enemyPlayer() const override;
    IXShotEffects& effects() const override;
    IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor) override;
    Difficulty difficulty() const override { return run.difficulty; }
    void explosion(ExplosionKind kind, const Vec3& at, float strength) override;
    void debrisSpray(const Vec3& at, const Vec3& direction, float spread, int count, float pieceScale,
                     float pieceSpeed) override;
    void beamKill(const Vec3& at) override;
    CXSpriteBatchManager* scorePopups() const override { return explosionsNormal.get(); }
    void countKill() override { run.countKill(); }
    void screenEffect(float durationMs, float strength) override;
    void bossOverlay(bool shown) override;
    void backgroundFlash(const Colour& tint, float durationMs, float easing) override;
    void blast(const Vec3& at, float strength) override;
    void hullBlast(const Vec3& at, float fireSize) override;
    void showPhaseTimer(bool shown) override;
    void resetPhaseBonus() override { hitFlag = timeOutFlag = false; }
    void phaseTimedOut() override { timeOutFlag = true; }
    bool awardPhaseBonus(float amount) override;
    void bossDefeated(const Vec3& at) override;
    // A boss attack's attempt, told to the host: captured when the boss was beaten with the ship
    // neither hit nor a bomb set off since the attack began, timed on the stage clock.
    void attackStarted(const OXBoss& boss, int phase) override;
    void attackEnded(const OXBoss& boss, int phase, bool defeated) override;
    // The boss phase's bonus is lost: the ship was hit or the timer ran out.
    bool isPhaseBonusLost() const { return hitFlag || timeOutFlag; }
    // Bosses and mid-bosses beaten on this stage.
    int getBossesDefeated() const { return bossesDefeated; }
    // The explosions' light (batch A) and their pieces, as drawn.
    const CXSpriteBatchManager& explosionLights() const { return *explosionsGlow; }
    const BlastShow& blastShow() const { return *blasts; }

    // ---- IXPlayerWorld ----
    void setTimeScale(float factor, float durationMs) override;
    void shake(float durationMs) override;
    void cameraShake(float durationMs, float amplitude) override;
    void setBulletGrace(float durationMs) override { bulletGrace = durationMs; }
    void clearBullets() override;
    void shockRing(const Vec3& at, float durationMs) override;
    void tranceReadyRing(const Vec3& at) override;
    void counterRing(const Vec3& at, float durationMs) override;
    void beamReadyPulse(const Vec3& at) override;
    void explosionAt(const Vec3& at) override;
    void tintBackground(const Colour& tint, float durationMs) override;
    void tranceBackgroundFlash() override;
    void detonateBomb(const Vec3& at, float durationMs) override;
    IXShootable* nearestEnemyIn(const Vec3& from, float minX, float maxX, float minY,
                                float maxY) const override;
    bool isEnemyAlive(const IXShootable* enemy) const override;
    void recordPlayerHit() override { hitFlag = attackTrack.spoiled = true; }
    void hudDamageFlash(float durationMs) override;
    void hudStartTranceCutIn() override;
    void playerDied() override;
    void shipHit(const Vec3& at, float radius, bool bombed) override;
    // The game's values the ship plays by, in the run.
    int weaponLevel() const override { return run.weaponLevel; }
    int missileLevel() const override { return run.missileLevel; }
    int64_t carriedScore() const override { return run.score; }
    int optionPairs() const override { return run.optionPairs; }
    int bombsLeft() const override { return run.bombs; }
    void spendBomb() override { run.useBomb(); }
    bool canShoot() const override { return run.shootingAllowed; }
    bool isBreakGaugeEnabled() const override { return run.breakGaugeEnabled; }
    float tranceFactor() const override { return run.tranceFactor; }
    void resetTranceFactor() override { run.tranceFactor = 1.0f; }
    void reportScore(int64_t score) override { run.setScore(score); }
    void countGraze() override { ++run.grazes; }
    void countOrb() override { ++run.orbs; }
    void countTrance() override { ++run.trances; }
    void resetStageCounters() override { run.resetStageCounters(); }

  private:
    void loadDefinition(const std::string& path);
    // The practised boss in the boss's place, when the stage names it (`boss` and `midBoss`
    // are the stage's).
    void loadPracticeBoss(const std::string& boss, const std::string& midBoss);
    // Brings the practised boss in once the ship is in, and watches its phase start and end.
    void updateAttempt();
    void endAttempt(AttemptEnd end);
    void createShip();
    void updateStageScript(float dtMs);
    void updateInputAndRespawn(float dtMs);
    void updateCamera(float dtMs);
    void respawnShip();
    void startOpening();
    void explosionEffects(ExplosionKind kind, const Vec3& at);
    void throwEmbers(const Vec3& at, int count);
    void ring(const Vec3& at, float durationMs, float toScale, const Colour& tint);
    static bool openingStepDone(void* scene, int argument);
    int bindingCode(int binding) const;
    // The attack under way ends, told to the host: captured when `cleared` and nothing spoiled it.
    void endAttackTrack(bool cleared);

    GameRun& run;
    IXStageHost& host;
    IXStageHud& hud;
    const VisibilityOptions& visibility;
    OXScnBaseSTGBackground* background = nullptr;  // not owned

    std::unique_ptr<StageEffects> stageEffects;  // made with the scene, loaded with the stage
    std::unique_ptr<CXBulletManager> bullets;
    std::unique_ptr<CXEnemyManager> enemies;
    std::unique_ptr<CXSpriteBatchManager> explosionsGlow;    // batch A: additive
    std::unique_ptr<CXSpriteBatchManager> explosionsNormal;  // batch B: normal blending
    std::unique_ptr<BlastShow> blasts;  // rings, sparks, debris, smoke: seen, never counted
    std::unique_ptr<CXTextBoxManager> textBoxes;
    std::unique_ptr<CXSpriteBatchManager> rings;  // shock, counter and trance rings
    std::unique_ptr<HitMark> hitMark;             // what hit the ship, on a frozen field
    std::vector<OXSTGBasePlayer*> ships;          // owned through the object list
    OXSTGBasePlayer* ship = nullptr;              // the current ship
    OXBomb* bomb = nullptr;                       // owned through the object list
    OXSprite* invertCircle = nullptr;             // owned through the object list
    OXSprite* bossPointer = nullptr;              // owned through the object list
    OXSprite* mothership[4] = {};                 // main, left arm, right arm, engine; owned
    int openingStep = 0;

    bool stageLoaded = false;
    const char* unplayable = nullptr;
    bool wideScreen = false;
    StageState stageState = Loaded;
    float stageTime = 0.0f;   // ms
    float splashTime = 0.0f;  // ms
    std::string stageMusic, bossMusic;
    std::string stageTitle;     // "stage title": shown under the stage splash
    float respawnDelay = 0.0f;  // ms
    bool firstSpawnPending = true;
    bool introPending = false;
    Vec3 keyDirection{};  // -1, 0 or +1 per axis from the arrow keys
    float keyboardSpeed = kKeyboardSpeed;
    bool fireHeld = false;
    bool beamHeld = false;
    bool counterHeld = false;  // the HUD's counter-attack button holds the main weapon
    float timeScale = 1.0f;
    float timeScaleLeft = 0.0f;  // ms of real time
    float shakeTime = 0.0f;      // ms
    float cameraShakeLeft = 0.0f, cameraShakeTotal = 0.0f, cameraShakeAmplitude = 0.0f;
    float bulletGrace = 0.0f;          // ms
    float grazeEffectCooldown = 0.0f;  // ms
    bool shotSoundThisFrame = false;
    bool hitFlag = false;
    bool timeOutFlag = false;
    int bossesDefeated = 0;
    AttackAttempt attempt;
    // The boss attack under way, for the player's record of it, from its start to its end (or the
    // ship's loss, or the stage's).
    struct AttackTrack {
        bool running = false;
        bool spoiled = false;  // the ship was hit or a bomb went off
        std::string boss;      // the boss's file name
        int phase = -1;
        float startTime = 0.0f;  // on the stage clock, ms
    } attackTrack;
    float panWidth = 90.0f, panOffset = 115.0f;  // camera pan across the field
    Vec3 cameraTarget{160, 240, 1000};
};
