#include "stg/enemy/OXBoss.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXSprite.h"
#include "stg/enemy/BossPhase.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/EnemyContext.h"
#include "stg/enemy/EnemyDictionary.h"
#include "stg/enemy/IXEnemyPlayer.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

namespace {

using enemydict::kIndexedKeyCount;
using enemydict::launcherKey;
using enemydict::moduleKey;
using Plist::boolOr;
using Plist::floatOr;
using Plist::intOr;

const std::string kPlistFolder = "assets/plist/";
const std::string kSprite = "sprite", kScale = "scale", kHitboxScale = "hitbox scale";
const std::string kFaceDirectionType = "face direction type";
const std::string kDefaultX = "default x", kDefaultY = "default y", kDefaultZ = "default z";
const std::string kStartX = "start x", kStartY = "start y", kStartZ = "start z";
const std::string kEscape = "on death escape";
const std::string kName = "name";
// What the HUD calls a boss whose file gives it no name.
const char* const kUnnamedBoss = "BOSS";
const std::string kOnDeathEffect = "on death effect", kOnDeathDuration = "on death duration";
const std::string kPhaseClearEffect = "phase clear effect", kPhaseClearDuration = "phase clear duration";
const std::string kRuneStartEffect = "rune phase start effect";
const std::string kNormalModules = "normal modules", kBreakModules = "break modules";
const std::string kDamagePhases = "damage phases";
// What a damaged hull throws now and then: dim short sparks and a thin wisp of smoke.
const std::string kDamageSparks = "ps_boss_damage_sparks", kDamageSmoke = "ps_boss_damage_smoke";
// The gap between a damaged hull's sparks, by the hull's frame (1, 2, 3 and beyond).
constexpr float kDamageShowGapMs[] = {900.0f, 600.0f, 380.0f};
const std::string kRuneCircle = "rune circle", kDeathNode = "death movement node",
                  kEffectBank = "effect bank";
// Effect and module entries.
const std::string kOffsetX = "offset x", kOffsetY = "offset y", kOffsetZ = "offset z";
const std::string kEffectFile = "effect file", kIsPredraw = "is predraw";
const std::string kAnchorX = "anchor x", kAnchorY = "anchor y", kAnchorZ = "anchor z";
const std::string kBoundStrength = "bound strength", kBoundX = "bound x", kBoundY = "bound y",
                  kBoundZ = "bound z";
const std::string kIsGlow = "is glow", kIsExhaust = "is exhaust";
const std::string kSmallExplosionSound = "sfx_small_expl.caf";
const std::string kDistantExplosionSound = "sfx_boss_expl_dist.caf";

constexpr int kMaxPhases = 64;
// A boss carries as many launchers and modules as indexed keys.
constexpr int kMostParts = enemydict::kIndexedKeyCount;
constexpr float kBlinkOffMs = 32.0f, kBlinkOnMs = 96.0f;
constexpr float kSmallExplosionGapMs = 200.0f;
constexpr float kExplodeRingLeadMs = 1000.0f;
constexpr float kChargeLimitMs = 300.0f;
const Colour kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Colour kDim{0.25f, 0.25f, 0.25f, 1.0f};
const Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};
const Colour kHitFlash{2.0f, 1.5f, 1.5f, 1.0f};
const Colour kBreakPulse{2.0f, 1.5f, 1.3f, 1.0f};

const std::string& phaseKey(int index) {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> made;
        for (int i = 0; i < kMaxPhases; ++i) {
            made.push_back("phase " + std::to_string(i));
        }
        return made;
    }();
    static const std::string none = "phase none";
    return index >= 0 && index < kMaxPhases ? keys[static_cast<size_t>(index)] : none;
}

const std::string& effectKey(int index) {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> made;
        for (int i = 0; i < kIndexedKeyCount; ++i) {
            made.push_back("effect " + std::to_string(i));
        }
        return made;
    }();
    static const std::string none = "effect none";
    return index >= 0 && index < kIndexedKeyCount ? keys[static_cast<size_t>(index)] : none;
}

float randomShare() {
    return shotmath::randomFraction();
}

// A sprite from "assets/plist/NAME", hidden until a phase shows it.
std::unique_ptr<OXSprite> decoration(const std::string& name, BlendMode blend, float uniform) {
    auto sprite = std::make_unique<OXSprite>();
    sprite->load(kPlistFolder + name);
    sprite->setBlendMode(blend);
    sprite->setUniformScale(uniform);
    sprite->setVisible(false);
    sprite->setActive(false);
    return sprite;
}

}  // namespace

constexpr float OXBoss::kBonusByDifficulty[4];

const std::vector<int> OXBoss::kNoEffects;

OXBoss::OXBoss() = default;

OXBoss::~OXBoss() {
    stopAllEffects();
}

// ---- Loading ----

void OXBoss::loadBoss(const std::string& filePath) {
    path = filePath;
    // Read once here; the fight reads only the records made from it.
    Plist::Dictionary definition;
    phases.clear();
    effects.clear();
    modules.clear();
    const std::string file = path + ".plist";
    deathNode = nullptr;
    if (!Plist::loadContent(file, definition) && !assetExists(file)) {
        std::printf("MISSING BOSS %s\n", file.c_str());
    }
    enemydict::holdNodeTimes(definition, file);
    enemydict::holdPhaseHitPoints(definition, file);
    enemydict::holdTime(definition, kOnDeathDuration, file, "the boss");
    enemydict::holdTime(definition, kPhaseClearDuration, file, "the boss");
    // A boss is shown by its sprite's list: without one it cannot be fought, and the stage skips it.
    const std::string& sprite = Plist::textOf(definition, kSprite);
    Plist::Dictionary spriteList;
    showable = !sprite.empty() && Plist::loadContent(kPlistFolder + sprite + ".plist", spriteList);
    if (showable) {
        loadSprite(kPlistFolder + sprite, false);
    } else {
        std::printf(
            "BOSS %s CANNOT BE SHOWN (NO READABLE SPRITE LIST \"%s\"): THE STAGE GOES ON WITHOUT IT\n",
            file.c_str(), sprite.c_str());
    }
    invincible = false;
    const float bossScale = floatOr(definition, kScale, 1.0f);
    scale = {bossScale, bossScale, bossScale};
    hitScale = floatOr(definition, kHitboxScale, 0.8f);
    facingKind = static_cast<FaceDirection>(intOr(definition, kFaceDirectionType, 0));
    defaultPosition = {floatOr(definition, kDefaultX, 0.0f), floatOr(definition, kDefaultY, 0.0f),
                       floatOr(definition, kDefaultZ, 0.0f)};
    nextDefaultPosition = defaultPosition;
    startPosition = {floatOr(definition, kStartX, 0.0f), floatOr(definition, kStartY, 0.0f),
                     floatOr(definition, kStartZ, 0.0f)};
    position = startPosition;
    displayName = Plist::textOf(definition, kName);
    if (displayName.empty()) {
        displayName = kUnnamedBoss;
    }
    escapeOnDeath = boolOr(definition, kEscape, false);
    hitPoints = readHitPoints(definition);
    maxHitPoints = previousHitPoints = hitPoints;

    readLaunchers(definition);
    readEffects(definition);
    readModules(definition);
    readIndices(Plist::textOf(definition, kNormalModules), normalModules, moduleCount(), "module", path);
    readIndices(Plist::textOf(definition, kBreakModules), breakModules, moduleCount(), "module", path);
    const int effectCount = static_cast<int>(effects.size());
    readIndices(Plist::textOf(definition, kOnDeathEffect), onDeathEffects, effectCount, "effect", path);
    readIndices(Plist::textOf(definition, kPhaseClearEffect), phaseClearEffectList, effectCount, "effect",
                path);
    readIndices(Plist::textOf(definition, kRuneStartEffect), runeStartEffects, effectCount, "effect", path);
    onDeathDuration = floatOr(definition, kOnDeathDuration, 0.0f);
    phaseClearDuration = floatOr(definition, kPhaseClearDuration, 0.0f);

    IXShotEffects& fx = OXEnemy::effects();
    if (const Plist::Dictionary* node = Plist::findDict(definition, kDeathNode)) {
        deathMovement = readMovementNode(*node, true);
        deathNode = &deathMovement;
        if (deathMovement.effect.size() > 1) {
            fx.preloadEffect(deathMovement.effect);
        }
    }
    if (const Plist::Array* bank = Plist::findArray(definition, kEffectBank)) {
        for (const Plist::Value& entry : *bank) {
            const std::string* name = Plist::asString(entry);
            if (name && !name->empty()) {
                fx.preloadEffect(*name);
            }
        }
    }

    for (int index = 0; index < kMaxPhases; ++index) {
        const Plist::Dictionary* phase = Plist::findDict(definition, phaseKey(index));
        if (!phase) {
            break;
        }
        phases.push_back(readBossPhase(*phase, effectCount, path, index));
        for (const MovementNode& node : phases.back().nodes) {
            if (node.effect.size() > 1) {
                fx.preloadEffect(node.effect);
            }
        }
    }
    readIndices(Plist::textOf(definition, kDamagePhases), damagePhases, getPhaseCount(), "phase", path);
    if (!damagePhases.empty()) {
        fx.preloadEffect(kDamageSparks);
        fx.preloadEffect(kDamageSmoke);
    }
    damageShowTimer = 0.0f;
    damageShowCount = 0;
    if (phases.empty() && showable) {
        std::printf("BOSS %s HAS NO PHASES: IT CANNOT FIGHT AND COUNTS AS BEATEN AFTER %.0f S\n",
                    path.c_str(), static_cast<double>(kCannotFightMs / 1000.0f));
    }
    makeDecorations(definition);
    done = false;
}

void OXBoss::readLaunchers(const Plist::Dictionary& definition) {
    launchers.clear();
    CXBulletManager* bullets = context ? context->bullets : nullptr;
    setBulletManager(bullets);
    for (int index = 0; index < kMostParts; ++index) {
        const Plist::Dictionary* entry = Plist::findDict(definition, launcherKey(index));
        if (!entry) {
            break;
        }
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setManager(bullets);
        launcher->setOwner(this);
        const LauncherMount mount = readLauncherMount(*entry);
        if (bullets && !mount.firePattern.empty()) {
            bullets->loadFirePattern(mount.firePattern);
            bullets->setupLauncher(launcher, mount.firePattern);
        }
        launcher->setMount({mount.offset.x, mount.offset.y, 0.0f});
        launcher->setCooldown(mount.cooldownMs);
        launcher->setOrbitSpeed(mount.orbitSpeed);
        launcher->setOrbitRotation(mount.orbitStartRotation);
        launcher->setOrbitRadius(mount.orbitRadius);
        launcher->setNonRelative(mount.nonRelative);
        launcher->setState(OXLauncher::Armed);
        launcher->setActive(true);
        addLauncher(launcher);
    }
}

void OXBoss::readEffects(const Plist::Dictionary& definition) {
    IXShotEffects& fx = OXEnemy::effects();
    for (int index = 0; index < kIndexedKeyCount; ++index) {
        const Plist::Dictionary* entry = Plist::findDict(definition, effectKey(index));
        if (!entry) {
            break;
        }
        const std::string& name = Plist::textOf(*entry, kEffectFile);
        if (name.empty()) {
            continue;
        }
        Effect made;
        made.name = name;
        made.offset = {floatOr(*entry, kOffsetX, 0.0f), floatOr(*entry, kOffsetY, 0.0f),
                       floatOr(*entry, kOffsetZ, 0.0f)};
        made.predraw = boolOr(*entry, kIsPredraw, false);
        fx.preloadEffect(name);
        effects.push_back(made);
    }
}

void OXBoss::readModules(const Plist::Dictionary& definition) {
    for (int index = 0; index < kMostParts; ++index) {
        const Plist::Dictionary* entry = Plist::findDict(definition, moduleKey(index));
        if (!entry) {
            break;
        }
        const std::string& sprite = Plist::textOf(*entry, kSprite);
        if (sprite.empty()) {
            continue;
        }
        auto module = std::make_unique<OXBossModule>();
        module->load(kPlistFolder + sprite);
        module->setCarrier(this);
        module->setAnchor({floatOr(*entry, kAnchorX, 0.0f), floatOr(*entry, kAnchorY, 0.0f),
                           floatOr(*entry, kAnchorZ, 0.0f)});
        module->setFollowFactor(floatOr(*entry, kBoundStrength, 0.1f));
        module->setBound(
            {floatOr(*entry, kBoundX, 0.0f), floatOr(*entry, kBoundY, 0.0f), floatOr(*entry, kBoundZ, 0.0f)});
        module->setBlendMode(boolOr(*entry, kIsGlow, false) ? BlendAdditive : BlendPremultiplied);
        module->setExhaust(boolOr(*entry, kIsExhaust, false));
        module->setLoadScale(scale.x);
        module->setVisible(false);
        module->setActive(false);
        modules.push_back(std::move(module));
    }
}

void OXBoss::makeDecorations(const Plist::Dictionary& definition) {
    runeCircle = decoration("spr_boss_rune_circle", BlendAdditive, 1.0f);
    runeCircle->setSpinRate(0.0f, 0.0f, 0.175f);
    const std::string& extra = Plist::textOf(definition, kRuneCircle);
    runeCircleExtra.reset();
    if (!extra.empty()) {
        runeCircleExtra = decoration(extra, BlendMultiply, 1.0f);
        runeCircleExtra->setScale(1.25f, 1.25f, 1.0f);
        runeCircleExtra->setSpinRate(0.0f, 0.0f, -0.2f);
    }
    eventCircle = decoration("spr_boss_event_circle", BlendInverseMultiply, 0.5f);
    spellFlash = decoration("spr_spell_gfx", BlendPremultiplied, 0.5f);
    breakRing = decoration("spr_break_ring", BlendPremultiplied, 0.5f);
    breakRing->setColour(0.0f, 0.0f, 0.0f, 1.0f);
    breakRing->setSpinRate(0.0f, 0.0f, 0.025f);
    explodeRing = decoration("spr_boss_explode_ring", BlendAdditive, 0.5f);
    explodeRing->setSpinRate(0.0f, 0.0f, -0.1f);
}

void OXBoss::setUniformScaleAll(float value) {
    uniformScale = value;
    for (auto& module : modules) {
        module->setUniformScale(value);
    }
}

// ---- Start and phases ----

void OXBoss::start() {
    if (!enter()) {
        return;
    }
    if (canFight()) {
        startPhase(0);
    } else {
        life = BossLife::CannotFight;
    }
}

bool OXBoss::enter() {
    position = startPosition;
    visible = active = true;
    colour = kWhite;
    entering = false;
    dying = false;
    explodeRingStarted = false;
    delayTime = 0.0f;
    speed = headingRate = speedRate = 0.0f;
    nodeTimeLeft = 0.0f;
    facing = facingTarget = 0.0f;
    phaseIndex = 0;
    nodeIndex = 0;
    life = BossLife::Waiting;
    idleTime = 0.0f;
    lastEndedPhase = -1;
    for (auto& module : modules) {
        module->setVisible(true);
        module->setActive(true);
        module->setUniformScale(uniformScale);
        module->tick(16.7f);
    }
    updateMatrix();
    if (!showable) {
        visible = active = false;
        life = BossLife::Gone;
        markDefeated();
        return false;
    }
    return true;
}

bool OXBoss::startAtPhase(int index) {
    if (!showable || index < 0 || index >= getPhaseCount() || !enter()) {
        return false;
    }
    showModules(false);
    // Where the phases before it would have left its home, its music and the stage clock.
    const std::string* music = nullptr;
    for (int earlier = 0; earlier < index; ++earlier) {
        const BossPhase& phase = phases[static_cast<size_t>(earlier)];
        if (phase.movesHome) {
            defaultPosition = nextDefaultPosition = phase.nextHome;
        }
        if (!phase.music.empty()) {
            music = &phase.music;
        }
        if (enemyManager && phase.setsStageClock) {
            enemyManager->setStageClock(phase.stageClockMs);
        }
    }
    if (music) {
        CXSoundManager::instance().playMusic("assets/audio/" + *music, true);
    }
    // In by the flight home's last step; its end starts the phase.
    const BossPhase& phase = phases[static_cast<size_t>(index)];
    phaseIndex = index;
    phaseHp = maxHitPoints = phase.hitPoints;
    hitPoints = previousHitPoints = previousBlinkHp = 0.0f;
    hpRefillRate = phaseHp * kRefillPerHp;
    invincible = true;
    life = BossLife::FlightClimb;
    const Vec3 home{defaultPosition.x, defaultPosition.y, position.z};
    moveBy(kEntryFlightMs, home - position, 0.45f, this, flightStepCallback);
    return true;
}

void OXBoss::startPhase(int index) {
    phaseClearBurst = false;
    if (phases.empty()) {
        return;
    }
    life = BossLife::Fighting;
    nodeIndex = 0;
    movementNodeCount = 0;
    stopAllEffects();
    if (index < 0 || index >= getPhaseCount()) {
        return;
    }
    phaseIndex = index;
    const BossPhase& phase = phases[static_cast<size_t>(index)];
    showDamage(index);
    repeatNodes = phase.repeat;
    invincible = phase.invincible;
    showPhaseClear = phase.showPhaseClear;
    if (phase.movesHome) {
        nextDefaultPosition = phase.nextHome;
    }
    movementNodes = phase.nodes.data();
    movementNodeCount = static_cast<int>(phase.nodes.size());
    IXEnemyWorld* scene = world();
    if (scene) {
        const bool overlay = phase.blackOverlay;
        if (overlay) {
            showRunes();
            eventCircle->setPosition(position);
            eventCircle->scaleTo(250.0f, {10.0f, 10.0f, 1.0f}, {0.01f, 0.01f, 1.0f}, 0.25f);
            eventCircle->setAlpha(1.0f);
            scene->screenEffect(250.0f, 20.0f);
        }
        scene->bossOverlay(overlay);
        showModules(overlay);
        if (phase.specialModules) {
            for (auto& module : modules) {
                module->setVisible(false);
            }
            if (moduleCount() > 1) {
                modules[1]->setVisible(true);
                modules[1]->setActive(true);
                modules[1]->tintTo(1400.0f, kBreakPulse, kWhite, 0.5f, nullptr, nullptr);
            }
        }
        if (phase.explosion) {
            scene->explosion(ExplosionKind::Huge, position, 150.0f);
            scene->screenEffect(1000.0f, 80.0f);
        }
        if (!phase.music.empty()) {
            CXSoundManager::instance().playMusic("assets/audio/" + phase.music, true);
        }
    }
    positionReset = phase.positionReset;
    const float hp = phase.hitPoints;
    hitPoints = maxHitPoints = phaseHp = previousHitPoints = previousBlinkHp = hp;
    hpRefillRate = hp * kRefillPerHp;
    phaseTimer = phase.bonusTimeMs;
    shownEffects = &phase.shownEffects;
    startListedEffects(*shownEffects);
    if (enemyManager && phase.setsStageClock) {
        enemyManager->setStageClock(phase.stageClockMs);
    }
    scoreFactor = phase.scoreFactor;
    if (scene) {
        scene->showPhaseTimer(index >= 1 && !invincible);
        scene->resetPhaseBonus();
    }
    startBossNode(0);
}

void OXBoss::showDamage(int index) {
    if (damagePhases.empty()) {
        return;
    }
    int frame = 0;
    for (size_t k = 0; k < damagePhases.size(); ++k) {
        if (damagePhases[k] <= index) {
            frame = static_cast<int>(k) + 1;
        }
    }
    // Any cell of the sprite's grid, whatever its animation spans; never past the grid.
    frame = std::min(frame, numColumns * numRows - 1);
    row = frame / numColumns;
    column = frame - row * numColumns;
}

void OXBoss::updateDamageShow(float dtMs) {
    if (damagePhases.empty() || life == BossLife::Gone) {
        return;
    }
    if (life == BossLife::Dying) {
        if (!escapeOnDeath) {
            const int last = numColumns * numRows - 1;
            row = last / numColumns;
            column = last - row * numColumns;
        }
        return;
    }
    const int frame = currentFrame();
    if (frame <= 0 || !visible) {
        return;
    }
    damageShowTimer -= dtMs;
    if (damageShowTimer > 0.0f) {
        return;
    }
    constexpr int kGaps = static_cast<int>(sizeof(kDamageShowGapMs) / sizeof(kDamageShowGapMs[0]));
    damageShowTimer = kDamageShowGapMs[std::min(frame, kGaps) - 1];
    // The spots walk round the hull by the golden angle, at three depths in turn, so no two
    // neighbours in time come from the same place.
    const float degrees = 137.5f * static_cast<float>(damageShowCount);
    const float reach = shotReach() * (0.35f + 0.2f * static_cast<float>(damageShowCount % 3));
    const float radians = degrees * 0.0174532925f;
    const Vec3 at{position.x + std::sin(radians) * reach, position.y + std::cos(radians) * reach, position.z};
    IXShotEffects& fx = OXEnemy::effects();
    fx.playAt(kDamageSparks, at, {std::sin(radians), std::cos(radians), 0.0f}, 60.0f);
    if (damageShowCount % 2 == 0) {
        fx.playAt(kDamageSmoke, at, {0.0f, 1.0f, 0.0f}, 120.0f);
    }
    ++damageShowCount;
}

const std::string& OXBoss::getAttackName() const {
    static const std::string none;
    const bool fighting = life == BossLife::Fighting || life == BossLife::ReturningForRepeat;
    return fighting && phaseIndex >= 0 && phaseIndex < getPhaseCount()
               ? phases[static_cast<size_t>(phaseIndex)].attackName
               : none;
}

void OXBoss::startBossNode(int index) {
    if (index < 0 || index >= movementNodeCount) {
        return;
    }
    const MovementNode& node = movementNodes[index];
    if (node.showsEffects) {
        stopAllEffects();
        shownEffects = &node.shownEffectIndices;
        startListedEffects(*shownEffects);
    }
    startMovementNode(index);
    chargeTime = node.durationMs * 0.15f;
    if (node.charging) {
        startCharge();
    } else {
        stopCharge();
    }
}

void OXBoss::endPhase() {
    movementNodeCount = 0;
    defaultPosition = nextDefaultPosition;
    life = BossLife::BetweenPhases;
    speed = headingRate = speedRate = 0.0f;
    headingChangeLeft = speedChangeLeft = 0.0f;
    nodeTimeLeft = 0.0f;
    invincible = true;
    IXEnemyWorld* scene = world();
    if (showPhaseClear) {
        phaseClearEffects();
        if (scene && phaseIndex > 1) {
            phaseBonus();
        }
    }
    if (charging) {
        stopCharge();
    }
    if (scene && escapeOnDeath && phaseIndex == getPhaseCount() - 1) {
        markDefeated();
    }
    if (phaseIndex > 1) {
        explosionsBetweenPhases();
        if (positionReset) {
            beginFlightHome();
            return;
        }
    }
    nextPhaseAfterFlight();
}

void OXBoss::phaseClearEffects() {
    burstEffects(phaseClearEffectList, phaseClearDuration);
    if (IXEnemyWorld* scene = world()) {
        scene->tintBackground(kDim, 1000.0f);
        scene->blast(position, 750.0f);
    }
    hideRunes();
}

void OXBoss::phaseBonus() {
    IXEnemyWorld* scene = world();
    if (!scene) {
        return;
    }
    scene->awardPhaseBonus(kBonusByDifficulty[storedNumber(scene->difficulty())]);
}

void OXBoss::explosionsBetweenPhases() {
    if (CXBulletManager* bullets = context ? context->bullets : nullptr) {
        for (int i = 0; i < 10; ++i) {
            const float radians = randomShare() * 360.0f * shotmath::kRadiansPerDegree;
            bullets->spawnPrize(
                {position.x + std::sin(radians) * 120.0f, position.y + std::cos(radians) * 120.0f, 0.0f},
                OXBullet::ScoreOrb);
        }
    }
    if (IXEnemyWorld* scene = world()) {
        scene->blast(position, 500.0f);
        for (int i = 0; i < 3; ++i) {
            const float degrees = randomShare() * 360.0f;
            const float radians = degrees * shotmath::kRadiansPerDegree;
            scene->debrisSpray(position, {std::sin(radians), std::cos(radians), 0.0f}, 60.0f, 4, 0.6f,
                               200.0f);
        }
    }
}

void OXBoss::smallExplosions() {
    if (IXEnemyWorld* scene = world()) {
        const Vec3 at{position.x + (randomShare() - 0.5f) * 100.0f,
                      position.y + (randomShare() - 0.5f) * 100.0f, 0.0f};
        scene->explosion(ExplosionKind::Small, at, 100.0f);
    }
    if (context) {
        context->playOncePerFrame(EnemySound::SmallExplosion);
    }
}

// The three-step flight home: a jolt near home, a drop below it, the climb back.
void OXBoss::beginFlightHome() {
    life = BossLife::FlightJolt;
    smallExplosions();
    const Vec3 target{defaultPosition.x + (randomShare() - 0.5f) * 50.0f,
                      defaultPosition.y + (randomShare() - 0.5f) * 50.0f, position.z};
    moveBy(300.0f, target - position, 1.5f, this, flightStepCallback);
}

bool OXBoss::flightStepCallback(void* boss, int) {
    static_cast<OXBoss*>(boss)->flightStepDone();
    return true;
}

void OXBoss::flightStepDone() {
    if (!isFlyingHome() || !active) {
        return;
    }
    smallExplosions();
    if (life == BossLife::FlightJolt) {
        life = BossLife::FlightDrop;
        const Vec3 target{defaultPosition.x + (randomShare() - 0.5f) * 50.0f,
                          defaultPosition.y - (60.0f + 20.0f * randomShare()), position.z};
        moveBy(600.0f, target - position, 2.5f, this, flightStepCallback);
    } else if (life == BossLife::FlightDrop) {
        life = BossLife::FlightClimb;
        const Vec3 target{defaultPosition.x, defaultPosition.y, position.z};
        moveBy(400.0f, target - position, 0.45f, this, flightStepCallback);
    } else {
        life = BossLife::BetweenPhases;
        nextPhaseAfterFlight();
    }
}

void OXBoss::nextPhaseAfterFlight() {
    if (phaseIndex < getPhaseCount()) {
        hitPoints = phaseHp;
        startPhase(phaseIndex);
    } else {
        die();
    }
}

// ---- Per frame ----

void OXBoss::tick(float dtMs) {
    if (!active) {
        return;
    }
    OXEnemy::tick(dtMs);
    if (!active) {
        return;
    }
    rotation.z = -facing;
    updateMatrix();
    updateDecorations();
    for (auto& module : modules) {
        if (module->isActive()) {
            module->tick(dtMs);
        }
    }
    for (Effect& slot : effects) {
        if (slot.burstLeft > 0.0f) {
            slot.burstLeft -= dtMs;
            if (slot.burstLeft <= 0.0f && slot.handle) {
                OXEnemy::effects().stopEffect(slot.handle);
                slot.handle = nullptr;
            }
        }
        if (slot.handle) {
            slot.handle->setPosition(position + slot.offset);
        }
    }
    for (OXSprite* sprite : {runeCircle.get(), runeCircleExtra.get(), eventCircle.get(), spellFlash.get(),
                             breakRing.get(), explodeRing.get()}) {
        if (sprite && sprite->isActive()) {
            sprite->tick(dtMs);
        }
    }
}

void OXBoss::updateBehaviour(float dtMs) {
    if (life == BossLife::CannotFight) {
        // Nothing to fight: the stage goes on once the wait is over.
        idleTime += dtMs;
        if (idleTime >= kCannotFightMs) {
            visible = active = false;
            life = BossLife::Gone;
            markDefeated();
        }
        return;
    }
    IXEnemyPlayer* ship = player();
    if (ship) {
        const Vec3& at = ship->body().getPosition();
        const float dx = at.x - position.x, dy = at.y - position.y;
        playerNear = dx * dx + dy * dy <= kNearDistance * kNearDistance;
    } else {
        playerNear = false;
    }

    // The hit blink: on for 96 ms, off for 32, while hits keep landing.
    if (hitPoints != previousBlinkHp || blinkOn) {
        blinkTimer += dtMs;
        if (blinkTimer >= (blinkOn ? kBlinkOnMs : kBlinkOffMs)) {
            blinkTimer = 0.0f;
            blinkOn = !blinkOn;
        }
    }
    previousBlinkHp = hitPoints;

    if (phaseClearBurst) {
        if (phaseClearRadius <= kPhaseClearReach) {
            phaseClearRadius += kPhaseClearGrowth;
            const int prize = beamMarkTimer > 0.0f             ? OXBullet::MultiplierOrb
                              : ship && ship->isTranceActive() ? OXBullet::TranceOrb
                                                               : OXBullet::ScoreOrb;
            if (CXBulletManager* bullets = context ? context->bullets : nullptr) {
                bullets->cancelBulletsInRadius(position, phaseClearRadius, false, prize);
            }
        } else {
            phaseClearBurst = false;
            beamMarkTimer = 0.0f;
        }
    }

    switch (life) {
        case BossLife::Fighting:
        case BossLife::ReturningForRepeat:
            updateFight(dtMs, ship);
            break;
        case BossLife::BetweenPhases:
        case BossLife::FlightJolt:
        case BossLife::FlightDrop:
        case BossLife::FlightClimb:
            // Between phases the next phase's hit points fill up again.
            if (hitPoints < phaseHp) {
                hitPoints = std::min(phaseHp, hitPoints + hpRefillRate * dtMs);
            }
            break;
        case BossLife::Dying:
            updateDying(dtMs);
            break;
        case BossLife::Waiting:
        case BossLife::CannotFight:
        case BossLife::Gone:
            break;
    }
    updateDamageShow(dtMs);

    const bool died = life == BossLife::Dying || life == BossLife::Gone;
    const Colour tint = blinkOn && !died ? kHitFlash : kWhite;
    if (!hasActions || !died) {
        colour = {tint.r, tint.g, tint.b, colour.a};
    }
}

void OXBoss::updateFight(float dtMs, IXEnemyPlayer* ship) {
    // An invincible phase shows no timer, and its time never runs out.
    const bool wasRunning = phaseTimer > 0.0f;
    if (!invincible) {
        phaseTimer -= dtMs;
    }
    if (phaseTimer <= 0.0f) {
        phaseTimer = 0.0f;
        if (wasRunning && world()) {
            world()->phaseTimedOut();
        }
        if (ship) {
            ship->addMultiplier(-dtMs * 0.0015f);
        }
    }
    if (hitPoints <= 0.0f) {
        // The phase is beaten: its bullets burst into prizes, and the next phase or the death begins.
        lastEndedPhase = phaseIndex;
        lastPhaseBeaten = true;
        ++phaseIndex;
        life = BossLife::Fighting;
        delayTime = 0.0f;
        stopAllLaunchers();
        phaseClearBurst = true;
        phaseClearRadius = 0.0f;
        if (phaseIndex < getPhaseCount()) {
            beamMarkTimer = 100000.0f;
            endPhase();
        } else {
            die();
        }
        return;
    }
    if (life == BossLife::ReturningForRepeat) {
        const Vec3 toHome = defaultPosition - position;
        const float distance = std::sqrt(toHome.x * toHome.x + toHome.y * toHome.y);
        if (distance <= kHomeSnap) {
            position.x = defaultPosition.x;
            position.y = defaultPosition.y;
            life = BossLife::Fighting;
            delayTime = 0.0f;
            startBossNode(0);
        } else {
            position = position + Vec3{toHome.x / distance, toHome.y / distance, 0.0f} * (dtMs * kHomeSpeed);
            delayTime = kHomeDelayMs;
        }
    } else if (nodeTimeLeft <= 0.0f && delayTime <= 0.0f) {
        if (nodeIndex + 1 < movementNodeCount) {
            startBossNode(nodeIndex + 1);
        } else if (!repeatNodes) {
            lastEndedPhase = phaseIndex;
            lastPhaseBeaten = invincible;  // a survival phase lived through
            ++phaseIndex;
            delayTime = 0.0f;
            endPhase();
        } else {
            // A repeating phase flies home and starts its nodes again.
            speed = 0.0f;
            const Vec3 toHome = defaultPosition - position;
            if (std::sqrt(toHome.x * toHome.x + toHome.y * toHome.y) <= kHomeSnap) {
                position.x = defaultPosition.x;
                position.y = defaultPosition.y;
                startBossNode(0);
            } else {
                life = BossLife::ReturningForRepeat;
                delayTime = kHomeDelayMs;
            }
        }
    }
}

void OXBoss::updateDying(float dtMs) {
    if (nodeTimeLeft > kExplodeRingLeadMs || !explodeRing) {
        smallExplosionTimer -= dtMs;
        if (smallExplosionTimer <= 0.0f) {
            smallExplosionTimer = kSmallExplosionGapMs;
            hullBlast();
        }
    } else if (!explodeRingStarted) {
        explodeRingStarted = true;
        explodeRing->setPosition(position);
        explodeRing->fadeTo(900.0f, 0.0f, 1.0f, 0.8f);
        explodeRing->scaleTo(1000.0f, {0.8f, 0.8f, 0.1f}, {6.5f, 6.5f, 1.0f});
    }
    if (nodeTimeLeft <= 0.0f) {
        finalExplosion();
    }
}

// One of the blasts that break out along the hull as the boss goes down: the small explosion
// it has always set off (where is drawn from the game's numbers, two as ever), and a fireball
// seen over it, spread across the hull's width; every third is a big one.
void OXBoss::hullBlast() {
    if (IXEnemyWorld* scene = world()) {
        const float width = std::max(1.0f, size.x * std::fabs(scale.x) * uniformScale * 0.8f / 100.0f);
        const float height = std::max(1.0f, size.y * std::fabs(scale.y) * uniformScale * 0.5f / 100.0f);
        const float across = randomShare() - 0.5f;
        const float down = randomShare() - 0.5f;
        scene->explosion(ExplosionKind::Small,
                         {position.x + across * 100.0f, position.y + down * 100.0f, 0.0f}, 100.0f);
        const int step = static_cast<int>(nodeTimeLeft / kSmallExplosionGapMs);
        scene->hullBlast({position.x + across * 100.0f * width, position.y + down * 100.0f * height, 0.0f},
                         step % 3 == 0 ? 1.6f : 1.0f);
    }
    if (context) {
        context->playOncePerFrame(EnemySound::SmallExplosion);
    }
}

void OXBoss::updateDecorations() {
    for (OXSprite* sprite : {runeCircle.get(), runeCircleExtra.get(), eventCircle.get(), spellFlash.get(),
                             breakRing.get(), explodeRing.get()}) {
        if (sprite) {
            sprite->setPosition(position.x, position.y, position.z);
        }
    }
}

// ---- Damage ----

ShotContact OXBoss::hitTest(const IXRenderObject& shot, float) {
    const float dx = shot.getX() - position.x;
    const float dy = shot.getY() - position.y;
    const float reach =
        shotReach() + shot.getSize().x * 0.5f * shot.getHitScale() * std::fabs(shot.getScale().x);
    return dx * dx + dy * dy < reach * reach ? ShotContact::Body : ShotContact::Missed;
}

float OXBoss::shotReach() const {
    return size.x * 0.5f * std::fabs(scale.x) * hitScale * uniformScale;
}

void OXBoss::applyDamage(float change) {
    if (change < 0.0f &&
        (isInvincible() || life == BossLife::Dying || life == BossLife::Gone || hitPoints <= 0.0f)) {
        return;
    }
    hitPoints += change;
    if (change < 0.0f && phaseTimer > 0.0f) {
        if (IXEnemyPlayer* ship = player()) {
            const float chain = std::floor(static_cast<float>(ship->bonusValue()) * 0.005f) + 1.0f;
            // Hit points, damage and the factor are bounded when read; the product is still
            // kept inside what a score can count.
            const double hitPointsScored = static_cast<double>(chain) *
                                           (-0.75 * static_cast<double>(change)) *
                                           static_cast<double>(scoreFactor);
            if (std::isfinite(hitPointsScored)) {
                ship->addScore(static_cast<int64_t>(std::clamp(hitPointsScored, -1.0e15, 1.0e15)));
            }
            ship->addBreak(-0.025f * change * (playerNear ? 2.0f : 1.0f));
        }
    }
}

// ---- Death ----

void OXBoss::die() {
    stopAllEffects();
    IXEnemyWorld* scene = world();
    if (showPhaseClear) {
        phaseClearEffects();
        if (scene && phaseIndex > 1) {
            phaseBonus();
        }
    }
    stopAllLaunchers();
    life = BossLife::Dying;
    if (scene) {
        scene->bossDefeated(position);
        scene->showPhaseTimer(false);
        scene->bossOverlay(false);
    }
    hideRunes();
    dying = true;
    explodeRingStarted = false;
    smallExplosionTimer = 0.0f;
    if (!deathNode || !deathNode->timed) {
        finalExplosion();
        return;
    }
    const float z = position.z;
    startDeathNode();
    position.z = z;  // the boss draws itself in its own plane
    if (!escapeOnDeath) {
        CXSoundManager::instance().playSound(kDistantExplosionSound);
        if (scene) {
            scene->backgroundFlash(kWhite, 1000.0f, 1.0f);
        }
    }
}

void OXBoss::finalExplosion() {
    movementNodeCount = 0;
    stopAllEffects();
    stopEffect();  // the death drift's smoke
    // The boss is gone and no longer ticks, so nothing of it could stop an
    // effect held on it: its death effects burst where it was, on their own.
    IXShotEffects& fx = OXEnemy::effects();
    for (int index : onDeathEffects) {
        const Effect& slot = effects[static_cast<size_t>(index)];
        fx.playAt(slot.name, position + slot.offset, {0.0f, 1.0f, 0.0f}, onDeathDuration);
    }
    visible = active = false;
    for (auto& module : modules) {
        module->setVisible(false);
        module->setActive(false);
    }
    hideDecorations();
    stopAllLaunchers();
    life = BossLife::Gone;
    if (IXEnemyWorld* scene = world()) {
        if (!escapeOnDeath) {
            scene->explosion(ExplosionKind::Huge, position, 150.0f);
            scene->screenEffect(1000.0f, 80.0f);
            scene->backgroundFlash(kBlack, 3000.0f, 0.25f);
        }
    }
    markDefeated();
}

void OXBoss::markDefeated() {
    if (done) {
        return;
    }
    done = true;
    if (enemyManager) {
        enemyManager->markBossDefeated();
    }
}

// ---- Parts, runes and the charge ----

void OXBoss::showModules(bool breakMode) {
    for (auto& module : modules) {
        module->setVisible(false);
    }
    for (int index : breakMode ? breakModules : normalModules) {
        OXBossModule& module = *modules[static_cast<size_t>(index)];
        module.setVisible(true);
        module.setActive(true);
        if (breakMode) {
            module.tintTo(1400.0f, kBreakPulse, kWhite, 0.5f, nullptr, nullptr);
        }
    }
}

bool OXBoss::runesShown() const {
    return runeCircle && runeCircle->isVisible();
}

void OXBoss::showRunes() {
    if (!runeCircle->isVisible()) {
        runeCircle->scaleTo(900.0f, {1.5f, 1.5f, 1.0f}, {0.45f, 0.45f, 1.0f}, 4.0f);
        runeCircle->fadeTo(100.0f, 0.0f, 1.0f);
        runeCircle->setSpinRate(0.0f, 0.0f, 0.05f);
    }
    if (runeCircleExtra && !runeCircleExtra->isVisible()) {
        runeCircleExtra->scaleTo(800.0f, {0.05f, 0.05f, 1.0f}, {0.35f, 0.35f, 1.0f}, 4.0f);
        runeCircleExtra->fadeTo(100.0f, 0.0f, 1.0f);
        runeCircleExtra->setSpinRate(0.0f, 0.0f, -0.2f);
    }
    for (OXSprite* rune : {runeCircle.get(), runeCircleExtra.get()}) {
        if (rune) {
            rune->setVisible(true);
            rune->setActive(true);
            rune->setKeepAlive(true);
        }
    }
    burstEffects(runeStartEffects, 150.0f);
}

void OXBoss::hideRunes() {
    if (runeCircle && runeCircle->isVisible()) {
        runeCircle->scaleTo(400.0f, {0.45f, 0.45f, 1.0f}, {0.65f, 0.65f, 1.0f});
        runeCircle->setKeepAlive(false);
        runeCircle->fadeTo(400.0f, 1.0f, 0.0f);
    }
    if (runeCircleExtra && runeCircleExtra->isVisible()) {
        runeCircleExtra->scaleTo(400.0f, {0.35f, 0.35f, 1.0f}, {0.45f, 0.45f, 1.0f});
        runeCircleExtra->setKeepAlive(false);
        runeCircleExtra->fadeTo(400.0f, 1.0f, 0.0f);
    }
}

void OXBoss::hideDecorations() {
    for (OXSprite* sprite : {runeCircle.get(), runeCircleExtra.get(), eventCircle.get(), spellFlash.get(),
                             breakRing.get(), explodeRing.get()}) {
        if (sprite) {
            sprite->resetActions();
            sprite->setVisible(false);
            sprite->setActive(false);
        }
    }
}

bool OXBoss::chargeShrinkDone(void* target, int) {
    OXBoss* boss = static_cast<OXBoss*>(target);
    if (boss->charging) {
        boss->chargeTime = std::min(boss->chargeTime * 0.95f, kChargeLimitMs);
        boss->charging = false;  // startCharge sets it again
        boss->startCharge();
    }
    return true;
}

void OXBoss::startCharge() {
    breakRing->setColour(0.0f, 0.0f, 0.0f, 1.0f);
    breakRing->setSpinRate(0.0f, 0.0f, 0.25f);
    breakRing->setKeepAlive(true);
    breakRing->fadeTo(chargeTime, 1.0f, 0.0f, 0.15f);
    breakRing->scaleTo(chargeTime, {10.0f, 10.0f, 1.0f}, {2.0f, 2.0f, 1.0f}, 1.0f, this, chargeShrinkDone);
    charging = true;
}

void OXBoss::stopCharge() {
    if (charging) {
        if (IXEnemyWorld* scene = world()) {
            scene->blast(position, 750.0f);
            scene->tintBackground(kDim, 1500.0f);
        }
    }
    breakRing->resetActions();
    breakRing->setVisible(false);
    breakRing->setActive(false);
    charging = false;
}

// ---- Effects ----

void OXBoss::startListedEffects(const std::vector<int>& indices) {
    IXEnemyWorld* scene = world();
    if (!scene) {
        return;
    }
    for (int index : indices) {
        Effect& slot = effects[static_cast<size_t>(index)];
        if (!slot.handle) {
            slot.handle = slot.predraw ? scene->startPredrawEffect(slot.name, *this)
                                       : scene->effects().startAttachedEffect(slot.name, *this, false);
        }
    }
}

void OXBoss::burstEffects(const std::vector<int>& indices, float durationMs) {
    startListedEffects(indices);
    for (int index : indices) {
        effects[static_cast<size_t>(index)].burstLeft = durationMs;
    }
}

void OXBoss::setEffectsEmitting(bool emitting) {
    if (!emitting) {
        stopAllEffects();
        return;
    }
    startListedEffects(*shownEffects);
}

void OXBoss::stopAllEffects() {
    IXShotEffects& fx = OXEnemy::effects();
    for (Effect& slot : effects) {
        if (slot.handle) {
            fx.stopEffect(slot.handle);
        }
        slot.handle = nullptr;
        slot.burstLeft = 0.0f;
    }
}

// ---- Drawing ----

void OXBoss::draw() {
    if (!visible) {
        return;
    }
    for (OXSprite* sprite : {runeCircle.get(), runeCircleExtra.get(), breakRing.get()}) {
        if (sprite && sprite->isVisible()) {
            sprite->draw();
        }
    }
    for (const auto& module : modules) {
        if (module->isVisible() && module->getAnchor().z > 0.0f) {
            module->draw();
        }
    }
    OXSprite::draw();
    for (const auto& module : modules) {
        if (module->isVisible() && module->getAnchor().z <= 0.0f) {
            module->draw();
        }
    }
    for (OXSprite* sprite : {eventCircle.get(), spellFlash.get(), explodeRing.get()}) {
        if (sprite && sprite->isVisible()) {
            sprite->draw();
        }
    }
}
