#include "stg/shot/OXBeam.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "stg/shot/BeamProperties.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "stg/shot/ShotMath.h"

namespace {
constexpr float kWarningEffectStrength = 50.0f;
constexpr float kHitEffectStrength = 100.0f;
// The warning line breathes between these alphas, three times a second: always there to be
// seen, never a strobe.
constexpr float kWarningFaintest = 0.35f;
constexpr float kWarningBrightest = 0.9f;
constexpr float kWarningPulseMs = 333.0f;
constexpr int kBossPrizeCount = 10;
constexpr float kBossPrizeSpread = 60.0f;
}  // namespace

OXBeam::~OXBeam() = default;

void OXBeam::load(const std::string& path) {
    OXSprite::load(path);
    launcher = nullptr;
    owner = nullptr;
    manager = nullptr;
    ownerKind = OwnerPlayerBeam;
    launcherOffset = {};
    shootEffectHandle = nullptr;
    hitEffect = shootEffect = warningEffect = nullptr;
}

void OXBeam::setParent(IXRenderObject* newParent) {
    // The beam follows its launcher's position, not a parent matrix; any
    // other parent unlinks it.
    launcher = dynamic_cast<OXLauncher*>(newParent);
}

Vec3 OXBeam::unitDirection() const {
    const float radians = direction * shotmath::kRadiansPerDegree;
    return {std::sin(radians), std::cos(radians), 0.0f};
}

void OXBeam::fire(const BeamProperties& type, float newDirection, const Vec3& at, float speedOffset,
                  float beamValue, OXLauncherPlatform* newOwner, OXLauncher* newLauncher,
                  CXBulletManager* newManager) {
    damage = type.damage;
    widthStart = type.widthStart;
    widthMed = type.widthMed;
    widthEnd = type.widthEnd;
    widthMedTime = type.widthMedTime;
    widthEndTime = beamValue + type.widthEndTime;
    duration = type.duration + beamValue;
    widthRate1 = type.widthRate1;
    widthRate2 = type.widthRate2;
    extendRate = type.extendRate + speedOffset;
    startLength = type.startLength;
    maxLength = type.maxLength;
    warningHoldTime = type.warningHoldTime;
    atlasFrame = type.atlasFrame;
    atlasFlickerFrame = type.atlasFlickerFrame;
    hitGfxFrame = type.hitGfxFrame;
    hitGfxFrameNum = type.hitGfxFrameNum;
    ownerKind = newOwner ? newOwner->getOwnerKind() : type.ownerKind;
    penetrate = type.isPenetrate;
    singleHit = type.isSingleHit;
    bulletCancel = type.isBulletCancel;
    hitEffect = &type.hitEffect;
    shootEffect = &type.shootEffect;
    warningEffect = &type.shootWarningEffect;
    baseDirection = direction = shotmath::wrapDirection(newDirection);
    directionChangeRate = type.directionChangeRate;
    directionChanged = 0.0f;
    directionChangeLeft = type.directionChangeTime;
    useParentRotation = type.useParentRotation;
    aimTurnRate = type.aimTurnRate;

    manager = newManager;
    setParent(newLauncher);
    owner = newOwner;
    launcherOffset = newLauncher ? at - newLauncher->getPosition() : Vec3{};
    position = at;
    visible = active = true;
    elapsed = 0.0f;
    hitCooldown = bossPrizeCooldown = 0.0f;
    hitFlag = hasHit = false;
    shootEffectStarted = warningEffectCreated = false;
    shootEffectHandle = nullptr;
    frameCount = 0;
    width = widthStart;
    extendedLength = drawnLength = std::min(startLength, maxLength);
    hitPoint = position;
    centre = position;
    colour = {1.0f, 1.0f, 1.0f, 1.0f};
}

void OXBeam::tick(float dtMs) {
    if (!active) {
        return;
    }
    OXSprite::tick(dtMs);
    ++frameCount;
    if (launcher) {
        position = launcher->getPosition() + launcherOffset;
    }
    if (hitCooldown > 0.0f) {
        hitCooldown -= dtMs;
    }
    if (bossPrizeCooldown > 0.0f) {
        bossPrizeCooldown -= dtMs;
    }
    hitFlag = false;

    collide();

    if (directionChangeLeft > 0.0f) {
        const float step = std::min(dtMs, directionChangeLeft);
        directionChangeLeft -= dtMs;
        directionChanged += directionChangeRate * step;
    }
    if (aimTurnRate > 0.0f && elapsed > warningHoldTime) {
        turnTowardsShip(dtMs);
    }
    direction = shotmath::wrapDirection(baseDirection + directionChanged);
    if (useParentRotation && launcher) {
        direction = shotmath::wrapDirection(launcher->getCarrierDirection());
    }

    size.y = drawnLength;
    size.x = width;
    rotation.z = direction;
    centre = position + unitDirection() * (drawnLength * 0.5f);

    hitAnchor.setPosition(hitPoint);

    if (elapsed < duration) {
        elapsed += dtMs;
    }
    if (elapsed >= duration) {
        end();
        return;
    }

    if (extendedLength < maxLength) {
        extendedLength = std::min(extendedLength + extendRate * dtMs, maxLength);
    }

    IXShotEffects& fx = effects();
    if (elapsed <= warningHoldTime) {
        width = widthStart;
        const float wave =
            0.5f - 0.5f * std::cos(elapsed * (360.0f * shotmath::kRadiansPerDegree / kWarningPulseMs));
        colour.a = kWarningFaintest + (kWarningBrightest - kWarningFaintest) * wave;
        if (!warningEffectCreated && warningHoldTime - elapsed < kWarningEffectLeadMs) {
            warningEffectCreated = true;
            if (warningEffect && !warningEffect->empty()) {
                fx.playAt(*warningEffect, position, unitDirection(), kWarningEffectStrength);
            }
        }
        return;
    }
    colour.a = 1.0f;
    if (!shootEffectStarted) {
        shootEffectStarted = true;
        if (shootEffect && shootEffect->size() > 1) {
            shootEffectHandle = fx.startAttachedEffect(*shootEffect, hitAnchor, true);
        }
    }
    if (elapsed < widthMedTime) {
        width += widthRate1 * dtMs;
    } else if (elapsed <= widthEndTime) {
        width = widthMed;
    } else {
        width += widthRate2 * dtMs;
    }
    width = std::max(width, 0.0f);
}

void OXBeam::turnTowardsShip(float dtMs) {
    if (!manager || ownerKind != OwnerEnemy || !manager->frame().playerUsable) {
        return;
    }
    const Vec3& ship = manager->frame().playerPosition;
    const float target = shotmath::angleOf(ship.x - position.x, ship.y - position.y);
    // The shorter way round, no farther than the rate allows.
    float gap = shotmath::wrapDirection(target - (baseDirection + directionChanged));
    if (gap > 180.0f) {
        gap -= 360.0f;
    }
    const float most = aimTurnRate * dtMs;
    baseDirection = shotmath::wrapDirection(baseDirection + std::clamp(gap, -most, most));
}

// ---- Collisions ----

bool OXBeam::touches(const IXRenderObject& object, float& along) const {
    const Vec3 d = unitDirection();
    const float dx = object.getX() - position.x;
    const float dy = object.getY() - position.y;
    along = std::clamp(dx * d.x + dy * d.y, 0.0f, extendedLength);
    const Vec3 closest{position.x + d.x * along, position.y + d.y * along, 0.0f};
    return object.overlapsCircle(closest, width * 0.5f);
}

void OXBeam::showHit(const Vec3& at) {
    hitFlag = true;
    hitPoint = at;
    if (hitCooldown > 0.0f) {
        return;
    }
    hitCooldown = kHitEffectGapMs;
    if (hitEffect && !hitEffect->empty()) {
        effects().playAt(*hitEffect, at, unitDirection(), kHitEffectStrength);
    }
}

void OXBeam::collide() {
    float cut = extendedLength;
    const bool armed = elapsed > warningHoldTime && !(singleHit && hasHit);
    if (armed && manager) {
        if (singleHit) {
            hasHit = true;
        }
        if (ownerKind == OwnerEnemy) {
            collideEnemyBeam(cut);
        } else if (ownerKind == OwnerPlayerBeam) {
            collidePlayerBeam(cut);
        }
    }
    drawnLength = std::min(cut, extendedLength);
    if (!hitFlag) {
        hitPoint = position + unitDirection() * drawnLength;
    }
    if (armed && bulletCancel) {
        cancelBullets();
    }
}

void OXBeam::collideEnemyBeam(float& cut) {
    const CXBulletManager::FrameView& view = manager->frame();
    const Vec3 d = unitDirection();
    float along = 0.0f;
    // Blockers first: a ship behind one is out of the beam's reach.
    for (const OXBullet* blocker : manager->getBlockers()) {
        if (blocker->isVisible() && !blocker->isDying() && touches(*blocker, along) && along < cut) {
            cut = along;
            showHit(position + d * along);
        }
    }
    // Enemies that block beams cut it at their near side.
    if (view.world) {
        for (int i = 0, count = view.world->shootableCount(); i < count; ++i) {
            const IXShootable* enemy = view.world->shootable(i);
            if (!enemy || !enemy->blocksBeams() || enemy->isDying() || enemy->isEntering()) {
                continue;
            }
            const IXRenderObject& body = enemy->body();
            if (body.isActive() && touches(body, along)) {
                const float nearSide =
                    std::max(0.0f, along - body.getSize().x * 0.5f * std::fabs(body.getScale().x));
                if (nearSide < cut) {
                    cut = nearSide;
                    showHit(position + d * nearSide);
                }
            }
        }
    }
    IXShotTarget* player = view.player;
    if (player && player->body().isVisible() && player->body().isActive() && player->isAlive() &&
        touches(player->body(), along) && along <= cut) {
        const bool shielded = (view.world && view.world->isBombActive()) || player->isInvulnerable();
        if (!shielded) {
            player->hitFrom(position + d * along, width * 0.5f);
            player->hit(-damage, d);
        }
        if (!penetrate) {
            cut = along;
        }
        showHit(position + d * along);
    }
}

void OXBeam::collidePlayerBeam(float& cut) {
    IXShotWorld* world = manager->frame().world;
    if (!world) {
        return;
    }
    const Vec3 d = unitDirection();
    IXShootable* nearest = nullptr;
    int nearestPart = -1;
    float nearestAlong = cut;
    float nearestReach = 0.0f;
    auto take = [&](IXShootable* target, int part, float along, float reach) {
        if (penetrate) {
            if (part < 0) {
                target->applyDamage(-damage);
            } else {
                target->damagePart(part, -damage);
            }
            target->markByBeam();
            showHit(position + d * along);
        } else if (along < nearestAlong) {
            nearest = target;
            nearestPart = part;
            nearestAlong = along;
            nearestReach = reach;
        }
    };

    float along = 0.0f;
    const int count = world->shootableCount();
    for (int i = 0; i < count; ++i) {
        IXShootable* enemy = world->shootable(i);
        if (!enemy || enemy->isDying() || enemy->isEntering() || enemy->isFriendly()) {
            continue;
        }
        const IXRenderObject& body = enemy->body();
        if (!body.isActive()) {
            continue;
        }
        if (touches(body, along)) {
            take(enemy, -1, along, body.getSize().x);
            continue;
        }
        for (int part = 0; part < enemy->beamPartCount(); ++part) {
            const IXRenderObject* piece = enemy->beamPart(part);
            if (piece && touches(*piece, along)) {
                take(enemy, part, along, piece->getSize().x);
            }
        }
    }

    IXShootable* boss = world->currentBoss();
    if (boss && boss->body().isVisible() && boss->body().isActive() && !boss->isInvincible() &&
        !boss->isDying() && touches(boss->body(), along)) {
        const IXRenderObject& body = boss->body();
        if (penetrate) {
            // Prizes pour out of the boss at most once per hit-effect gap.
            if (bossPrizeCooldown <= 0.0f) {
                bossPrizeCooldown = kHitEffectGapMs;
                manager->cancelBulletsInRadius(position, kBossCancelRadius, false, OXBullet::MultiplierOrb);
                manager->releasePrizes(position, kBossPrizeSpread, kBossPrizeCount, OXBullet::MultiplierOrb);
            }
            boss->applyDamage(-damage);
            boss->markByBeam();
            showHit(position + d * along);
        } else if (along < nearestAlong) {
            nearest = boss;
            nearestPart = -1;
            nearestAlong = along;
            nearestReach = body.getSize().x * 0.5f * body.getScale().x * body.getUniformScale();
        }
    }

    if (nearest) {
        if (nearestPart < 0) {
            nearest->applyDamage(-damage);
        } else {
            nearest->damagePart(nearestPart, -damage);
        }
        nearest->markByBeam();
        cut = std::max(0.0f, nearestAlong - nearestReach);
        showHit(position + d * cut);
    }
}

void OXBeam::cancelBullets() {
    std::printf("beam cancelling bullets!\n");
    std::printf("closest intersect length: %1.1f\n", static_cast<double>(drawnLength));
    std::printf("beam width: %1.1f\n", static_cast<double>(width));
    manager->cancelBulletsInRect(position, drawnLength, width, false, OXBullet::BigMultiplierOrb);
}

// ---- Ending ----

void OXBeam::stopEffects() {
    if (shootEffectHandle) {
        effects().stopEffect(shootEffectHandle);
    }
    shootEffectHandle = nullptr;
}

IXShotEffects& OXBeam::effects() const {
    return manager ? *manager->getEffects() : noShotEffects();
}

void OXBeam::end() {
    stopEffects();
    warningEffectCreated = false;
    visible = false;
    active = false;
    launcher = nullptr;
    owner = nullptr;
}
