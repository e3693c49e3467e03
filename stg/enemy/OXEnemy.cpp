#include "stg/enemy/OXEnemy.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/CXSpriteBatchManager.h"
#include "stg/enemy/EnemyContext.h"
#include "stg/enemy/IXEnemyPlayer.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

namespace {

const std::string kNoName;
const char* const kFriendlyLabel = "DELTA FLIGHT";
const char* const kDownLabel = "DOWN";

constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kObstacleHitScale = 1.9f;
constexpr float kFacingEase = 0.15f;
constexpr float kChaseWeight = 0.1f;
constexpr float kLabelAlpha = 0.75f;
constexpr float kLabelHighHitPoints = 500.0f;
const Colour kLabelHealthy{0.75f, 2.0f, 1.75f, 1.0f};
const Colour kLabelLow{0.75f, 2.0f, 1.5f, 1.0f};
const Colour kLabelDown{2.0f, 0.75f, 0.75f, 1.0f};
const Colour kDyingGlow{2.0f, 2.0f, 2.0f, 1.0f};
// A shielded enemy shimmers between white and this pale glare.
const Colour kShieldShimmer{1.6f, 1.45f, 1.8f, 1.0f};
constexpr float kShieldPulseMs = 600.0f;
constexpr float kPopupMs = 700.0f;
constexpr float kPopupRise = 24.0f;  // units
constexpr float kPopupScale = 0.4f;  // of its 128-px cell: capitals about 15 units tall

float randomFraction() {
    return shotmath::randomFraction();
}

Vec3 unitVectorOf(float degrees) {
    const float radians = degrees * shotmath::kRadiansPerDegree;
    return {std::sin(radians), std::cos(radians), 0.0f};
}

}  // namespace

OXEnemy::OXEnemy() = default;

OXEnemy::~OXEnemy() = default;

IXEnemyWorld* OXEnemy::world() const {
    return context ? context->world : nullptr;
}

IXShotEffects& OXEnemy::effects() const {
    return context ? context->effects() : noShotEffects();
}

IXEnemyPlayer* OXEnemy::player() const {
    IXEnemyWorld* scene = world();
    return scene ? scene->enemyPlayer() : nullptr;
}

const std::string& OXEnemy::getEffectName() const {
    return effectName ? *effectName : kNoName;
}

const std::string& OXEnemy::getSplitType() const {
    return splitType ? *splitType : kNoName;
}

const std::string& OXEnemy::getLaunchType() const {
    return launchType ? *launchType : kNoName;
}

Vec3 OXEnemy::launchPoint() const {
    // The launch point turns with the hull, as its launchers' mounts do.
    const Vec3 offset = shotmath::turned(launchOffset, -facing);
    return {position.x + offset.x, position.y + offset.y, kPlayPlaneZ};
}

bool OXEnemy::isInField() const {
    return position.x >= kFieldLeft && position.x <= kFieldRight && position.y >= kFieldBottom &&
           position.y <= kFieldTop;
}

float OXEnemy::shieldGlow() const {
    return 0.5f - 0.5f * std::cos(shieldPulse / kShieldPulseMs * 360.0f * shotmath::kRadiansPerDegree);
}

void OXEnemy::createParts(const Plist::Dictionary&) {
    launchers.clear();
    for (int slot = 0; slot < kLauncherSlots; ++slot) {
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setOwner(this);
        addLauncher(launcher);
    }
    for (OXEnemyModule& part : modules) {
        part.load("");
        part.setVisible(false);
        part.setActive(false);
    }
    liveModuleCount = 0;
}

// ---- Spawn ----

void OXEnemy::applyDefinition(const EnemyDefinition& definition, const Vec3& at, float angle, bool casual,
                              int atlasColumns, int atlasRows) {
    CXBulletManager* bullets = context ? context->bullets : nullptr;
    IXShotEffects& fx = effects();

    resetAllLaunchers();
    // A slot this definition leaves without a pattern fires nothing of the
    // pattern the slot had in an earlier spawn.
    for (auto& launcher : launchers) {
        launcher->setPattern(nullptr);
        launcher->setBulletType(nullptr);
    }
    setBulletManager(bullets);
    position = at;
    const float side = definition.size;
    unitWidth = definition.unitWidth;
    unitHeight = definition.unitHeight;
    size = {side, definition.hasUnitHeight ? side * unitHeight : side, side};
    scale = {1, 1, 1};

    atlasFrame = definition.atlasFrame;
    flickerFrame = definition.flickerFrame;
    facingKind = definition.facing;
    hitPoints = maxHitPoints = previousHitPoints = definition.hitPoints;
    prizeOnDeath = definition.prizeOnDeath;
    upgradeOnDeath = definition.upgradeOnDeath;
    friendly = definition.friendly;
    explosion = definition.explosion;
    points = definition.points;
    spawnAngle = angle;
    // The key's presence widens the hit boxes, whatever its value.
    obstacle = definition.obstacleGiven && definition.obstacle;
    moduleHitScale = definition.obstacleGiven ? kObstacleHitScale : 1.0f;
    hitScale = moduleHitScale;
    breakAmount = definition.hasBreakAmount ? definition.breakAmount : casual ? 2.0f : 4.0f;
    cancelBulletsOnDeath = definition.cancelBulletsOnDeath;
    beamBlocker = definition.blocksBeams;
    splitType = definition.splitInto.empty() ? nullptr : &definition.splitInto;
    splitCount = definition.splitCount;
    splitSpread = definition.splitSpread;
    splitPending = false;
    launchType = definition.launchEnemy.empty() ? nullptr : &definition.launchEnemy;
    launchesLeft = launchType ? definition.launchCount : 0;
    launchTimer = definition.launchDelayMs;
    launchEvery = definition.launchEveryMs;
    launchOffset = definition.launchOffset;
    launchPending = false;
    typeKey = shieldKey = nullptr;
    shielded = shieldShown = false;
    shieldFrame = definition.shieldFrame;
    shieldPulse = 0.0f;
    blinkEvery = definition.blinkEveryMs;
    blinkRange = definition.blinkRange;
    blinkWarning = definition.blinkWarningMs;
    blinkMarkerFrame = definition.blinkMarkerFrame;
    blinkTimer = blinkEvery;
    blinkOut = false;
    breakNode = definition.breakNode;
    firstNode = 0;
    leader = nullptr;
    leadsFormation = false;

    for (size_t index = 0; index < definition.launchers.size(); ++index) {
        OXLauncher* launcher = getLauncher(static_cast<int>(index));
        if (!launcher || !bullets) {
            continue;
        }
        const LauncherMount& mount = definition.launchers[index];
        launcher->setManager(bullets);
        if (!mount.firePattern.empty()) {
            bullets->setupLauncher(launcher, mount.firePattern);
        }
        launcher->setMount(mount.offset);
        launcher->setCooldown(mount.cooldownMs);
        launcher->setState(OXLauncher::Armed);
        launcher->setOwner(this);
        launcher->setOrbitSpeed(mount.orbitSpeed);
        launcher->setOrbitRotation(mount.orbitStartRotation);
        launcher->setOrbitRadius(mount.orbitRadius);
    }

    movementNodes = definition.nodes.data();
    movementNodeCount = static_cast<int>(definition.nodes.size());
    for (const MovementNode& node : definition.nodes) {
        if (node.effect.size() > 1) {
            fx.preloadEffect(node.effect);
        }
    }
    deathNode = definition.hasDeathMovement ? &definition.deathMovement : nullptr;
    if (deathNode && deathNode->effect.size() > 1) {
        fx.preloadEffect(deathNode->effect);
    }

    // Every module went back when the enemy was last released.
    liveModuleCount = 0;
    for (const EnemyPart& entry : definition.parts) {
        for (OXEnemyModule& part : modules) {
            if (!part.isActive()) {
                part.attach(entry, *this, moduleHitScale, atlasColumns, atlasRows, context);
                ++liveModuleCount;
                break;
            }
        }
    }
}

void OXEnemy::activate() {
    resetActions();
    visible = active = true;
    nodeIndex = 0;
    facing = facingTarget = 0.0f;
    rotation = {};
    heading = 0.0f;
    speed = headingRate = speedRate = 0.0f;
    headingChangeLeft = speedChangeLeft = 0.0f;
    nodeTimeLeft = 0.0f;
    delayTime = 0.0f;
    playerChase = false;
    colour = {1.0f, 1.0f, 1.0f, 0.0f};
    entryTimeLeft = kEntryMs;
    entering = true;
    dying = false;
    entryVelocity = {0.0f, 0.0f, (kPlayPlaneZ - position.z) / kEntryMs};
    depth = depthEnd = depthRate = 0.0f;
    dyingBurstTimer = 0.0f;
    lastPosition = {-1000.0f, -1000.0f, 0.0f};
    shotDown = false;
    beamMarkTimer = 0.0f;
    playerNear = false;
    flashTimer = 0.0f;
    hitGlowTimer = 0.0f;
    flashOn = false;
    stopEffect();
    effectName = nullptr;
    effectPredraw = false;

    labelOpen = size.x >= kLabelMinWidth || friendly;
    if (labelOpen) {
        label->open(0.4f * size.x, 2, kLabelHealthy, kLabelAlpha, 800.0f);
        label->setPosition(lastPosition);
        labelBlinkTimer = 0.0f;
        labelHitPoints = std::numeric_limits<float>::quiet_NaN();
        if (friendly) {
            label->setText(kFriendlyLabel);
        }
    }
    for (OXEnemyModule& part : modules) {
        if (part.isActive()) {
            part.reveal();
        }
    }
}

// ---- Per frame ----

void OXEnemy::tick(float dtMs) {
    if (!active) {
        return;
    }
    beamMarkTimer = std::max(0.0f, beamMarkTimer - dtMs);
    if (entering) {
        position = position + entryVelocity * dtMs;
        entryTimeLeft -= dtMs;
        if (entryTimeLeft <= 0.0f) {
            position.z = kPlayPlaneZ;
            colour.a = 1.0f;
            entering = false;
            if (movementNodeCount > 0) {
                startMovementNode(firstNode < movementNodeCount ? firstNode : 0);
            }
        }
    } else if (blinkOut) {
        // Out of space it holds its place in its movement until it comes back.
    } else if (delayTime > 0.0f) {
        delayTime -= dtMs;
    } else {
        move(dtMs);
    }
    updateBehaviour(dtMs);
    if (!active) {
        return;
    }
    if (hasActions) {
        IXTransformable::update(dtMs);  // the glow of the death movement
    }
    platformRotation = facing;
    if (!blinkOut) {
        OXLauncherPlatform::tick(dtMs);  // out of space its launchers wait
    }
}

void OXEnemy::move(float dtMs) {
    lastPosition = position;
    const float step = std::max(0.0f, std::min(dtMs, nodeTimeLeft));
    if (leader) {
        // In formation the nodes keep time for the launchers; the leader carries it.
        nodeTimeLeft -= step;
        heading = leader->getHeading();
    } else if (step > 0.0f) {
        nodeTimeLeft -= step;
        if (nodeTimeLeft <= 0.0f) {
            // The node's last step: whatever is left of its totals.
            nodeTimeLeft = 0.0f;
            speed += speedChangeLeft;
            heading += headingChangeLeft;
            speedChangeLeft = headingChangeLeft = 0.0f;
        } else {
            const float speedStep = speedRate * step;
            const float turnStep = headingRate * step;
            speed += speedStep;
            heading += turnStep;
            speedChangeLeft -= speedStep;
            headingChangeLeft -= turnStep;
        }
        heading = shotmath::wrapDirection(heading);
    }
    const float radians = heading * shotmath::kRadiansPerDegree;
    const float travel = leader ? 0.0f : speed * dtMs * 0.1f;
    position.x += travel * std::sin(radians);
    position.y += travel * std::cos(radians);
    if (nodeTimeLeft > 0.0f) {
        depth += depthRate * step;
    } else {
        depth = depthEnd;
    }

    IXEnemyPlayer* ship = player();
    switch (facingKind) {
        case FaceDirection::Heading:
            facingTarget = heading;
            break;
        case FaceDirection::Held:
        case FaceDirection::SpawnAngle:
            facingTarget = facing;
            break;
        case FaceDirection::TowardShip:
            if (ship && ship->body().isVisible() && !ship->isRespawning()) {
                const Vec3& at = ship->body().getPosition();
                facingTarget = shotmath::angleOf(at.x - position.x, at.y - position.y);
            }
            break;
        case FaceDirection::AwayFromShip:
            if (ship) {
                const Vec3& at = ship->body().getPosition();
                facingTarget = shotmath::angleOf(position.x - at.x, position.y - at.y);
            }
            break;
        case FaceDirection::KeptTarget:
        default:
            break;  // the target stays, as for kinds no list should hold
    }
    if (playerChase && ship) {
        const Vec3& at = ship->body().getPosition();
        const float dx = at.x - position.x;
        const float dy = at.y - position.y;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (length > 0.0f) {
            const float headingRadians = heading * shotmath::kRadiansPerDegree;
            heading = shotmath::angleOf(std::sin(headingRadians) + kChaseWeight * dx / length,
                                        std::cos(headingRadians) + kChaseWeight * dy / length);
        }
    }
    easeFacing();
}

void OXEnemy::easeFacing() {
    if (facing != facingTarget) {
        const float from = facing * shotmath::kRadiansPerDegree;
        const float to = facingTarget * shotmath::kRadiansPerDegree;
        const float fx = std::sin(from), fy = std::cos(from);
        const float x = fx + kFacingEase * (std::sin(to) - fx);
        const float y = fy + kFacingEase * (std::cos(to) - fy);
        const float eased = shotmath::wrapDirection(std::atan2(x, y) * kDegreesPerRadian);
        // Close enough to stop easing: the sprite cannot show the difference.
        const float gap = std::fabs(eased - facingTarget);
        facing = gap < 0.01f || gap > 359.99f ? facingTarget : eased;
    }
    rotation.z = facing;
}

void OXEnemy::updateBehaviour(float dtMs) {
    IXEnemyPlayer* ship = player();
    if (!entering && !dying) {
        float distanceSq = std::numeric_limits<float>::max();
        if (!blinkOut) {
            rammingAndNear(ship, distanceSq);
        }
        if (hitPoints <= 0.0f) {
            kill();
            if (!active) {
                return;
            }
        }
        if (!dying) {
            const bool casual = world() && world()->isCasualPlay();
            playerNear = ship && distanceSq < (casual ? kNearSqCasual : kNearSq);
            if (nodeTimeLeft <= 0.0f) {
                if (nodeIndex + 1 < movementNodeCount) {
                    startMovementNode(nodeIndex + 1);
                } else if (!leader) {
                    release();
                    return;
                }
            }
        }
    } else if (dying) {
        dyingBursts(dtMs);
        if (!active) {
            return;
        }
    }
    if (effect) {
        effect->setPosition(position);
        effect->setRotation(0.0f, 0.0f, facing);  // the effect points along (sin facing, cos facing)
    }
    scale = {1.0f - 0.05f * depth, scale.z, scale.z};
    for (OXEnemyModule& part : modules) {
        if (part.isActive()) {
            part.tick(dtMs);
        }
    }
    updateLabel(dtMs);
    if (!obstacle && !dying) {
        updateFlash(dtMs);
    }
    if (shieldKey) {
        showShield(dtMs);
    }
    if (!dying) {
        updateLaunches(dtMs);
        if (!entering && blinkEvery > 0.0f) {
            updateBlink(dtMs);
        }
    }
    previousHitPoints = hitPoints;
}

void OXEnemy::updateLaunches(float dtMs) {
    if (launchesLeft <= 0) {
        return;
    }
    launchTimer = std::max(0.0f, launchTimer - dtMs);
    // A launch that falls due off the field or out of space waits until the carrier is back.
    if (launchTimer <= 0.0f && !entering && !blinkOut && isInField()) {
        launchPending = true;
        --launchesLeft;
        launchTimer = launchEvery;
    }
}

void OXEnemy::updateBlink(float dtMs) {
    blinkTimer -= dtMs;
    if (blinkOut) {
        colour.a = std::max(0.0f, colour.a - dtMs / kBlinkFadeMs);
        if (blinkTimer <= 0.0f) {
            // Back in space at the marked place; its movement goes on from there.
            position.x = blinkTarget.x;
            position.y = blinkTarget.y;
            blinkOut = false;
            blinkTimer = blinkEvery;
        }
        return;
    }
    colour.a = std::min(1.0f, colour.a + dtMs / kBlinkFadeMs);
    if (blinkTimer <= 0.0f) {
        startBlink();
    }
}

void OXEnemy::startBlink() {
    // Two draws of the game's numbers: a replay blinks to the same places.
    const float turn = randomFraction() * 360.0f;
    const float reach = randomFraction() * blinkRange;
    const Vec3 away = unitVectorOf(turn) * reach;
    const float halfWidth = size.x * unitWidth * 0.5f;
    const float halfHeight = size.y * 0.5f;
    auto within = [](float value, float low, float high) {
        return low <= high ? std::clamp(value, low, high) : (low + high) * 0.5f;
    };
    blinkTarget = {within(position.x + away.x, kFieldLeft + halfWidth, kFieldRight - halfWidth),
                   within(position.y + away.y, kBlinkLowestY + halfHeight, kFieldTop - halfHeight),
                   position.z};
    blinkOut = true;
    blinkTimer = blinkWarning;
}

void OXEnemy::showShield(float dtMs) {
    if (shielded) {
        shieldPulse = std::fmod(shieldPulse + dtMs, kShieldPulseMs);
        const float glow = shieldGlow();
        colour.r = 1.0f + (kShieldShimmer.r - 1.0f) * glow;
        colour.g = 1.0f + (kShieldShimmer.g - 1.0f) * glow;
        colour.b = 1.0f + (kShieldShimmer.b - 1.0f) * glow;
        shieldShown = true;
    } else if (shieldShown) {
        // The shield is down: the plain colours, or the hit flash's.
        shieldShown = false;
        if (!flashOn) {
            colour = {1.0f, 1.0f, 1.0f, colour.a};
        }
    }
}

void OXEnemy::rammingAndNear(IXEnemyPlayer* ship, float& distanceSq) {
    if (!ship) {
        return;
    }
    const IXRenderObject& shipBody = ship->body();
    const float dx = shipBody.getX() - position.x;
    const float dy = shipBody.getY() - position.y;
    distanceSq = dx * dx + dy * dy;
    if (friendly || distanceSq >= kRamReachSq || !shipBody.isVisible() || !touches(shipBody)) {
        return;
    }
    IXEnemyWorld* scene = world();
    if (!scene || scene->isBombActive() || ship->isInvulnerable()) {
        return;
    }
    const float distance = std::sqrt(distanceSq);
    const Vec3 away = distance > 0.0f ? Vec3{dx / distance, dy / distance, 0.0f} : Vec3{0.0f, 1.0f, 0.0f};
    ship->hitFrom(position, size.x * 0.5f * std::fabs(scale.x));
    ship->hit(-1.0f, away);
}

void OXEnemy::updateLabel(float dtMs) {
    if (!labelOpen) {
        return;
    }
    label->setPosition(lastPosition);
    if (!friendly && hitPoints != labelHitPoints) {
        if (hitPoints <= 0.0f) {
            label->setColour(kLabelDown);
            label->setText(kDownLabel);
        } else {
            if (hitPoints <= kLabelHighHitPoints && labelHitPoints > kLabelHighHitPoints) {
                label->pulse(6.0f, 300.0f, 0.5f, kLabelAlpha, 100.0f, 4.0f);
            }
            label->setColour(hitPoints > kLabelHighHitPoints ? kLabelHealthy : kLabelLow);
            char text[OXEnemyLabel::kTextCapacity];
            const float percent = maxHitPoints > 0.0f ? hitPoints / maxHitPoints * 100.0f : 0.0f;
            std::snprintf(text, sizeof text, "%1.0f%%", static_cast<double>(percent));
            label->setText(text);
        }
        labelHitPoints = hitPoints;
    }
    // The blink: shown, then hidden for a moment.
    const bool wasShown = labelBlinkTimer < kLabelShownMs;
    labelBlinkTimer += dtMs;
    if (labelBlinkTimer >= kLabelShownMs + kLabelHiddenMs) {
        labelBlinkTimer = std::fmod(labelBlinkTimer, kLabelShownMs + kLabelHiddenMs);
    }
    const bool shown = labelBlinkTimer < kLabelShownMs;
    if (shown != wasShown) {
        label->setShown(shown, kLabelAlpha);
    }
}

// A hit lights the hull towards white for a moment, easing back. Under a stream of shots the
// hull holds a faint glow, and a bright flash starts again only kHitFlashRestMs after the last,
// so an enemy under fire shows it is hit without strobing.
void OXEnemy::updateFlash(float dtMs) {
    flashTimer = std::max(0.0f, flashTimer - dtMs);
    hitGlowTimer = std::max(0.0f, hitGlowTimer - dtMs);
    if (hitPoints < previousHitPoints) {
        hitGlowTimer = kHitGlowMs;
        if (flashTimer <= 0.0f) {
            flashTimer = kHitFlashRestMs;
        }
    }
    const float flashLeft = flashTimer - (kHitFlashRestMs - kFlashMs);  // ms of the bright flash
    flashOn = flashLeft > 0.0f;
    float lift = hitGlowTimer > 0.0f ? kHitGlowLift : 0.0f;
    if (flashOn) {
        lift = std::max(lift, kHitFlashLift * flashLeft / kFlashMs);
    }
    colour = {1.0f + lift, 1.0f + lift * 0.9f, 1.0f + lift * 0.8f, colour.a};
}

// ---- Movement nodes ----

void OXEnemy::startMovementNode(int index) {
    if (index < 0 || index >= movementNodeCount) {
        return;
    }
    const MovementNode& node = movementNodes[index];
    nodeIndex = index;
    if (node.setsFacing) {
        facingKind = node.facing;
    }
    if (!node.useLastDirection) {
        heading = shotmath::wrapDirection(spawnAngle + node.direction);
        if (index == 0 && facingKind == FaceDirection::Heading) {
            facing = facingTarget = heading;
        } else if (index == 0 && facingKind == FaceDirection::SpawnAngle) {
            facing = facingTarget = shotmath::wrapDirection(spawnAngle);
        }
    } else if (facingKind == FaceDirection::Heading) {
        heading = facing;
    }
    startNodeMotion(node);
    startNodeEffect(node);
    startNodeLaunchers(node);
    if (node.dealsDamage) {
        applyDamage(-node.damage);
    }
}

void OXEnemy::startDeathNode() {
    const MovementNode& node = *deathNode;
    nodeTimeLeft = 0.0f;
    facingKind = node.facing;
    if (!node.useLastDirection) {
        heading = shotmath::wrapDirection(node.direction);
    } else if (facingKind == FaceDirection::Heading) {
        heading = facing;
    }
    stopAllLaunchers();
    startNodeMotion(node);
    startNodeEffect(node);
    startNodeLaunchers(node);
    position.z = kDyingZ;
    const float duration = node.durationMs;
    if (IXEnemyWorld* scene = world()) {
        const Vec3 at{position.x, position.y, 0.0f};
        if (explosion >= ExplosionSize::Medium && duration > 300.0f) {
            scene->explosion(ExplosionKind::PreDeathLarge, at, 50.0f);
        } else if (duration > 150.0f) {
            scene->explosion(ExplosionKind::PreDeathSmall, at, 100.0f);
        }
        if (explosion == ExplosionSize::Large) {
            context->playOncePerFrame(EnemySound::MediumExplosion);
        }
    }
    tintTo(duration, Colour{1.0f, 1.0f, 1.0f, 1.0f}, kDyingGlow, 0.5f, nullptr, nullptr);
}

void OXEnemy::startNodeMotion(const MovementNode& node) {
    const float duration = node.durationMs;
    const float turn = node.directionChange;
    const float speedChange = node.speedChange;
    const float depthChange = node.depthChange;
    speed = node.speed;
    playerChase = node.playerChase;
    depthEnd = depth + depthChange;
    if (duration > 0.0f) {
        nodeTimeLeft = duration;
        headingRate = turn / duration;
        speedRate = speedChange / duration;
        depthRate = depthChange / duration;
        headingChangeLeft = turn;
        speedChangeLeft = speedChange;
    } else {
        // No length: the node ends at once, its totals applied in one go.
        nodeTimeLeft = 0.0f;
        headingRate = speedRate = depthRate = 0.0f;
        headingChangeLeft = speedChangeLeft = 0.0f;
        heading = shotmath::wrapDirection(heading + turn);
        speed += speedChange;
        depth = depthEnd;
    }
}

void OXEnemy::startNodeEffect(const MovementNode& node) {
    const std::string& name = node.effect;
    const bool predraw = node.effectPredraw;
    if (name == "0") {
        stopEffect();
        effectName = nullptr;
        return;
    }
    if (name == getEffectName() && predraw == effectPredraw) {
        return;  // the same effect keeps running
    }
    stopEffect();
    effectName = &name;
    effectPredraw = predraw;
    IXEnemyWorld* scene = world();
    if (name.empty() || !scene) {
        return;
    }
    effect = predraw ? scene->startPredrawEffect(name, *this)
                     : scene->effects().startAttachedEffect(name, *this, false);
    std::printf("activated enemy effect\n");
}

void OXEnemy::stopEffect() {
    if (effect) {
        effects().stopEffect(effect);
    }
    effect = nullptr;
}

void OXEnemy::startNodeLaunchers(const MovementNode& node) {
    const Difficulty difficulty = world() ? world()->difficulty() : kDefaultDifficulty;
    const MovementNode::LauncherList own = isHard(difficulty)                 ? MovementNode::HardLaunchers
                                           : difficulty == Difficulty::Normal ? MovementNode::NormalLaunchers
                                                                              : MovementNode::EasyLaunchers;
    if (!startListedLaunchers(node.launchers[own])) {
        startListedLaunchers(node.launchers[MovementNode::FireLaunchers]);
    }
}

bool OXEnemy::startListedLaunchers(const std::string& list) {
    bool anyIndex = false;
    const char* at = list.c_str();
    while (*at != '\0') {
        while (std::isspace(static_cast<unsigned char>(*at))) {
            ++at;
        }
        if (*at == '\0') {
            break;
        }
        char* end = nullptr;
        const long value = std::strtol(at, &end, 10);
        // A token that is not a whole number names no slot.
        const bool whole = end != at && (*end == '\0' || std::isspace(static_cast<unsigned char>(*end)));
        if (whole && value >= 0) {
            anyIndex = true;
            if (value <= INT_MAX) {
                startLauncher(static_cast<int>(value));
            }
        }
        while (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) {
            ++end;
        }
        at = end;
    }
    return anyIndex;
}

// ---- Formations ----

void OXEnemy::follow(const OXEnemy& newLeader, const Vec3& offset) {
    leader = &newLeader;
    leaderSerial = newLeader.getSpawnSerial();
    formationOffset = offset;
    keepFormation();
}

void OXEnemy::breakFormation() {
    leader = nullptr;
    const int node = breakNode < movementNodeCount ? breakNode : 0;
    if (entering) {
        firstNode = node;
    } else if (!dying && movementNodeCount > 0) {
        startMovementNode(node);
    }
}

void OXEnemy::keepFormation() {
    if (!leader || dying) {
        return;
    }
    if (leader->getSpawnSerial() != leaderSerial || !leader->isActive()) {
        leader = nullptr;  // its manager saw it go; nothing is left to follow
        return;
    }
    position.x = leader->getX() + formationOffset.x;
    position.y = leader->getY() + formationOffset.y;
}

// ---- Shots and ramming ----

bool OXEnemy::touches(const IXRenderObject& object) const {
    return overlaps(&object);
}

float OXEnemy::shotReach() const {
    // The radii of the overlap test.
    float reach = size.x * 0.5f * std::fabs(scale.x) * hitScale;
    for (const OXEnemyModule& part : modules) {
        if (!part.isVisible() || part.getHitPoints() <= 0.0f || part.isBrokenOff()) {
            continue;
        }
        const float dx = part.getX() - position.x;
        const float dy = part.getY() - position.y;
        const float partRadius = part.getSize().x * 0.5f * std::fabs(part.getScale().x) * part.getHitScale();
        reach = std::max(reach, std::sqrt(dx * dx + dy * dy) + partRadius);
    }
    return reach;
}

ShotContact OXEnemy::hitTest(const IXRenderObject& shot, float change) {
    if (overlaps(&shot)) {
        return ShotContact::Body;
    }
    for (int index = 0; index < kModuleSlots; ++index) {
        const IXRenderObject* part = beamPart(index);
        if (part && part->overlaps(&shot)) {
            damagePart(index, change);
            return ShotContact::Module;
        }
    }
    return ShotContact::Missed;
}

const IXRenderObject* OXEnemy::beamPart(int index) const {
    if (index < 0 || index >= kModuleSlots) {
        return nullptr;
    }
    const OXEnemyModule& part = modules[index];
    const bool living = part.isVisible() && part.getHitPoints() > 0.0f && !part.isBrokenOff();
    return living ? &part : nullptr;
}

void OXEnemy::damagePart(int index, float change) {
    if (!beamPart(index) || (shielded && change < 0.0f)) {
        return;
    }
    OXEnemyModule& part = modules[index];
    if (part.takeHit(change, obstacle)) {
        --liveModuleCount;
        if (IXEnemyWorld* scene = world()) {
            scene->explosion(ExplosionKind::Medium, part.getPosition(), 100.0f);
        }
    }
}

// ---- Death ----

void OXEnemy::kill() {
    if (!active || dying) {
        return;
    }
    IXEnemyPlayer* ship = player();
    if (ship) {
        cancelOwnBullets(ship);
        IXEnemyWorld* scene = world();
        if (scene && beamMarkTimer > 0.0f && size.x > 32.0f) {
            scene->beamKill(position);
        }
        scoreKill(ship);
    }
    splitPending = splitType != nullptr;
    shotDown = true;
    // Destroyed out of space (its own node's damage), it dies where it vanished, in sight.
    blinkOut = false;
    if (deathNode && deathNode->timed) {
        startDeathNode();
        dying = true;
        releaseDeathPrizes(ship);
    } else {
        finalExplosion();
    }
}

void OXEnemy::cancelOwnBullets(IXEnemyPlayer* ship) {
    const bool trance = ship->isTranceActive();
    const bool marked = beamMarkTimer > 0.0f;
    if (cancelBulletsOnDeath) {
        cancelMyBullets(trance ? OXBullet::TranceOrb : marked ? OXBullet::BigMultiplierOrb : 0);
    } else if (marked) {
        cancelMyBullets(OXBullet::BigMultiplierOrb);
    } else if (trance && world() && world()->isCasualPlay()) {
        cancelMyBullets(OXBullet::TranceOrb);
    }
}

void OXEnemy::scoreKill(IXEnemyPlayer* ship) {
    const Vec3& shipAt = ship->body().getPosition();
    const float dx = shipAt.x - position.x;
    const float dy = shipAt.y - position.y;
    const float reach = std::sqrt(dx * dx + dy * dy) - size.x;
    float pointFactor = 1.0f;
    float gaugeFactor = 1.0f;
    int popupFrame = -1;
    if (reach <= 120.0f) {
        pointFactor = 16.0f, gaugeFactor = 4.0f, popupFrame = 19;
    } else if (reach <= 160.0f) {
        pointFactor = 8.0f, gaugeFactor = 3.0f, popupFrame = 18;
    } else if (reach <= 200.0f) {
        pointFactor = 4.0f, gaugeFactor = 2.0f, popupFrame = 17;
    } else if (reach <= 300.0f) {
        pointFactor = 2.0f, gaugeFactor = 1.5f, popupFrame = 16;
    }
    if (popupFrame >= 0) {
        IXEnemyWorld* scene = world();
        CXSpriteBatchManager* popups = scene ? scene->scorePopups() : nullptr;
        if (OXSprite* popup = popups ? popups->getFreeSprite() : nullptr) {
            const bool moved = lastPosition.x > -1000.0f || lastPosition.y > -1000.0f;
            const Vec3& at = moved ? lastPosition : position;
            popup->setPosition(at.x, at.y, 0.0f);
            // The popup's own cell, upright and at its own size, stilled: the sprite may come
            // back from a turned, mirrored, playing blast of the same batch.
            popup->setFrameRange(popupFrame, 1);
            popup->stop();
            popup->setRotation(0.0f, 0.0f, 0.0f);
            popup->setScale(kPopupScale, kPopupScale, 1.0f);
            popup->setKeepAlive(false);
            popup->fadeTo(kPopupMs, 1.0f, 0.0f);
            popup->moveBy(kPopupMs, {0.0f, kPopupRise, 0.0f}, 1.0f);
        }
    }
    const float value = static_cast<float>(ship->bonusValue()) + points;
    ship->addScore(static_cast<int64_t>(value * pointFactor));
    ship->addBreak(breakAmount * gaugeFactor);
}

void OXEnemy::releaseDeathPrizes(IXEnemyPlayer* ship) {
    CXBulletManager* bullets = context ? context->bullets : nullptr;
    if (bullets) {
        const bool trance = ship && ship->isTranceActive();
        const bool marked = beamMarkTimer > 0.0f;
        const bool casual = world() && world()->isCasualPlay();
        int count = prizeOnDeath;
        int kind = OXBullet::ScoreOrb;
        float spread = size.x;
        if (trance) {
            kind = OXBullet::TranceOrb;
        } else if (marked) {
            count = 2 * prizeOnDeath;
            kind = OXBullet::MultiplierOrb;
            spread = 1.5f * size.x;
        } else if (!casual) {
            count = playerNear ? 2 * prizeOnDeath : prizeOnDeath;
        } else {
            count = ship && ship->isLaserHeld() ? prizeOnDeath : 2 * prizeOnDeath;
            kind = playerNear ? OXBullet::BigMultiplierOrb : OXBullet::ScoreOrb;
        }
        if (count > 0) {
            bullets->releasePrizes(position, spread, count, kind);
        }
        if (upgradeOnDeath > 0) {
            bullets->releasePrizes(position, spread, upgradeOnDeath, OXBullet::Upgrade);
        }
    }
    prizeOnDeath = 0;
    upgradeOnDeath = 0;
}

void OXEnemy::dyingBursts(float dtMs) {
    if (nodeTimeLeft <= 0.0f) {
        finalExplosion();
        return;
    }
    dyingBurstTimer -= dtMs;
    if (dyingBurstTimer > 0.0f) {
        return;
    }
    dyingBurstTimer += kDyingBurstMs;
    if (IXEnemyWorld* scene = world()) {
        const Vec3 at{position.x + (randomFraction() - 0.5f) * size.x,
                      position.y + (randomFraction() - 0.5f) * size.y, 0.0f};
        const Vec3 direction = unitVectorOf(randomFraction() * 360.0f);
        scene->debrisSpray(at, direction, 20.0f, 3, 0.4f, 240.0f);
        scene->debrisSpray(at, direction, 40.0f, 3, 0.5f, 160.0f);
    }
    if (context) {
        context->playOncePerFrame(EnemySound::SmallExplosion);
    }
}

void OXEnemy::finalExplosion() {
    if (IXEnemyWorld* scene = world()) {
        const Vec3 at{position.x, position.y, 0.0f};
        switch (explosion) {
            case ExplosionSize::Small: {
                // Small craft burst somewhere on their hull.
                const float jitter = size.x * 0.25f;
                const Vec3 off{(randomFraction() * 2.0f - 1.0f) * jitter,
                               (randomFraction() * 2.0f - 1.0f) * jitter, 0.0f};
                scene->explosion(ExplosionKind::Small, at + off, 150.0f);
                break;
            }
            case ExplosionSize::Medium:
                scene->explosion(ExplosionKind::Medium, at, 150.0f);
                break;
            case ExplosionSize::Large:
                scene->explosion(ExplosionKind::Large, at, 150.0f);
                break;
            case ExplosionSize::Huge:
                scene->explosion(ExplosionKind::Huge, at, 150.0f);
                break;
        }
        scene->countKill();
    }
    release();
}

void OXEnemy::release() {
    stopEffect();
    effectName = nullptr;
    movementNodeCount = 0;
    deathNode = nullptr;
    for (OXEnemyModule& part : modules) {
        if (part.isActive() || part.isVisible()) {
            part.release();
        }
    }
    liveModuleCount = 0;
    leader = nullptr;
    launchesLeft = 0;
    launchPending = false;
    shielded = false;
    blinkOut = false;
    stopAllLaunchers();
    if (labelOpen) {
        label->close();
        labelOpen = false;
    }
    entering = false;
    dying = false;
    visible = false;
    active = false;
}
