#include "stg/shot/OXLauncherPlatform.h"

#include <cstdio>

#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

OXLauncherPlatform::OXLauncherPlatform() = default;
OXLauncherPlatform::~OXLauncherPlatform() = default;

void OXLauncherPlatform::load(const std::string& path) {
    OXSprite::load(path);
    if (path.empty()) {
        return;
    }
    Plist::Dictionary definition;
    const std::string file = path + ".plist";
    Plist::loadContent(file, definition);
    createParts(definition);
}

void OXLauncherPlatform::createParts(const Plist::Dictionary& definition) {
    Plist::getFloat(definition, "hp", hitPoints);
    maxHitPoints = previousHitPoints = hitPoints;
    for (int index = 0;; ++index) {
        char key[32];
        std::snprintf(key, sizeof key, "launcher %d", index);
        Plist::Dictionary entry;
        if (!Plist::getDict(definition, key, entry)) {
            break;
        }
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setManager(manager);
        std::string patternName;
        if (Plist::getString(entry, "fire pattern", patternName) && !patternName.empty() && manager) {
            manager->loadFirePattern(patternName);
            manager->setupLauncher(launcher, patternName);
        }
        Vec3 mount{};
        Plist::getFloat(entry, "offset x", mount.x);
        Plist::getFloat(entry, "offset y", mount.y);
        launcher->setMount(mount);
        float value = 0.0f;
        Plist::getFloat(entry, "cooldown", value);
        launcher->setCooldown(value);
        launcher->setOwner(this);
        Plist::getFloat(entry, "orbit speed", value);
        launcher->setOrbitSpeed(value);
        Plist::getFloat(entry, "orbit start rotation", value);
        launcher->setOrbitRotation(value);
        Plist::getFloat(entry, "orbit radius", value);
        launcher->setOrbitRadius(value);
        bool nonRelative = false;
        Plist::getBool(entry, "non relative", nonRelative);
        launcher->setNonRelative(nonRelative);
        addLauncher(launcher);
        std::printf("LOADING LAUNCHER %d\n", index);
    }
}

void OXLauncherPlatform::addLauncher(OXLauncher* launcher) {
    launchers.emplace_back(launcher);
}

void OXLauncherPlatform::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (runsSpriteTick) {
        OXSprite::tick(dtMs);
    }
    for (auto& launcher : launchers) {
        // The mount turns with the platform: a turn by r degrees clockwise is
        // a counter-clockwise turn by -r.
        const Vec3 offset = shotmath::turned(launcher->getMount(), -platformRotation);
        Vec3 at = position + offset;
        if (launcher->getOrbitRadius() > 0.0f) {
            const float o = launcher->getOrbitRotation();
            at.x += shotmath::tableSin(o) * launcher->getOrbitRadius();
            at.y += shotmath::tableCos(o) * launcher->getOrbitRadius();
        }
        launcher->setPosition(at);
        launcher->setCarrierDirection(platformRotation);
        launcher->tick(dtMs);
    }
}

OXLauncher* OXLauncherPlatform::getLauncher(int index) const {
    if (index < 0 || index >= launcherCount()) {
        return nullptr;
    }
    return launchers[static_cast<size_t>(index)].get();
}

bool OXLauncherPlatform::startLauncher(int index) {
    OXLauncher* launcher = getLauncher(index);
    if (!launcher) {
        return false;
    }
    launcher->start();
    return true;
}

void OXLauncherPlatform::stopAllLaunchers() {
    for (auto& launcher : launchers) {
        launcher->stop();
    }
}

void OXLauncherPlatform::resetAllLaunchers() {
    for (auto& launcher : launchers) {
        launcher->resetActions();
    }
}

void OXLauncherPlatform::rewindLaunchers() {
    for (auto& launcher : launchers) {
        if (!launcher->getIsBeam()) {
            launcher->restart();
        }
    }
    stopAllLaunchers();
}

int OXLauncherPlatform::cancelMyBullets(int prizeType) {
    return manager ? manager->cancelBulletsOfFirer(this, prizeType) : 0;
}

void OXLauncherPlatform::expireMyBullets() {
    if (manager) {
        manager->expireBulletsOfFirer(this);
    }
}
