// The player's ship firing: its launcher lists by weapon and missile level,
// the fire, laser and charge inputs, the counter-attack and its beams, and
// the lock-on target.

#include "stg/game/OXSTGBasePlayer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXTextBox.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/OXOption.h"
#include "stg/game/OXSTGBasePlayerParts.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

using namespace shipparts;

namespace {

constexpr float kCounterMsPerGauge = 2500.0f;
constexpr float kCounterRingMs = 500.0f;
constexpr float kLaserRingMs = 500.0f;
constexpr float kLaserHoldMs = 80.0f;
constexpr float kLaserWarningMs = 180.0f;

}  // namespace

void OXSTGBasePlayer::readLevelLists(const Plist::Dictionary& definition, const char* suffix,
                                     std::vector<std::vector<int>>& levels) {
    levels.clear();
    for (int level = 0;; ++level) {
        char key[48];
        std::snprintf(key, sizeof key, "lvl %d%s", level, suffix);
        const std::string* text = Plist::findString(definition, key);
        if (text == nullptr) {
            break;
        }
        levels.push_back(indexList(*text, key));
    }
}

void OXSTGBasePlayer::setWeaponLevel(int level) {
    weaponLevel = level;
    if (level >= 0 && level < static_cast<int>(levelMain.size())) {
        activeMain = &levelMain[static_cast<size_t>(level)];
    }
    if (level >= 0 && level < static_cast<int>(levelMainBreak.size())) {
        activeMainBreak = &levelMainBreak[static_cast<size_t>(level)];
    }
}

void OXSTGBasePlayer::setMissileLevel(int level) {
    missileLevel = level;
    if (level >= 0 && level < static_cast<int>(levelSecondary.size())) {
        activeSecondary = &levelSecondary[static_cast<size_t>(level)];
    }
    if (level >= 0 && level < static_cast<int>(levelSecondaryBreak.size())) {
        activeSecondaryBreak = &levelSecondaryBreak[static_cast<size_t>(level)];
    }
}

void OXSTGBasePlayer::stopEveryLauncher() {
    stopAllLaunchers();
    for (auto& option : options) {
        option->stopAllLaunchers();
    }
    std::fill(launcherFiringTime.begin(), launcherFiringTime.end(), -1.0f);
}

void OXSTGBasePlayer::setFiring(bool value) {
    firing = value;
    if (!value) {
        stopEveryLauncher();
    }
}

void OXSTGBasePlayer::setLaser(bool value) {
    if (!value) {
        laser = false;
        stopEveryLauncher();
        return;
    }
    stopEveryLauncher();
    laser = true;
    if (world) {
        world->counterRing(position, kLaserRingMs);
    }
    beamFiringTime = kLaserHoldMs;
    flashWarningCircle(kLaserWarningMs);
}

void OXSTGBasePlayer::setCharging(bool value) {
    if (value == charging) {
        return;
    }
    charging = value;
    if (value) {
        stopEveryLauncher();
        chargePulseTimer = 0.0f;
        chargePulseLow = false;
        showModules(chargeModules, -1.0f, 0.0f);
    } else {
        hideModules(chargeModules);
        hideModules(chargeFullModules);
    }
}

void OXSTGBasePlayer::fireCounter() {
    // Below the minimum (or not a number) nothing fires and the gauge stays.
    if (!(beamGauge >= kCounterMinimum)) {
        return;
    }
    for (int launcher : counterNormalList) {
        startLauncher(launcher);
    }
    const float beamTime = (beamGauge - kCounterMinimum) * kCounterMsPerGauge;
    for (int launcher : counterBeamList) {
        if (launcher < static_cast<int>(launcherFiringTime.size())) {
            launcherFiringTime[static_cast<size_t>(launcher)] = beamTime;
            // A beam launcher fires one beam that lives as long as the firing time.
            if (OXLauncher* gun = getLauncher(launcher)) {
                gun->setBeamValue(beamTime);
            }
            startLauncher(launcher);
        }
    }
    beamFiringTime = beamGauge * kCounterMsPerGauge;
    beamGauge = 0.0f;
    if (world) {
        world->counterRing(position, kCounterRingMs);
    }
}

float OXSTGBasePlayer::getLauncherFiringTime(int launcher) const {
    if (launcher < 0 || launcher >= static_cast<int>(launcherFiringTime.size())) {
        return -1.0f;
    }
    return launcherFiringTime[static_cast<size_t>(launcher)];
}

void OXSTGBasePlayer::updateCounterBeams(float dtMs) {
    for (size_t i = 0; i < launcherFiringTime.size(); ++i) {
        float& left = launcherFiringTime[i];
        if (left < 0.0f) {
            continue;
        }
        left -= dtMs;
        if (left <= 0.0f) {
            left = -1.0f;
            if (OXLauncher* launcher = getLauncher(static_cast<int>(i))) {
                launcher->stop();
            }
        } else if (OXLauncher* launcher = getLauncher(static_cast<int>(i));
                   launcher && !launcher->getIsBeam()) {
            startLauncher(static_cast<int>(i));  // streams keep firing; a beam holds until stopped
        }
    }
}

void OXSTGBasePlayer::fire() {
    if (!firing || !world || !world->canShoot() || beamFiringTime > 0.0f || charging) {
        return;
    }
    if (laser) {
        for (int launcher : breakMode ? laserBreakList : laserList) {
            startLauncher(launcher);
        }
        return;
    }
    for (const std::vector<int>* list :
         {breakMode ? activeMainBreak : activeMain, breakMode ? activeSecondaryBreak : activeSecondary}) {
        for (int launcher : *list) {
            startLauncher(launcher);
        }
    }
    for (auto& option : options) {
        option->startLauncher(breakMode ? 1 : 0);
    }
}

void OXSTGBasePlayer::updateLockOn() {
    if (!world) {
        lockedEnemy = nullptr;
        return;
    }
    if (lockedEnemy && !world->isEnemyAlive(lockedEnemy)) {
        lockedEnemy = nullptr;
    }
    if (!lockedEnemy && !isOutOfPlay()) {
        lockedEnemy = world->nearestEnemyIn(position, -40.0f, 360.0f, 80.0f, 480.0f);
    }
}
