#include "stg/enemy/EnemyDefinition.h"

#include <algorithm>

#include "data/PlistRead.h"
#include "stg/enemy/EnemyDictionary.h"
#include "stg/shot/CXBulletManager.h"

namespace {

// The keys of an enemy list.
const std::string kIsBottomLayer = "is bottom layer", kSize = "size", kUnitWidth = "unit width",
                  kUnitHeight = "unit height";
const std::string kAtlasFrame = "atlas frame", kFlickerFrame = "flicker frame";
const std::string kFaceDirectionType = "face direction type", kHp = "hp";
const std::string kPrizeOnDeath = "prize on death", kUpgradeOnDeath = "uprade on death";
const std::string kFriendly = "friendly", kExplosionType = "explosion type", kPoints = "points";
const std::string kIsObstacle = "is obstacle", kBreakAmount = "break amount";
const std::string kCancelBulletsOnDeath = "cancel bullets on death", kBlocksBeams = "blocks beams";
const std::string kDeathMovementNode = "death movement node";
const std::string kBreakNode = "break node";
const std::string kSplitInto = "split into", kSplitCount = "split count", kSplitSpread = "split spread";
const std::string kLaunchEnemy = "launch enemy", kLaunchEvery = "launch every", kLaunchCount = "launch count",
                  kLaunchDelay = "launch delay", kLaunchX = "launch x", kLaunchY = "launch y";
const std::string kShieldedBy = "shielded by", kShieldFrame = "shield frame";
const std::string kBlinkEvery = "blink every", kBlinkRange = "blink range", kBlinkWarning = "blink warning",
                  kBlinkMarkerFrame = "blink marker frame";
// Launcher keys.
const std::string kFirePattern = "fire pattern", kOffsetX = "offset x", kOffsetY = "offset y",
                  kOffsetZ = "offset z";
const std::string kCooldown = "cooldown", kOrbitSpeed = "orbit speed",
                  kOrbitStartRotation = "orbit start rotation", kOrbitRadius = "orbit radius",
                  kNonRelative = "non relative";
// Part keys.
const std::string kAnchorX = "anchor x", kAnchorY = "anchor y", kAnchorZ = "anchor z";
const std::string kBoundX = "bound x", kBoundY = "bound y", kBoundZ = "bound z";
const std::string kNumColumn = "num column", kNumRow = "num row", kColumn = "column", kRow = "row";
const std::string kFrame = "frame", kEffect = "effect", kOnDestroyEffect = "on destroy effect";
const std::string kIsPredraw = "is predraw";

constexpr float kMostHitPoints = 1.0e9f;
constexpr float kMostPoints = 1.0e9f;  // a kill worth more is damage, not a score
constexpr int kMostSplitPieces = 8;
constexpr float kWidestSplitSpread = 360.0f;
constexpr int kMostLaunches = 16;
constexpr float kShortestLaunchGapMs = 50.0f;  // a shorter gap would empty the pool in a breath
constexpr float kLongestWaitMs = 600000.0f;    // as a movement node's longest time
constexpr float kLongestBlinkRange = 480.0f;   // the field's height
constexpr int kMostAtlasCells = 4096;

// An atlas cell the list may name; -1 when it names none.
void readOptionalCell(const Plist::Dictionary& list, const std::string& key, int& cell) {
    if (Plist::read(list, key, cell, -1)) {
        Plist::readWithin(list, key, cell, -1, 0, kMostAtlasCells - 1);
    }
}

EnemyPart readPart(const Plist::Dictionary& entry) {
    EnemyPart part;
    Plist::read(entry, kAnchorX, part.anchor.x, 0.0f);
    Plist::read(entry, kAnchorY, part.anchor.y, 0.0f);
    Plist::read(entry, kAnchorZ, part.anchor.z, 0.0f);
    Plist::read(entry, kBoundX, part.bound.x, 0.0f);
    Plist::read(entry, kBoundY, part.bound.y, 0.0f);
    Plist::read(entry, kBoundZ, part.bound.z, 0.0f);
    Plist::read(entry, kNumColumn, part.numColumn, 0);
    Plist::read(entry, kNumRow, part.numRow, 0);
    Plist::read(entry, kColumn, part.column, 0);
    Plist::read(entry, kRow, part.row, 0);
    Plist::read(entry, kFrame, part.frame, 0);
    part.hitPoints = readHitPoints(entry);
    part.effect = Plist::textOf(entry, kEffect);
    part.destroyEffect = Plist::textOf(entry, kOnDestroyEffect);
    Plist::read(entry, kIsPredraw, part.effectPredraw, false);
    Plist::read(entry, kSize, part.size, 0.0f);
    return part;
}

}  // namespace

float readHitPoints(const Plist::Dictionary& list) {
    float hitPoints = 0.0f;
    Plist::readWithin(list, kHp, hitPoints, 0.0f, 0.0f, kMostHitPoints);
    return hitPoints;
}

LauncherMount readLauncherMount(const Plist::Dictionary& entry) {
    LauncherMount mount;
    mount.firePattern = Plist::textOf(entry, kFirePattern);
    Plist::read(entry, kOffsetX, mount.offset.x, 0.0f);
    Plist::read(entry, kOffsetY, mount.offset.y, 0.0f);
    Plist::read(entry, kOffsetZ, mount.offset.z, 0.0f);
    Plist::read(entry, kCooldown, mount.cooldownMs, 0.0f);
    Plist::read(entry, kOrbitSpeed, mount.orbitSpeed, 0.0f);
    Plist::read(entry, kOrbitStartRotation, mount.orbitStartRotation, 0.0f);
    Plist::read(entry, kOrbitRadius, mount.orbitRadius, 0.0f);
    Plist::read(entry, kNonRelative, mount.nonRelative, false);
    return mount;
}

EnemyDefinition readEnemyDefinition(const Plist::Dictionary& list) {
    using namespace enemydict;
    EnemyDefinition made;
    made.usable = !list.empty();
    Plist::read(list, kIsBottomLayer, made.bottomLayer, false);
    Plist::read(list, kSize, made.size, 0.0f);
    Plist::read(list, kUnitWidth, made.unitWidth, 1.0f);
    made.hasUnitHeight = Plist::read(list, kUnitHeight, made.unitHeight, 1.0f);
    Plist::read(list, kAtlasFrame, made.atlasFrame, 0);
    Plist::read(list, kFlickerFrame, made.flickerFrame, made.atlasFrame);
    int facing = 0;
    Plist::read(list, kFaceDirectionType, facing, 0);
    made.facing = static_cast<FaceDirection>(facing);
    made.hitPoints = readHitPoints(list);
    Plist::readWithin(list, kPrizeOnDeath, made.prizeOnDeath, 0, 0, CXBulletManager::kPrizePoolSize);
    Plist::read(list, kUpgradeOnDeath, made.upgradeOnDeath, 0);
    Plist::read(list, kFriendly, made.friendly, false);
    int explosion = 0;
    Plist::read(list, kExplosionType, explosion, 0);
    made.explosion =
        static_cast<ExplosionSize>(std::clamp(explosion, 0, static_cast<int>(ExplosionSize::Huge)));
    // The score is a 64-bit count: a kill's points, times the largest factor and the chain, must
    // stay far inside it.
    Plist::readWithin(list, kPoints, made.points, 0.0f, -kMostPoints, kMostPoints);
    made.obstacleGiven = Plist::findValue(list, kIsObstacle) != nullptr;
    Plist::read(list, kIsObstacle, made.obstacle, false);
    made.hasBreakAmount = Plist::read(list, kBreakAmount, made.breakAmount, 0.0f);
    Plist::read(list, kCancelBulletsOnDeath, made.cancelBulletsOnDeath, false);
    Plist::read(list, kBlocksBeams, made.blocksBeams, false);
    Plist::readWithin(list, kBreakNode, made.breakNode, 0, 0, enemydict::kIndexedKeyCount - 1);
    made.effect = Plist::textOf(list, kEffect);
    for (int index = 0; const Plist::Dictionary* entry = Plist::findDict(list, launcherKey(index)); ++index) {
        made.launchers.push_back(readLauncherMount(*entry));
    }
    for (int index = 0; const Plist::Dictionary* entry = Plist::findDict(list, moduleKey(index)); ++index) {
        made.parts.push_back(readPart(*entry));
    }
    for (int index = 0; index < kIndexedKeyCount; ++index) {
        const Plist::Dictionary* node = Plist::findDict(list, movementNodeKey(index));
        if (!node) {
            break;
        }
        made.nodes.push_back(readMovementNode(*node, false));
    }
    if (const Plist::Dictionary* node = Plist::findDict(list, kDeathMovementNode)) {
        made.hasDeathMovement = true;
        made.deathMovement = readMovementNode(*node, true);
    }
    made.splitInto = Plist::textOf(list, kSplitInto);
    Plist::readWithin(list, kSplitCount, made.splitCount, 2, 1, kMostSplitPieces);
    Plist::readWithin(list, kSplitSpread, made.splitSpread, 90.0f, 0.0f, kWidestSplitSpread);
    made.launchEnemy = Plist::textOf(list, kLaunchEnemy);
    Plist::readWithin(list, kLaunchEvery, made.launchEveryMs, 1500.0f, kShortestLaunchGapMs, kLongestWaitMs);
    Plist::readWithin(list, kLaunchCount, made.launchCount, 4, 1, kMostLaunches);
    Plist::readWithin(list, kLaunchDelay, made.launchDelayMs, 1000.0f, 0.0f, kLongestWaitMs);
    Plist::read(list, kLaunchX, made.launchOffset.x, 0.0f);
    Plist::read(list, kLaunchY, made.launchOffset.y, 0.0f);
    made.shieldedBy = Plist::textOf(list, kShieldedBy);
    readOptionalCell(list, kShieldFrame, made.shieldFrame);
    Plist::readWithin(list, kBlinkEvery, made.blinkEveryMs, 0.0f, 0.0f, kLongestWaitMs);
    Plist::readWithin(list, kBlinkRange, made.blinkRange, 120.0f, 0.0f, kLongestBlinkRange);
    Plist::readWithin(list, kBlinkWarning, made.blinkWarningMs, 400.0f, 0.0f, kLongestWaitMs);
    readOptionalCell(list, kBlinkMarkerFrame, made.blinkMarkerFrame);
    return made;
}
