#include "tools/pilot/Autopilot.h"

#include <algorithm>
#include <cmath>

#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/FieldFraming.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXBullet.h"

namespace {
constexpr int kLeft = 28, kRight = 29, kUp = 30, kDown = 31;
constexpr int kFire = 2, kBeam = 3, kTrance = 1;
constexpr float kHomeAboveFloor = 80.0f;  // units above the lowest the ship may fly
}  // namespace

void Autopilot::step(CXGameSession& session, OXScnBaseSTGGame& scene) {
    OXSTGBasePlayer* ship = scene.getShip();
    if (!ship || ship->isOutOfPlay() || !ship->isControllable()) {
        release(session);
        return;
    }
    press(session, kFire, true);
    const Vec3 at = ship->getPosition();
    float pushX = 0.0f, pushY = 0.0f;
    int crowd = 0;
    CXBulletManager& bullets = *scene.getBulletManager();
    for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
        const OXBullet& bullet = bullets.enemyBullet(i);
        if (bullet.isFree() || bullet.isDying() || bullet.isPrize()) {
            continue;
        }
        // Where the bullet will be in about six frames.
        const Vec3 d = bullet.directionVector();
        const float ahead = bullet.getSpeed() * 0.6f;
        const float dx = at.x - (bullet.getX() + d.x * ahead);
        const float dy = at.y - (bullet.getY() + d.y * ahead);
        const float distanceSquared = dx * dx + dy * dy;
        if (distanceSquared < 60.0f * 60.0f) {
            const float weight = 1.0f / std::max(distanceSquared, 16.0f);
            pushX += dx * weight;
            pushY += dy * weight;
            ++crowd;
        }
    }
    // Beams: keep out of a beam's line, warning or firing, with room for its full width.
    for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
        const OXBeam& beam = bullets.beamSlot(i);
        if (beam.isFree() || beam.getOwnerKind() != OwnerEnemy) {
            beamSide[i] = 0;
            continue;
        }
        const float radians = beam.getDirection() * 0.0174532925f;
        const float ux = std::sin(radians), uy = std::cos(radians);
        const float rx = at.x - beam.getX(), ry = at.y - beam.getY();
        const float along = rx * ux + ry * uy;
        if (along < -20.0f) {
            continue;  // behind where it starts
        }
        const float side = rx * uy - ry * ux;  // signed distance from the line
        const float reach = 34.0f + 14.0f;     // its widest half plus the ship
        if (std::fabs(side) < reach + 40.0f) {
            // Step out to the nearer side, harder the closer the line: a beam
            // outweighs the bullets around it.
            const float push = 0.4f * (reach + 40.0f - std::fabs(side)) / (reach + 40.0f);
            // The side is chosen once per beam: the ship lags its keys, and
            // choosing again every frame would rock it on the line.
            if (beamSide[i] == 0) {
                const float towardsMiddle = (160.0f - at.x) * uy - (240.0f - at.y) * ux;
                beamSide[i] =
                    std::fabs(side) > 10.0f ? (side > 0.0f ? 1 : -1) : (towardsMiddle > 0.0f ? -1 : 1);
            }
            const float sign = static_cast<float>(beamSide[i]);
            pushX += uy * sign * push;
            pushY += -ux * sign * push;
            ++crowd;
        }
    }
    const OXEnemy* nearest = nullptr;
    float nearestDistance = 1e9f;
    for (const OXEnemy* enemy : scene.getEnemyManager()->getSpawnedEnemies()) {
        if (!enemy->isActive() || enemy->isDying()) {
            continue;
        }
        const float dx = at.x - enemy->getX();
        const float dy = at.y - enemy->getY();
        const float distanceSquared = dx * dx + dy * dy;
        if (distanceSquared < 70.0f * 70.0f) {  // bodies ram
            const float weight = 3.0f / std::max(distanceSquared, 16.0f);
            pushX += dx * weight;
            pushY += dy * weight;
        }
        if (enemy->getY() > at.y && enemy->getY() < 470.0f && std::fabs(dx) < nearestDistance) {
            nearest = enemy;
            nearestDistance = std::fabs(dx);
        }
    }
    // Home: under the nearest enemy (or the boss), low in the field, but off the edges,
    // where a ship pushed against the wall has nowhere left to dodge.
    float homeX = nearest ? nearest->getX() : 160.0f;
    const OXBoss* boss = scene.getEnemyManager()->currentBoss();
    if (!nearest && boss && boss->isActive() && boss->isVisible() && !boss->isDying()) {
        homeX = std::clamp(boss->getX(), 40.0f, 280.0f);
    }
    // The walls are where the ship may fly (the 4:3 framing, the narrower in y and the same
    // in x as far as the pilot's margins go).
    const framing::Layout& layout = framing::layoutFor(false);
    const float left = framing::shipMinX(layout), right = framing::shipMaxX(layout);
    const float bottom = framing::shipMinY(), top = framing::shipMaxY();
    pushX += std::clamp((homeX - at.x) * 0.0004f, -0.02f, 0.02f);
    pushY += std::clamp((bottom + kHomeAboveFloor - at.y) * 0.0004f, -0.02f, 0.02f);
    pushX += wallPush(at.x - left) - wallPush(right - at.x);
    pushY += wallPush(at.y - bottom);
    const float threshold = 0.004f;
    press(session, kRight, pushX > threshold && at.x < right - 1.0f);
    press(session, kLeft, pushX < -threshold && at.x > left + 1.0f);
    press(session, kUp, pushY > threshold && at.y < top - 10.0f);
    press(session, kDown, pushY < -threshold && at.y > bottom + 1.0f);

    // The counter clears the bullets around the ship: hold, then let go.
    if (charging > 0) {
        if (--charging == 0) {
            press(session, kBeam, false);
        }
    } else if (ship->getBeamGauge() >= 0.6f && crowd >= 6) {
        press(session, kBeam, true);
        charging = 4;
    }
    press(session, kTrance, ship->getBreakGauge() >= OXSTGBasePlayer::kBreakFull && !ship->isTranceActive());
}

void Autopilot::release(CXGameSession& session) {
    for (int code : {kLeft, kRight, kUp, kDown, kFire, kBeam, kTrance}) {
        press(session, code, false);
    }
    charging = 0;
}

float Autopilot::wallPush(float distance) {
    return distance < 40.0f ? (40.0f - std::max(distance, 0.0f)) * 0.0015f : 0.0f;
}

void Autopilot::press(CXGameSession& session, int code, bool down) {
    if (held[code] != down) {
        held[code] = down;
        session.keyEvent(code, down);
    }
}
