#include "stg/shot/OXLauncher.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "stg/shot/CXBulletManager.h"
#include "stg/shot/FirePattern.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "stg/shot/ShotMath.h"

namespace {
const std::string kNoBulletType;
}  // namespace

OXLauncher::~OXLauncher() = default;

static_assert(OXLauncher::kMostPerVolley >= CXBulletManager::kEnemyPoolSize &&
                  OXLauncher::kMostPerVolley >= CXBulletManager::kPlayerPoolSize,
              "a volley may fill any bullet pool");

void OXLauncher::load(const std::string& path) {
    IXRenderObject::load(path);
    resetActions();
    clampReported = false;
}

void OXLauncher::resetActions() {
    delayTimer = 0.0f;
    repeatsLeft = 0;
    salvoAngle = 0.0f;
    angleOffset = 0.0f;
    salvoSpeedOffset = 0.0f;
    carrierDirection = 0.0f;
    aimAngle = 0.0f;
    gapCountdown = 0;
    gapRemaining = 0;
    state = Idle;
    cooldownTimer = 0.0f;
}

const std::string& OXLauncher::bulletTypeName() const {
    return pattern ? pattern->bulletType : kNoBulletType;
}

void OXLauncher::setDelay(float ms) {
    delay = ms;
    delayTimer = ms;
}

void OXLauncher::setRepeat(int volleys) {
    repeat = volleys;
    repeatsLeft = volleys;
}

void OXLauncher::setDirectionAngle(float degrees) {
    directionAngle = degrees;
    salvoAngle = degrees;
}

void OXLauncher::setGapFrequency(int volleys) {
    gapFrequency = volleys;
    gapCountdown = volleys;
}

void OXLauncher::setGapSize(int volleys) {
    gapSize = volleys;
    gapRemaining = 0;
}

void OXLauncher::start() {
    if (state == Armed && cooldownTimer == 0.0f) {
        state = Firing;
    }
}

void OXLauncher::stop() {
    state = Armed;
    if (isBeam && manager) {
        manager->stopBeamsOf(this);
    }
}

void OXLauncher::restart() {
    delayTimer = delay;
    repeatsLeft = repeat;
    salvoAngle = directionAngle;
    salvoSpeedOffset = 0.0f;
    angleOffset = 0.0f;
    gapCountdown = gapFrequency;
    gapRemaining = 0;
    state = Armed;
}

bool OXLauncher::isFiring() const {
    return state == Firing && repeatsLeft > 0 && cooldownTimer <= 0.0f;
}

void OXLauncher::tick(float dtMs) {
    if (!active) {
        return;
    }
    const bool loaded = !bulletTypeName().empty() || bulletType;
    if (manager && loaded && state == Firing && cooldownTimer == 0.0f) {
        delayTimer += dtMs;
        float angle = 0.0f;  // the previous bullet's angle, kept when there is nothing to aim at
        // A full pool stays full for the rest of this burst: it is reported once,
        // and the volleys still due only advance their counters.
        poolFull = false;
        while (delayTimer >= delay && repeatsLeft >= 1) {
            fireVolley(angle);
        }
        if (repeatsLeft < 1) {
            restart();
            cooldownTimer = cooldown;
        }
    } else {
        cooldownTimer = std::max(0.0f, cooldownTimer - dtMs);
    }
    if (orbitRadius > 0.0f) {
        orbitRotation += orbitSpeed * dtMs;
        if (orbitRotation >= 360.0f) {
            orbitRotation -= 360.0f;
        } else if (orbitRotation < 0.0f) {
            orbitRotation += 360.0f;
        }
    }
}

bool OXLauncher::aimAt(float& degrees) const {
    const IXShotWorld* world = manager->getWorld();
    if (!world) {
        return false;
    }
    const IXShotTarget* player = world->shotTarget();
    if (!player) {
        return false;
    }
    const IXRenderObject* target = nullptr;
    if (owner && owner->getOwnerKind() == OwnerEnemy) {
        target = &player->body();
    } else if (const IXShootable* lockOn = player->lockOnTarget()) {
        target = &lockOn->body();
    }
    if (!target) {
        return false;
    }
    degrees =
        std::atan2(target->getX() - position.x, target->getY() - position.y) * shotmath::kDegreesPerRadian;
    return true;
}

void OXLauncher::fireVolley(float& angle) {
    const int k = repeat - repeatsLeft;
    const float repeatSpeedOffset = repeatSpeedChange * static_cast<float>(k);
    const int salvoCount = volleyCount(salvo, repeatSalvoChange, k, "SALVO");
    const int bombletCount = volleyCount(bomblet, repeatBombletChange, k, "BOMBLET");

    if (gapRemaining > 0) {
        --gapRemaining;
        if (gapRemaining < 1) {
            gapCountdown = gapFrequency;
        }
    }
    salvoAngle = salvoCount > 1 ? directionAngle - static_cast<float>(salvoCount - 1) * directionChange * 0.5f
                                : directionAngle;
    salvoSpeedOffset = 0.0f;

    const Vec3 origin = nonRelative ? mount : position;
    for (int j = 0; j < salvoCount && !poolFull; ++j) {
        switch (aimType) {
            case 0:
                angle = directionType == 0 ? carrierDirection + salvoAngle + angleOffset
                                           : salvoAngle + angleOffset;
                break;
            case 1: {
                float aim = 0.0f;
                if (aimAt(aim)) {
                    angle = angleOffset + salvoAngle + aim;
                    carrierDirection = aim;
                    aimAngle = aim;
                }
                break;
            }
            case 2: {
                float aim = 0.0f;
                if (k == 0) {
                    if (aimAt(aim)) {
                        angle = angleOffset + salvoAngle + aim;
                        carrierDirection = aim;
                        aimAngle = aim;
                    }
                } else {
                    angle = aimAngle + salvoAngle + angleOffset;
                }
                break;
            }
            default:
                break;  // the previous bullet's angle
        }
        const Vec3 at{origin.x + static_cast<float>(k) * repeatOffset.x + static_cast<float>(j) * offset.x,
                      origin.y + static_cast<float>(k) * repeatOffset.y + static_cast<float>(j) * offset.y,
                      origin.z};
        if (gapRemaining < 1) {
            if (bombletCount > 1) {
                const float middle = static_cast<float>(bombletCount - 1) * 0.5f;
                for (int b = 0; b < bombletCount && !poolFull; ++b) {
                    const float step = static_cast<float>(b) - middle;
                    poolFull = !fireOne(angle + bombletAngle * step, at,
                                        repeatSpeedOffset + salvoSpeedOffset + bombletSpeedChange * step);
                }
            } else if (bombletCount == 1) {
                poolFull = !fireOne(angle, at, repeatSpeedOffset + salvoSpeedOffset);
            }
        }
        salvoAngle += directionChange;
        salvoSpeedOffset += speedChange;
    }
    angleOffset += angleChange;
    repeatsLeft -= 1;
    delayTimer -= delay;

    if (wantSound) {
        if (IXShotWorld* world = manager->getWorld()) {
            world->playShotSound();
        }
    }
    if (gapSize > 0 && gapCountdown > 0) {
        --gapCountdown;
        if (gapCountdown < 1) {
            gapCountdown = 0;
            gapRemaining = gapSize;
        }
    }
}

int OXLauncher::volleyCount(int base, float changePerVolley, int k, const char* what) {
    // The growth is rounded in float, as it always was; the sum is taken in double, where a
    // count near the int limit plus its growth cannot overflow.
    const double wanted = static_cast<double>(base) +
                          static_cast<double>(std::floor(changePerVolley * static_cast<float>(k) + 0.5f));
    if (!(wanted > 0.0)) {
        return 0;  // none, also for a growth that is not a number
    }
    if (wanted > kMostPerVolley) {
        if (!clampReported) {
            clampReported = true;
            const std::string& type = bulletTypeName();
            std::printf("%s OF %.0f CUT TO %d%s%s\n", what, wanted, kMostPerVolley,
                        type.empty() ? "" : " FOR ", type.c_str());
        }
        return kMostPerVolley;
    }
    return static_cast<int>(wanted);
}

bool OXLauncher::fireOne(float angle, const Vec3& at, float speedOffset) {
    if (isBeam) {
        // A beam that does not start is no full bullet pool: the rest of the volley is still tried.
        manager->fireBeam(angle, at, speedOffset, beamValue, bulletTypeName(), owner, this);
        return true;
    }
    return manager->fireBullet(angle, at, speedOffset, bulletType, owner);
}
