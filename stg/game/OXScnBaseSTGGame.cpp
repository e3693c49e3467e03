#include "stg/game/OXScnBaseSTGGame.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "data/ScreenOrientation.h"
#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "engine/CXSpriteBatchManager.h"
#include "engine/CXTextBoxManager.h"
#include "engine/OXSprite.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/FxMath.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/BlastShow.h"
#include "stg/game/FieldFraming.h"
#include "stg/game/HitMark.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXBomb.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/Replay.h"
#include "stg/game/StageEffects.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/ShotMath.h"

using shotmath::fastInverseSqrt;
using shotmath::randomFraction;

namespace {
constexpr const char* kPlistFolder = "assets/plist/";
constexpr float kFieldHeight = framing::kFieldHeight;
constexpr float kRespawnWaitMs = 100000.0f;
constexpr float kFirstSpawnDelayMs = 2000.0f;
constexpr float kPracticeFirstSpawnMs = 1000.0f;  // an attack practice's ship comes sooner
constexpr float kDeathRespawnDelayMs = 850.0f;
constexpr float kRespawnGraceMs = 1500.0f;
// A graze chain rumbles at every this many grazes: a pulse a player feels, not a buzz per bullet.
constexpr int kGrazeRumbleEvery = 10;
constexpr float kGrazeSoundCooldownMs = 64.0f;
constexpr float kScratchMs = 30.0f;       // the graze scratch's burst
constexpr float kLongestWashMs = 600.0f;  // the longest a tint may cover the field
constexpr float kBlastSheetMs = 640.0f;   // the explosion sheet's 16 frames at their own pace
// How far a debris piece flies for the speed its thrower asks: the farthest lands about a
// quarter of the field away and fades there, in sight.
constexpr float kDebrisReachPerSpeed = 0.35f;
// One fighter flies; a stage could hold up to four in its list of ships.
constexpr int kShipCount = 1;
constexpr const char* kMothershipParts[4] = {
    "assets/plist/spr_mothership_main", "assets/plist/spr_mothership_left_arm",
    "assets/plist/spr_mothership_right_arm", "assets/plist/spr_mothership_engine"};
constexpr Vec3 kMothershipStart[4] = {{160, 900, 1}, {135, 1030, 1}, {185, 1030, 1}, {160, 750, 1}};
// The sounds a stage plays, read before it starts so that play reads no file.
constexpr const char* kStageSounds[] = {"snd_toggle_btn.caf", "bullet_hit.caf",         "bullet_shoot_1.caf",
                                        "break_shoot.caf",    "sfx_small_expl.caf",     "sfx_medium_expl.caf",
                                        "sfx_huge_expl.caf",  "sfx_player_expl.caf",    "prize_pickup.caf",
                                        "boss_move_1.caf",    "warning_WIP.caf",        "leaser_beam.caf",
                                        "se_laser3.caf",      "sfx_boss_expl_dist.caf", "trance_warning.caf"};
// The effects every stage plays (explosions, the graze scratch), read with the stage.
const std::string kSparks = "ps_explosion_sparks", kLongSparks = "ps_explosion_long_sparks",
                  kDebris = "ps_explosion_debris", kSmallSmoke = "ps_small_explosion_smoke",
                  kScratch = "ps_bullet_scratch", kSmokeTrail = "ps_explosion_smoke_trail",
                  kFireTrail = "ps_explosion_fire_trail", kFireTrailOrange = "ps_explosion_fire_trail_orange";
const std::string* const kStageEffects[] = {&kLongSparks, &kDebris,    &kSmallSmoke,      &kScratch,
                                            &kSmokeTrail, &kFireTrail, &kFireTrailOrange, &kSparks};
// The trail frame of the streaks thrown out of big explosions.
constexpr int kEmberTrailFrame = 52;
// Built once: the firing sound plays nearly every frame, and its name is too long to be
// built without an allocation.
const std::string kShotSound = "bullet_shoot_1.caf";
const std::string kTranceShotSound = "break_shoot.caf";  // the shot's brighter voice in a trance
const std::string kGrazeSound = "snd_toggle_btn.caf";
const std::string kSmallBlastSound = "sfx_small_expl.caf";
const std::string kMediumBlastSound = "sfx_medium_expl.caf";
const std::string kHugeBlastSound = "sfx_huge_expl.caf";
// How much a play of a repeated effect may vary (semitones, dB): the player's shot, heard every
// volley, most; blasts and grazes a little, so a run of them is not one sample over and over.
constexpr float kShotPitchSpread = 0.7f;
constexpr float kShotGainSpread = 1.0f;
constexpr float kSmallPitchSpread = 0.4f;
constexpr float kSmallGainSpread = 1.0f;
enum Binding { FireBinding = 0, BeamBinding = 1, TranceBinding = 2, PauseBinding = 3 };

bool insideRect(const Vec3& p, float minX, float maxX, float minY, float maxY) {
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
}

// Homing shots seek it; one blinked out of space is no target until it comes back.
bool shootableEnemy(const OXEnemy& enemy) {
    return enemy.isActive() && enemy.isVisible() && !enemy.isDying() && !enemy.isFriendly() &&
           !enemy.isBlinkedOut() && enemy.getHitPoints() > 0.0f;
}
// The HUD of a scene played without one: nothing is shown, and a trance starts at once.
class NoStageHud : public IXStageHud {
  public:
    void damageFlash(float) override {}
    void startTranceCutIn(OXSTGBasePlayer& ship) override { ship.startBreak(); }
    void showBonus(bool, float) override {}
    void showPhaseTimer(bool) override {}
};
}  // namespace

IXStageHud& noStageHud() {
    static NoStageHud none;
    return none;
}

OXScnBaseSTGGame::OXScnBaseSTGGame(GameRun& gameRun, IXStageHost& stageHost, IXStageHud& stageHud,
                                   const VisibilityOptions& shownOptions)
    : run(gameRun),
      host(stageHost),
      hud(stageHud),
      visibility(shownOptions),
      stageEffects(std::make_unique<StageEffects>()),
      hitMark(std::make_unique<HitMark>()) {}

OXScnBaseSTGGame::~OXScnBaseSTGGame() {
    CXGfxManager::instance().setShakeOffset(0.0f);
}

int OXScnBaseSTGGame::bindingCode(int binding) const {
    return host.profileValues().bindingCode(binding);
}

// ---- Loading ----

void OXScnBaseSTGGame::loadStage(const std::string& path, bool intro, bool wide) {
    load("");
    wideScreen = wide;
    introPending = intro;
    const framing::Layout& layout = framing::layoutFor(wide);
    panWidth = layout.panWidth;
    panOffset = layout.panOffset;
    const float width = layout.viewWidth;
    setOrthographicMode(true);
    setViewWidth(width);
    setViewHeight(kFieldHeight);
    setEye(width * 0.5f, 240.0f, 100.0f);
    setCentre(width * 0.5f, 240.0f, -100.0f);

    for (int part = 0; part < 4; ++part) {
        auto* sprite = new OXSprite();
        sprite->load(kMothershipParts[part]);
        sprite->setPosition(kMothershipStart[part]);
        sprite->setVisible(false);
        sprite->setActive(false);
        mothership[part] = sprite;
        addObject(sprite);
    }

    bullets = std::make_unique<CXBulletManager>();
    bullets->setVisibility(&visibility);
    enemies = std::make_unique<CXEnemyManager>();
    explosionsGlow = std::make_unique<CXSpriteBatchManager>();
    explosionsNormal = std::make_unique<CXSpriteBatchManager>();
    blasts = std::make_unique<BlastShow>();
    textBoxes = std::make_unique<CXTextBoxManager>();
    rings = std::make_unique<CXSpriteBatchManager>();
    loadDefinition(path);
    rings->setup("assets/plist/spr_ring_effects", "assets/plist/spr_ring_effects");
    rings->setBlendMode(BlendAdditive);

    createShip();

    bomb = new OXBomb();
    bomb->setWorld(this);
    bomb->setBulletManager(bullets.get());
    bomb->load("assets/plist/bomb_player_1");
    bomb->setPosition(160, 240, 5);
    bomb->setBlendMode(BlendInverseMultiply);
    bomb->setVisible(false);
    bomb->setActive(false);
    addObject(bomb);

    invertCircle = new OXSprite();
    invertCircle->load("assets/plist/spr_invert_circle");
    invertCircle->setBlendMode(BlendInverseMultiply);
    invertCircle->setVisible(false);
    invertCircle->setActive(false);
    addObject(invertCircle);

    bossPointer = new OXSprite();
    bossPointer->load("assets/plist/spr_boss_pointer");
    bossPointer->setVisible(false);
    addObject(bossPointer);

    bullets->setPlayer();
    stageState = Loaded;
    stageTime = 0.0f;
    timeScale = 1.0f;
    timeScaleLeft = 0.0f;
    cameraTarget = {160, 240, 1000};
    hitFlag = timeOutFlag = false;
}

void OXScnBaseSTGGame::loadDefinition(const std::string& path) {
    // Without a stage file (an index past the level list) every key is missing: the managers
    // are made all the same, on the prefixed empty names, and nothing spawns.
    Plist::Dictionary definition;
    if (!path.empty() && !Plist::loadContent(path, definition) && !assetExists(path)) {
        std::printf("STAGE FILE NOT FOUND: %s\n", path.c_str());
    }
    stageLoaded = !definition.empty();
    unplayable = stageLoaded ? nullptr : "ITS STAGE FILE IS MISSING OR UNREADABLE";

    std::printf("LOADING PARTICLE MANAGER\n");
    stageEffects->loadParticles(kPlistFolder + Plist::textOf(definition, "particle atlas"));
    for (const std::string* name : kStageEffects) {
        stageEffects->preloadEffect(*name);
    }
    std::printf("LOADING TRAIL MANAGER\n");
    stageEffects->loadTrails(kPlistFolder + Plist::textOf(definition, "trail atlas"));
    std::printf("LOADING TEXTBOX MANAGER\n");
    textBoxes->load(kPlistFolder + Plist::textOf(definition, "font atlas"), CXTextBoxManager::kMaxBoxes);
    std::printf("LOADING BULLET MANAGER\n");
    bullets->load(kPlistFolder + Plist::textOf(definition, "bullet atlas"));
    bullets->setWorld(this);
    bullets->setEffects(stageEffects.get());
    bullets->setRank(storedNumber(run.difficulty));
    std::printf("LOADING ENEMY MANAGER\n");
    enemies->init(kPlistFolder + Plist::textOf(definition, "enemy atlas"));
    enemies->setWorld(this);
    enemies->setBulletManager(bullets.get());

    const std::string explosionAtlas = kPlistFolder + Plist::textOf(definition, "explosion atlas");
    explosionsGlow->setup(explosionAtlas, "assets/plist/spr_base_explosion");
    explosionsGlow->setBlendMode(BlendAdditive);
    explosionsNormal->setup(explosionAtlas, "assets/plist/spr_base_explosion");
    explosionsNormal->setBlendMode(BlendPremultiplied);
    blasts->setup(explosionAtlas);

    const std::string levelData = Plist::textOf(definition, "level data");
    const std::string boss = Plist::textOf(definition, "boss");
    if (!levelData.empty()) {
        if (!enemies->loadWaveData(kPlistFolder + levelData) && !unplayable) {
            unplayable = "ITS WAVE FILE IS MISSING OR UNREADABLE";
        }
    } else if (boss.empty() && !unplayable) {
        unplayable = "ITS STAGE FILE NAMES NO WAVES AND NO BOSS";
    }
    const std::string midBoss = Plist::textOf(definition, "mid boss");
    if (attempt.wanted) {
        loadPracticeBoss(boss, midBoss);
    } else if (boss.empty()) {
        enemies->setBossDone(true);
    } else {
        enemies->loadBoss(kPlistFolder + boss);
    }
    if (midBoss.empty() || attempt.wanted) {
        enemies->setMidBossDone(true);
    } else {
        enemies->loadMidBoss(kPlistFolder + midBoss);
    }
    enemies->setMidBossTime(Plist::floatOr(definition, "mid boss time", 0.0f));

    stageMusic = Plist::textOf(definition, "bg music");
    bossMusic = Plist::textOf(definition, "boss music");
    Plist::read(definition, "splash time", splashTime, 0.0f);
    stageTitle = Plist::textOf(definition, "stage title");

    CXSoundManager& sound = CXSoundManager::instance();
    for (const char* name : kStageSounds) {
        sound.loadSound(name);
    }
}

void OXScnBaseSTGGame::createShip() {
    for (int index = 0; index < kShipCount; ++index) {
        auto* created = new OXSTGBasePlayer();
        created->setWorld(this);
        created->setIndex(index);
        created->setBulletManager(bullets.get());
        created->setVisibility(&visibility);
        created->load(kShipPath);
        created->setSpeed(10.0f);
        created->resetState();
        ships.push_back(created);
        addObject(created);
    }
    ship = ships.front();
    if (!ship->isLoaded() && !unplayable) {
        unplayable = "ITS SHIP FILE IS MISSING OR UNREADABLE";
    }
    // The gauges and the chain carry over from the last stage cleared.
    ship->setBeamGauge(run.carriedBeamGauge);
    ship->setBreakGauge(run.carriedBreakGauge);
    ship->setGrazeChain(run.carriedGrazeChain);
    ship->setChainBonus(run.carriedChainBonus);
}

void OXScnBaseSTGGame::start() {
    std::printf("STARTING GAME\n");
    stageState = Started;
    enemies->setState(CXEnemyManager::Running);
    // An attack practice plays its boss's music from the start.
    const std::string& music = attempt.wanted && !bossMusic.empty() ? bossMusic : stageMusic;
    if (!music.empty()) {
        std::printf("STARTING MUSIC\n");
        CXSoundManager::instance().playMusic("assets/audio/" + music, true);
    }
    respawnDelay = attempt.wanted ? kPracticeFirstSpawnMs : kFirstSpawnDelayMs;
    firstSpawnPending = true;
}

// ---- The frame ----

// One step of the stage (dt is the session's fixed 15.447501 ms). In order:
// the stage script, every object of the scene (ship, options, bomb,
// sprites), the bullet grace, input and respawn, the camera, the managers
// (particle effects, enemies, trails, bullets, explosions, text, rings), the time scale and the shakes.
// Everything but the camera and the clocks of the time scale and shakes runs
// on the scaled time, so a trance's freeze stops the field.
void OXScnBaseSTGGame::update(float dtMs) {
    shotSoundThisFrame = false;
    grazeEffectCooldown -= dtMs;
    const float scaled = dtMs * timeScale;

    updateStageScript(scaled);
    OXScene::update(scaled);
    if (bulletGrace > 0.0f) {
        bulletGrace = std::max(0.0f, bulletGrace - scaled);
    }
    // A fair opening: until the carrier's ship has flown in and taken control, every enemy
    // bullet is cleared as it appears, and the grace runs on a little once it has.
    if (ship && (firstSpawnPending || ship->isEntering())) {
        bulletGrace = std::max(bulletGrace, kRespawnGraceMs);
    }
    // The counter-attack hold fires until the beam gauge is full, ready for the release.
    if (counterHeld && (!ship || ship->getBeamGauge() >= 1.0f)) {
        letGoCounterHold();
    }
    updateInputAndRespawn(scaled);
    updateCamera(dtMs);

    stageEffects->particles().tick(scaled);
    enemies->tick(scaled);
    stageEffects->trails().tick(scaled);
    bullets->tick(scaled);
    explosionsGlow->tick(scaled);
    explosionsNormal->tick(scaled);
    blasts->tick(scaled);
    textBoxes->tick(scaled);
    rings->tick(scaled);
    if (attempt.wanted) {
        updateAttempt();
    }

    if (timeScale != 1.0f && timeScaleLeft > 0.0f) {
        timeScaleLeft -= dtMs;
        if (timeScaleLeft <= 0.0f) {
            timeScale = 1.0f;
            timeScaleLeft = 0.0f;
        }
    }
    CXGfxManager& gfx = CXGfxManager::instance();
    if (shakeTime > 0.0f) {
        shakeTime -= dtMs;
        gfx.setShakeOffset(shakeTime > 0.0f ? shakeTime * 0.001f * randomFraction() * 0.05f : 0.0f);
    }

    OXBoss* boss = enemies->currentBoss();
    if (boss && boss->isVisible() && boss->getHitPoints() > 0.0f) {
        bossPointer->setVisible(true);
        bossPointer->setPosition(boss->getX(), 8.0f, 2.0f);
        bossPointer->setAlpha(ship && ship->getY() < 48.0f ? 0.75f : 1.0f);
    } else {
        bossPointer->setVisible(false);
    }
}

void OXScnBaseSTGGame::updateStageScript(float dtMs) {
    if (stageState >= Started) {
        stageTime += dtMs;
    }
    if (attempt.wanted) {
        return;  // no splash, no warning and no clear: the attempt runs the stage
    }
    if (stageState == Started && stageTime >= splashTime) {
        host.showSplash(run.stageIndex, stageTitle);
        stageState = SplashShown;
    }
    if (stageState == SplashShown && enemies->isReadyForBoss()) {
        stageState = BossAnnounced;
        host.showBossWarning();
        enemies->startBoss();
        if (!bossMusic.empty()) {
            CXSoundManager::instance().playMusic("assets/audio/" + bossMusic, true);
        }
    }
    if (stageLoaded && stageState >= Started && stageState != Cleared && enemies->isStageComplete()) {
        stageCleared();
        stageState = Cleared;
    }
}

void OXScnBaseSTGGame::updateInputAndRespawn(float dtMs) {
    if (ship && ship->isActive()) {
        const Vec3& d = ship->getDirection();
        const float lengthSquared = d.x * d.x + d.y * d.y;
        const float k = 40.0f * lengthSquared * fastInverseSqrt(lengthSquared) + 10.0f;
        cameraTarget = {ship->getX() + 2.0f * k * d.x, ship->getY() + k * d.y, 1000.0f};
    }
    if (!ship) {
        return;
    }
    if (ship->isOutOfPlay()) {
        respawnDelay -= dtMs;
        if (respawnDelay <= 0.0f) {
            if (firstSpawnPending && introPending) {
                introPending = false;
                startOpening();
            } else if (attempt.wanted && !firstSpawnPending) {
                // An attempt has one ship: its loss has ended it, and the panel follows.
            } else if (run.lives < 1 && !firstSpawnPending) {
                host.livesRanOut();
                shakeTime = 0.0f;
                CXGfxManager::instance().setShakeOffset(0.0f);
            } else {
                respawnShip();
            }
            respawnDelay = kRespawnWaitMs;
        }
        return;
    }
    if (!run.movementAllowed) {
        return;
    }
    Vec3 direction{keyDirection.x, keyDirection.y, 0.0f};
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
    if (length > 0.0f) {
        direction.x /= length;
        direction.y /= length;
    }
    const CXUserProfile& profile = host.profileValues();
    if (profile.controlScreenMode) {
        const Vec3 d = direction;
        switch (profile.screenOrientation) {
            case ScreenTurned90:
                direction = {d.y, -d.x, 0.0f};
                break;
            case ScreenTurned180:
                direction = {-d.x, -d.y, 0.0f};
                break;
            case ScreenTurned270:
                direction = {-d.y, d.x, 0.0f};
                break;
            default:
                break;
        }
    }
    Vec3 target = ship->getPosition();
    // Only where the camera shows the whole ship, and never under the HUD's rows.
    const framing::Layout& layout = framing::layoutFor(wideScreen);
    target.x = std::clamp(target.x + direction.x * dtMs * keyboardSpeed, framing::shipMinX(layout),
                          framing::shipMaxX(layout));
    target.y =
        std::clamp(target.y + direction.y * dtMs * keyboardSpeed, framing::shipMinY(), framing::shipMaxY());
    target.z = 0.0f;
    ship->setTargetPosition(target);
}

void OXScnBaseSTGGame::respawnShip() {
    run.countRespawn(firstSpawnPending);
    ship->spawn(false, firstSpawnPending);
    firstSpawnPending = false;
    clearBullets();
    bulletGrace = kRespawnGraceMs;
}

void OXScnBaseSTGGame::continueTaken() {
    respawnDelay = 0.0f;
}

void OXScnBaseSTGGame::updateCamera(float dtMs) {
    // The target leads the ship as it moves; the view still keeps the whole ship in it.
    const framing::Layout layout{getViewWidth(), panWidth, panOffset};
    float x = ship && ship->isActive() ? framing::cameraXShowing(layout, cameraTarget.x, ship->getX())
                                       : framing::cameraX(layout, cameraTarget.x);
    float y = (240.0f + 240.0f) * 0.5f;
    if (cameraShakeLeft > 0.0f) {
        cameraShakeLeft -= dtMs;
        const float amplitude = std::max(0.0f, cameraShakeLeft) / cameraShakeTotal * cameraShakeAmplitude;
        x += (randomFraction() - 0.5f) * amplitude;
        y += (randomFraction() - 0.5f) * amplitude;
    }
    setEye(x, y, 100.0f);
    setCentre(x, y, -100.0f);
}

// ---- The opening: the mothership brings the ship in ----

void OXScnBaseSTGGame::startOpening() {
    for (int part = 0; part < 4; ++part) {
        mothership[part]->setPosition(kMothershipStart[part]);
        mothership[part]->setVisible(true);
        mothership[part]->setActive(true);
    }
    openingStep = 0;
    openingStepDone(this, 0);
}

// Each step starts when the main hull's move of the previous step ends.
bool OXScnBaseSTGGame::openingStepDone(void* scene, int) {
    auto* self = static_cast<OXScnBaseSTGGame*>(scene);
    OXSprite** parts = self->mothership;
    auto moveAll = [&](float ms, const Vec3& delta, float easing) {
        for (int part = 1; part < 4; ++part) {
            parts[part]->moveBy(ms, delta, easing);
        }
        parts[0]->moveBy(ms, delta, easing, self, openingStepDone);
    };
    switch (self->openingStep++) {
        case 0:
            moveAll(3000.0f, {0, -850, 0}, 1.5f);
            break;
        case 1:
            moveAll(1000.0f, {0, -100, 0}, 0.75f);
            break;
        case 2:
            parts[1]->moveBy(500.0f, {-40, -40, 0}, 0.75f);
            parts[2]->moveBy(500.0f, {40, -40, 0}, 0.75f);
            parts[0]->moveBy(500.0f, {0, 0, 0}, 0.75f, self, openingStepDone);
            break;
        case 3:
            moveAll(500.0f, {0, -10, 0}, 0.5f);
            self->run.countRespawn(true);
            if (self->ship) {
                self->ship->spawn(true, true);
            }
            self->firstSpawnPending = false;
            self->cameraShake(3200.0f, 20.0f);
            break;
        case 4:
            moveAll(1000.0f, {0, -600, 0}, 0.5f);
            break;
        default:
            for (int part = 0; part < 4; ++part) {
                parts[part]->setVisible(false);
                parts[part]->setActive(false);
            }
            break;
    }
    return false;
}

// ---- Input ----

void OXScnBaseSTGGame::keyEvent(int key, bool down) {
    const float press = down ? 1.0f : 0.0f;
    if (key == upKey) {
        if (down || keyDirection.y == 1.0f)
            keyDirection.y = press;
    } else if (key == downKey) {
        if (down || keyDirection.y == -1.0f)
            keyDirection.y = -press;
    } else if (key == leftKey) {
        if (down || keyDirection.x == -1.0f)
            keyDirection.x = -press;
    } else if (key == rightKey) {
        if (down || keyDirection.x == 1.0f)
            keyDirection.x = press;
    }
    if (!ship) {
        return;
    }
    const bool casual = isCasualPlay();
    if (key == bindingCode(FireBinding)) {
        fireHeld = down;
        ship->setFireHeld(down);
        if (down) {
            if (ship->isControllable()) {
                ship->setFiring(true);
            }
        } else {
            ship->stopAllLaunchers();
            ship->setFiring(false);
        }
    } else if (key == bindingCode(BeamBinding)) {
        beamHeld = down;
        ship->setBeamHeld(down);
        if (down) {
            if (ship->isControllable()) {
                if (casual) {
                    ship->setLaser(true);
                } else {
                    ship->stopAllLaunchers();
                    ship->setCharging(true);
                }
            }
            keyboardSpeed = kKeyboardSlowSpeed;
        } else {
            if (casual) {
                ship->setLaser(false);
            } else {
                ship->setCharging(false);
                counterAttack();
            }
            keyboardSpeed = kKeyboardSpeed;
        }
    } else if (key == bindingCode(TranceBinding)) {
        if (down && ship->isControllable()) {
            ship->requestTrance();
        }
    } else if (key == bindingCode(PauseBinding)) {
        if (!down) {
            host.pause();
        }
    } else if (key == input::kBomb) {
        if (down) {
            ship->useBomb();
        }
    } else if (key == input::kCounterHold) {
        if (!down) {
            letGoCounterHold();
        } else if (ship->isControllable() && ship->getBeamGauge() < 1.0f) {
            counterHeld = true;
            ship->setFiring(true);
        }
    } else if (key == input::kCounterRelease) {
        if (down) {
            letGoCounterHold();
            counterAttack();
        }
    }
}

void OXScnBaseSTGGame::letGoCounterHold() {
    if (!counterHeld) {
        return;
    }
    counterHeld = false;
    // The fire key, if it is held, keeps the weapon firing.
    if (ship && !fireHeld) {
        ship->stopAllLaunchers();
        ship->setFiring(false);
    }
}

void OXScnBaseSTGGame::releaseKeys() {
    keyDirection = {};
    keyboardSpeed = kKeyboardSpeed;
    if (ship && fireHeld) {
        ship->stopAllLaunchers();
        ship->setFiring(false);
    }
    if (ship && beamHeld) {
        ship->setLaser(false);
        ship->setCharging(false);
    }
    fireHeld = beamHeld = false;
    letGoCounterHold();
    if (ship) {
        ship->setFireHeld(false);
        ship->setBeamHeld(false);
    }
}

void OXScnBaseSTGGame::counterAttack() {
    if (!ship || ship->getBeamGauge() < OXSTGBasePlayer::kCounterMinimum) {
        return;
    }
    ship->fireCounter();
    tintBackground({0.25f, 1.0f, 0.8f, 1.0f}, 1400.0f);
    bullets->cancelBulletsInRadius(ship->getPosition(), 32.0f, false, 0);
    CXSoundManager& sound = CXSoundManager::instance();
    sound.playSound("leaser_beam.caf");
    sound.playSound("se_laser3.caf");
}

void OXScnBaseSTGGame::stageCleared() {
    endAttackTrack(false);
    if (ship) {
        if (ship->isTranceActive()) {
            ship->endBreak(false);
        }
        ship->freezeForStageEnd();
        // The gauges and the chain go on to the next stage's ship.
        run.carriedBeamGauge = ship->getBeamGauge();
        run.carriedBreakGauge = ship->getBreakGauge();
        run.carriedGrazeChain = ship->getGrazeChain();
        run.carriedChainBonus = ship->bonusValue();
    }
    releaseKeys();
    host.stageCleared();
}

// ---- Drawing ----

// Effects lie beneath the enemy bullets, which are drawn last of all the
// field's objects, so no spark or smoke ever hides a bullet.
void OXScnBaseSTGGame::drawObjects() {
    stageEffects->particles().drawPredraw();
    OXScene::drawObjects();
    blasts->drawUnder();
    explosionsNormal->draw();
    explosionsGlow->draw();
    blasts->drawOver();
    enemies->draw();
    bullets->drawBeams();
    bullets->drawPrizes();
    bullets->drawPlayerBullets();
    stageEffects->particles().draw();
}

void OXScnBaseSTGGame::drawOverlays() {
    OXScene::drawOverlays();
    stageEffects->trails().draw();
    bullets->drawEnemyBullets();
    textBoxes->draw();
    rings->draw();
    if (ship && ship->isVisible()) {
        ship->drawTopLayer();
    }
    if (hitMark->isShown()) {
        // The field is frozen while the mark shows, so its pulse runs on the real clock.
        const float halfView = getViewWidth() * 0.5f;
        const float clockMs = static_cast<float>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                     std::chrono::steady_clock::now().time_since_epoch())
                                                     .count() %
                                                 3600000);
        hitMark->draw(getEye().x - halfView, getEye().x + halfView, clockMs);
    }
}

// ---- What bullets and enemies ask of the stage ----

IXShotTarget* OXScnBaseSTGGame::shotTarget() const {
    return ship;
}

int OXScnBaseSTGGame::shootableCount() const {
    return enemies ? enemies->spawnedCount() : 0;
}

IXShootable* OXScnBaseSTGGame::shootable(int index) const {
    return enemies->spawned(index);
}

IXShootable* OXScnBaseSTGGame::currentBoss() const {
    OXBoss* boss = enemies ? enemies->currentBoss() : nullptr;
    return boss && boss->isActive() && boss->isVisible() ? boss : nullptr;
}

IXShootable* OXScnBaseSTGGame::nearestEnemy(const Vec3& from) const {
    return nearestEnemyIn(from, -1e9f, 1e9f, -1e9f, 1e9f);
}

IXShootable* OXScnBaseSTGGame::nearestEnemyIn(const Vec3& from, float minX, float maxX, float minY,
                                              float maxY) const {
    IXShootable* nearest = nullptr;
    float best = 0.0f;
    for (OXEnemy* enemy : enemies->getSpawnedEnemies()) {
        if (!shootableEnemy(*enemy) || !insideRect(enemy->getPosition(), minX, maxX, minY, maxY)) {
            continue;
        }
        const float dx = enemy->getX() - from.x;
        const float dy = enemy->getY() - from.y;
        const float distance = dx * dx + dy * dy;
        if (!nearest || distance < best) {
            nearest = enemy;
            best = distance;
        }
    }
    return nearest;
}

bool OXScnBaseSTGGame::isEnemyAlive(const IXShootable* enemy) const {
    if (!enemy) {
        return false;
    }
    for (OXEnemy* candidate : enemies->getSpawnedEnemies()) {
        if (candidate == enemy) {
            return shootableEnemy(*candidate);
        }
    }
    const IXShootable* boss = currentBoss();
    return boss == enemy && !boss->isDying();
}

void OXScnBaseSTGGame::graze(const OXBullet& bullet) {
    stageEffects->playAt(kScratch, bullet.getPosition(), bullet.directionVector(), kScratchMs);
    if (grazeEffectCooldown <= 0.0f) {
        blasts->scratch(bullet.getPosition(), bullet.directionVector());
        CXSoundManager::instance().playSound(kGrazeSound, 1.0f, kSmallPitchSpread);
        grazeEffectCooldown = kGrazeSoundCooldownMs;
    }
    if (ship) {
        const int chainBefore = ship->getGrazeChain();
        ship->graze();
        const int chain = ship->getGrazeChain();
        if (chain != chainBefore && chain % kGrazeRumbleEvery == 0) {
            host.rumble(RumbleCue::GrazeChain);
        }
    }
}

bool OXScnBaseSTGGame::isBombActive() const {
    return bomb && bomb->isDetonating();
}

void OXScnBaseSTGGame::playShotSound() {
    if (!shotSoundThisFrame) {
        shotSoundThisFrame = true;
        const bool trance = ship && ship->isTranceActive();
        CXSoundManager::instance().playSound(trance ? kTranceShotSound : kShotSound, 0.5f, kShotPitchSpread,
                                             kShotGainSpread);
    }
}

IXEnemyPlayer* OXScnBaseSTGGame::enemyPlayer() const {
    return ship;
}

IXShotEffects& OXScnBaseSTGGame::effects() const {
    return *stageEffects;
}

IXRenderObject* OXScnBaseSTGGame::startPredrawEffect(const std::string& name, const IXRenderObject& anchor) {
    return stageEffects->startPredrawEffect(name, anchor);
}

// An explosion weighs what died (its kind): a popcorn craft's light is small and brief, a
// carrier's bigger, a boss's fills a good part of the field and keeps bursting. `strength`,
// which callers still pass (every kill asks 150), no longer grows the light.
void OXScnBaseSTGGame::explosion(ExplosionKind kind, const Vec3& at, float /*strength*/) {
    float lifeMs = 500.0f;  // how long the light's sprite is held in its batch
    const std::string* soundName = &kSmallBlastSound;
    switch (kind) {
        case ExplosionKind::Small:
        case ExplosionKind::PreDeathSmall:
            break;
        case ExplosionKind::Medium:
            lifeMs = 600.0f;
            soundName = &kMediumBlastSound;
            break;
        case ExplosionKind::Large:
        case ExplosionKind::PreDeathLarge:
            lifeMs = 700.0f;
            soundName = &kMediumBlastSound;
            break;
        case ExplosionKind::Huge:
            lifeMs = 900.0f;
            soundName = &kHugeBlastSound;
            break;
    }
    const BlastWeight& weight = blastWeightOf(kind);
    if (OXSprite* flash = explosionsGlow->getFreeSprite()) {
        // The light is a flash of its own: the stage's flash rule caps how far it grows and
        // how often a big one shows (a refused one is taken all the same, unseen). Its sprite
        // is held for lifeMs and its turn drawn from the game's numbers, as the game has always
        // counted them; its light, mirror and pace are the effects' own.
        const float grown = FlashRule::glowScale(weight.lightScale);
        const float mirror = blasts->randomFraction() < 0.5f ? -1.0f : 1.0f;
        flash->setPosition(at.x, at.y, 3.0f);
        flash->setRotation(0, 0, randomFraction() * 360.0f);
        blasts->pickBlast(*flash);
        flash->setSpeedFactor(weight.lightMs / kBlastSheetMs * (0.9f + 0.2f * blasts->randomFraction()));
        flash->play();
        const float from = grown * 0.45f;
        flash->scaleTo(weight.lightMs, {from * mirror, from, 1}, {grown * mirror, grown, 1}, 0.5f);
        flash->moveBy(lifeMs, {}, 1.0f);
        // The stage's flash rule, kept by its background; none without a background (tools).
        const float light = background ? background->getFlashRule().glowAlpha(grown, 1.0f) : 1.0f;
        flash->fadeTo(weight.lightMs, light, 0.0f, 1.5f);
    }
    if (kind == ExplosionKind::Huge) {
        // The biggest blasts ring out in colour rather than light up the whole field.
        ring(at, lifeMs, 5.0f, {1.0f, 0.55f, 0.2f, 1.0f});
        ring(at, lifeMs * 1.5f, 7.0f, {0.9f, 0.3f, 0.8f, 0.8f});
    }
    blasts->burst(kind, at);
    explosionEffects(kind, at);
    CXSoundManager::instance().playSound(*soundName, 1.0f, kSmallPitchSpread, kSmallGainSpread);
}

void OXScnBaseSTGGame::hullBlast(const Vec3& at, float fireSize) {
    blasts->fireAt(at, fireSize);
}

// The particles of an explosion, from a spray of sparks for the smallest to
// fire, smoke, debris and streaking embers for the biggest. The light of
// each burst is short, so the sparks never linger over the bullets.
void OXScnBaseSTGGame::explosionEffects(ExplosionKind kind, const Vec3& at) {
    StageEffects& fx = *stageEffects;
    const Vec3 up{0.0f, 1.0f, 0.0f};
    switch (kind) {
        case ExplosionKind::PreDeathSmall:
            fx.playAt(kSparks, at, up, 30.0f);
            break;
        case ExplosionKind::Small:
            fx.playAt(kSparks, at, up, 40.0f);
            fx.playCovering(kSmallSmoke, at, up, 50.0f);
            break;
        case ExplosionKind::Medium:
            fx.playAt(kSparks, at, up, 50.0f);
            fx.playAt(kLongSparks, at, up, 30.0f);
            fx.playCovering(kDebris, at, up, 40.0f);
            fx.playCovering(kSmallSmoke, at, up, 70.0f);
            break;
        case ExplosionKind::PreDeathLarge:
        case ExplosionKind::Large:
            fx.playAt(kSparks, at, up, 60.0f);
            fx.playAt(kLongSparks, at, up, 40.0f);
            fx.playAt(kFireTrail, at, up, 60.0f);
            fx.playCovering(kDebris, at, up, 50.0f);
            fx.playCovering(kSmokeTrail, at, up, 80.0f);
            throwEmbers(at, 2);
            break;
        case ExplosionKind::Huge:
            fx.playAt(kSparks, at, up, 80.0f);
            fx.playAt(kLongSparks, at, up, 60.0f);
            fx.playAt(kFireTrail, at, up, 80.0f);
            fx.playAt(kFireTrailOrange, at, up, 80.0f);
            fx.playCovering(kDebris, at, up, 70.0f);
            fx.playCovering(kSmokeTrail, at, up, 120.0f);
            throwEmbers(at, 4);
            break;
    }
}

// Burning pieces flung out of a big explosion, each trailing a ribbon that
// lingers and fades after the piece burns out.
void OXScnBaseSTGGame::throwEmbers(const Vec3& at, int count) {
    for (int i = 0; i < count; ++i) {
        OXSprite* ember = explosionsGlow->getFreeSprite();
        if (!ember) {
            return;
        }
        // The effects' own random numbers: showing embers never changes the game's course.
        const float angle =
            (static_cast<float>(i) + fxmath::randomFraction()) * 360.0f / static_cast<float>(count);
        const float reach = 45.0f + 50.0f * fxmath::randomFraction();
        const Vec3 delta{shotmath::tableSin(angle) * reach, shotmath::tableCos(angle) * reach, 0.0f};
        ember->setPosition(at.x, at.y, 3.0f);
        BlastShow::blastFrame(*ember, 2);
        ember->scaleTo(650.0f, {0.12f, 0.12f, 1.0f}, {0.04f, 0.04f, 1.0f}, 1.0f);
        ember->moveBy(650.0f, delta, 0.4f);
        ember->fadeTo(650.0f, 1.0f, 0.2f, 1.0f);
        stageEffects->trails().spawnTrail(ember, kEmberTrailFrame, 2.5f, {});
    }
}

// Burning pieces thrown along `direction`, each with a shard that tumbles on after the fire
// burns out and fades where it lands. The spread and speed are drawn from the game's numbers,
// two a piece while the batch has a sprite free, as the game has always counted them.
void OXScnBaseSTGGame::debrisSpray(const Vec3& at, const Vec3& direction, float spread, int count,
                                   float pieceScale, float pieceSpeed) {
    for (int piece = 0; piece < count; ++piece) {
        OXSprite* debris = explosionsNormal->getFreeSprite();
        if (!debris) {
            return;
        }
        const float sideways = (randomFraction() - 0.5f) * spread;
        const float along = (0.5f + randomFraction()) * pieceSpeed * kDebrisReachPerSpeed;
        const Vec3 delta{direction.x * along - direction.y * sideways,
                         direction.y * along + direction.x * sideways, 0.0f};
        debris->setPosition(at.x, at.y, 2.0f);
        BlastShow::blastFrame(*debris, 4);  // orange fire, past the white-hot start
        debris->scaleTo(600.0f, {pieceScale, pieceScale, 1}, {pieceScale * 0.2f, pieceScale * 0.2f, 1}, 1.0f);
        debris->moveBy(600.0f, delta, 2.0f);
        debris->fadeTo(600.0f, 1.0f, 0.0f, 1.0f);
        blasts->tumble(at, delta * 1.4f, pieceScale * 0.6f, 1000.0f + 400.0f * blasts->randomFraction());
    }
}

void OXScnBaseSTGGame::beamKill(const Vec3& at) {
    stageEffects->playAt(kLongSparks, at, {0.0f, 1.0f, 0.0f}, 40.0f);
    ring(at, 300.0f, 1.5f, {0.6f, 1.0f, 1.0f, 1.0f});
}

// ---- What the ship asks of the stage ----

void OXScnBaseSTGGame::setTimeScale(float factor, float durationMs) {
    timeScale = factor;
    timeScaleLeft = durationMs;
}

void OXScnBaseSTGGame::shake(float durationMs) {
    shakeTime = durationMs * 1.2f;
    if (shakeTime <= 0.0f) {
        shakeTime = 0.0f;
        CXGfxManager::instance().setShakeOffset(0.0f);
    }
}

void OXScnBaseSTGGame::cameraShake(float durationMs, float amplitude) {
    cameraShakeLeft = cameraShakeTotal = durationMs;
    cameraShakeAmplitude = amplitude;
}

void OXScnBaseSTGGame::clearBullets() {
    bullets->expireEnemyBullets(false);
}

void OXScnBaseSTGGame::ring(const Vec3& at, float durationMs, float toScale, const Colour& tint) {
    OXSprite* sprite = rings->getFreeSprite();
    if (!sprite) {
        return;
    }
    sprite->setPosition(at.x, at.y, 4.0f);
    sprite->setColour(tint.r, tint.g, tint.b, tint.a);
    sprite->scaleTo(durationMs, {0.1f, 0.1f, 1}, {toScale, toScale, 1}, 0.5f);
    sprite->fadeTo(durationMs, 1.0f, 0.0f, 1.0f);
}

void OXScnBaseSTGGame::shockRing(const Vec3& at, float durationMs) {
    ring(at, durationMs, 4.0f, {1.0f, 1.0f, 1.0f, 1.0f});
}

void OXScnBaseSTGGame::tranceReadyRing(const Vec3& at) {
    ring(at, 250.0f, 2.0f, {1.0f, 0.8f, 0.4f, 1.0f});
    if (host.profileValues().tranceWarning) {
        CXSoundManager::instance().playSound("trance_warning.caf");
    }
}

void OXScnBaseSTGGame::counterRing(const Vec3& at, float durationMs) {
    ring(at, durationMs, 3.0f, {0.3f, 1.0f, 0.85f, 1.0f});
}

void OXScnBaseSTGGame::beamReadyPulse(const Vec3& at) {
    ring(at, 360.0f, 1.2f, {0.4f, 0.9f, 1.0f, 0.6f});
}

void OXScnBaseSTGGame::explosionAt(const Vec3& at) {
    explosion(ExplosionKind::Large, at, 1.0f);
    stageEffects->playAt(kFireTrailOrange, at, {0.0f, 1.0f, 0.0f}, 80.0f);
    CXSoundManager::instance().playSound("sfx_player_expl.caf");
}

void OXScnBaseSTGGame::tintBackground(const Colour& tint, float durationMs) {
    // A wash that lightens or colours the field is a flash: the dark ground that enemy bullets
    // stand out against comes back soon. A tint that only darkens it evenly (a boss's dimming)
    // keeps its time: it makes the bullets stand out more, not less.
    const bool darkens = tint.r <= 1.0f && tint.r == tint.g && tint.g == tint.b;
    if (background) {
        background->flashTint(tint, darkens ? durationMs : std::min(durationMs, kLongestWashMs));
    }
}

// ---- What bosses ask of the stage ----

void OXScnBaseSTGGame::screenEffect(float durationMs, float strength) {
    cameraShake(durationMs, strength * 0.5f);
    shake(durationMs * 0.5f);
}

void OXScnBaseSTGGame::bossOverlay(bool shown) {
    if (!background || background->isEventShown() == shown) {
        return;
    }
    if (shown) {
        background->showBossEvent();
    } else {
        background->endBossEvent();
    }
}

void OXScnBaseSTGGame::backgroundFlash(const Colour& tint, float durationMs, float) {
    // A light flash warms the backdrop in a glow of fire (never white), a black one darkens it.
    const bool light = tint.r + tint.g + tint.b > 1.5f;
    tintBackground(light ? Colour{1.35f, 1.0f, 0.6f, 1.0f} : Colour{0.05f, 0.05f, 0.05f, 1.0f}, durationMs);
}

void OXScnBaseSTGGame::blast(const Vec3& at, float strength) {
    ring(at, 300.0f + strength * 0.4f, 2.0f + strength * 0.006f, {1.0f, 0.9f, 0.8f, 1.0f});
    shake(150.0f);
}

void OXScnBaseSTGGame::showPhaseTimer(bool shown) {
    hud.showPhaseTimer(shown);
}

bool OXScnBaseSTGGame::awardPhaseBonus(float amount) {
    const bool paid = !isPhaseBonusLost() && ship;
    if (paid) {
        ship->addScoreFlat(static_cast<double>(amount), true);
    }
    if (paid) {
        std::printf("BONUS SUCCESSFUL %.0f\n", static_cast<double>(amount));
    } else {
        std::printf("BONUS FAILED\n");
    }
    hud.showBonus(paid, amount);
    return paid;
}

void OXScnBaseSTGGame::bossDefeated(const Vec3&) {
    ++bossesDefeated;
    std::printf("BOSS DEFEATED\n");
    showPhaseTimer(false);
    host.rumble(RumbleCue::BossDeath);
}

void OXScnBaseSTGGame::attackStarted(const OXBoss& boss, int phase) {
    endAttackTrack(false);
    attackTrack.running = true;
    attackTrack.spoiled = false;
    attackTrack.boss = boss.getFileName();
    attackTrack.phase = phase;
    attackTrack.startTime = stageTime;
    host.attackStarted(attackTrack.boss, phase, boss.getAttackName());
}

void OXScnBaseSTGGame::attackEnded(const OXBoss& boss, int phase, bool defeated) {
    // An attempt already ended (the ship was lost) stays as it ended.
    if (attackTrack.running && attackTrack.phase == phase && attackTrack.boss == boss.getFileName()) {
        endAttackTrack(defeated);
    }
}

void OXScnBaseSTGGame::endAttackTrack(bool cleared) {
    if (!attackTrack.running) {
        return;
    }
    attackTrack.running = false;
    const int timeMs = static_cast<int>(std::lround(std::max(0.0f, stageTime - attackTrack.startTime)));
    host.attackEnded(attackTrack.boss, attackTrack.phase, cleared && !attackTrack.spoiled, timeMs);
}

void OXScnBaseSTGGame::tranceBackgroundFlash() {
    if (background) {
        background->flashTintTwoStep({0.15f, 0.15f, 0.15f, 1.0f}, 100.0f, {0.75f, 0.75f, 0.75f, 1.0f},
                                     200.0f);
    }
}

void OXScnBaseSTGGame::detonateBomb(const Vec3& at, float durationMs) {
    attackTrack.spoiled = true;
    bomb->setPosition(at);
    bomb->detonate(durationMs);
    host.rumble(RumbleCue::Bomb);
}

void OXScnBaseSTGGame::hudDamageFlash(float durationMs) {
    hud.damageFlash(durationMs);
}

void OXScnBaseSTGGame::hudStartTranceCutIn() {
    if (ship) {
        hud.startTranceCutIn(*ship);
    }
}

void OXScnBaseSTGGame::playerDied() {
    if (attempt.wanted && attempt.end == AttemptEnd::None) {
        endAttempt(AttemptEnd::Failed);
    }
    endAttackTrack(false);
    respawnDelay = kDeathRespawnDelayMs;
    cameraShake(500.0f, 80.0f);
    if (ship) {
        ship->die();
    }
}

// The ship was lost or bombed for a hit: the session keeps it with the boss attack running (a
// phase with an attack name) or, without one, the stage's waves. A rare event, so the record's
// few strings may be built here.
void OXScnBaseSTGGame::shipHit(const Vec3& at, float radius, bool bombed) {
    ReplayHit hit;
    hit.x = at.x;
    hit.y = at.y;
    hit.radius = radius;
    hit.bomb = bombed;
    hit.stage = run.stageIndex;
    const OXBoss* boss = enemies ? enemies->currentBoss() : nullptr;
    if (boss && boss->isActive() && !boss->getAttackName().empty()) {
        hit.boss = boss->getFileName();
        hit.phase = boss->getPhaseIndex();
        hit.attack = boss->getAttackName();
    } else {
        char waves[24];
        std::snprintf(waves, sizeof waves, "STAGE %d", run.stageIndex + 1);
        hit.attack = waves;
    }
    host.shipHit(hit);
    // The bomb's own pulse is felt for a hit that set one off.
    if (!bombed) {
        host.rumble(RumbleCue::ShipHit);
    }
}

void OXScnBaseSTGGame::showHitMark(const ReplayHit* hit) {
    hitMark->show(hit);
}

// ---- Attack practice ----

namespace {
// A name from the choices as a console line may show it: printable ASCII, at most 40 characters.
std::string printable(const std::string& name) {
    std::string shown;
    for (const char c : name) {
        if (shown.size() >= 40) {
            shown += "...";
            break;
        }
        shown += c >= 0x20 && c < 0x7f ? c : '?';
    }
    return shown;
}
}  // namespace

void OXScnBaseSTGGame::practiseAttack(const std::string& boss, int phase) {
    attempt = AttackAttempt{};
    attempt.wanted = true;
    attempt.boss = boss;
    attempt.phase = phase;
}

void OXScnBaseSTGGame::loadPracticeBoss(const std::string& boss, const std::string& midBoss) {
    // Only a boss the stage names is loaded, so the choice never names a file of its own.
    if (attempt.boss.empty() || (attempt.boss != boss && attempt.boss != midBoss)) {
        std::printf("ATTACK PRACTICE: NO BOSS \"%s\" IN THIS STAGE\n", printable(attempt.boss).c_str());
        enemies->setBossDone(true);
        if (!unplayable) {
            unplayable = "THE BOSS CHOSEN FOR PRACTICE IS NOT IN IT";
        }
        return;
    }
    // The practised boss fights in the boss's place, whichever it is: the mid-boss is skipped.
    enemies->loadBoss(kPlistFolder + attempt.boss);
    const OXBoss* loaded = enemies->getBoss();
    const int phases = loaded ? loaded->getPhaseCount() : 0;
    if (attempt.phase < 0 || attempt.phase >= phases) {
        std::printf("ATTACK PRACTICE: %s HAS NO PHASE %d (IT HAS %d)\n", attempt.boss.c_str(), attempt.phase,
                    phases);
        if (!unplayable) {
            unplayable = "THE ATTACK CHOSEN FOR PRACTICE IS NOT IN ITS BOSS";
        }
    }
}

void OXScnBaseSTGGame::updateAttempt() {
    OXBoss* boss = enemies->getBoss();
    if (!boss || attempt.end != AttemptEnd::None) {
        return;
    }
    if (stageState == Started && !firstSpawnPending) {
        // The ship is in: the boss comes.
        stageState = BossAnnounced;
        if (!boss->startAtPhase(attempt.phase)) {
            std::printf("ATTACK PRACTICE: %s CANNOT BE SHOWN\n", attempt.boss.c_str());
            endAttempt(AttemptEnd::Failed);
        }
        return;
    }
    const bool fighting = boss->getLife() == OXBoss::BossLife::Fighting ||
                          boss->getLife() == OXBoss::BossLife::ReturningForRepeat;
    if (!attempt.started) {
        if (fighting && boss->getPhaseIndex() == attempt.phase) {
            attempt.started = true;
            attempt.startMs = stageTime;
            attempt.bombsAtStart = run.bombs;
            const std::string& name = boss->getAttackName();
            attempt.attackName = name.empty() ? "PHASE " + std::to_string(attempt.phase) : name;
            std::printf("ATTACK PRACTICE STARTS: %s\n", attempt.attackName.c_str());
        }
        return;
    }
    if (boss->getLastEndedPhase() == attempt.phase) {
        const bool clean = !hitFlag && run.bombs >= attempt.bombsAtStart;
        endAttempt(!boss->wasLastPhaseBeaten() ? AttemptEnd::Failed
                   : clean                     ? AttemptEnd::Captured
                                               : AttemptEnd::Cleared);
    } else if (fighting && !boss->isInvincible() && boss->getPhaseTimer() <= 0.0f) {
        endAttempt(AttemptEnd::Failed);  // out of time
    }
}

void OXScnBaseSTGGame::endAttempt(AttemptEnd end) {
    attempt.end = end;
    attempt.endMs = stageTime;
}
