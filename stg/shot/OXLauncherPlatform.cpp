#include "stg/shot/OXLauncherPlatform.h"

#include "data/PlistRead.h"

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
    Plist::read(definition, "hp", hitPoints, 0.0f);
    maxHitPoints = previousHitPoints = hitPoints;
    for (int index = 0;; ++index) {
        char key[32];
        std::snprintf(key, sizeof key, "launcher %d", index);
        const Plist::Dictionary* found = Plist::findDict(definition, key);
        if (found == nullptr) {
            break;
        }
        const Plist::Dictionary& entry = *found;
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setManager(manager);
        std::string patternName;
        if (Plist::read(entry, "fire pattern", patternName) && !patternName.empty() && manager) {
            manager->loadFirePattern(patternName);
            manager->setupLauncher(launcher, patternName);
        }
        Vec3 mount{};
        Plist::read(entry, "offset x", mount.x, 0.0f);
        Plist::read(entry, "offset y", mount.y, 0.0f);
        launcher->setMount(mount);
        float value = 0.0f;
        Plist::read(entry, "cooldown", value, 0.0f);
        launcher->setCooldown(value);
        launcher->setOwner(this);
        Plist::read(entry, "orbit speed", value, 0.0f);
        launcher->setOrbitSpeed(value);
        Plist::read(entry, "orbit start rotation", value, 0.0f);
        launcher->setOrbitRotation(value);
        Plist::read(entry, "orbit radius", value, 0.0f);
        launcher->setOrbitRadius(value);
        bool nonRelative = false;
        Plist::read(entry, "non relative", nonRelative, false);
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
