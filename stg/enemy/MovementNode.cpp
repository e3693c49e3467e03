#include "stg/enemy/MovementNode.h"

#include "data/PlistRead.h"

namespace {

// The keys of a movement node.
const std::string kDuration = "duration", kDirection = "direction", kUseLastDirection = "use last direction";
const std::string kDirectionChange = "direction change", kSpeed = "speed", kSpeedChange = "speed change";
const std::string kDepthTarget = "depth target", kPlayerChase = "player chase",
                  kFaceDirChange = "face dir change";
const std::string kEffect = "effect", kIsPredraw = "is predraw";
const std::string kLauncherLists[MovementNode::LauncherListCount] = {"easy launchers", "med launchers",
                                                                     "hard launchers", "fire launchers"};
const std::string kDamage = "damage", kIsCharging = "is charging", kShowEffect = "show effect";

}  // namespace

const std::string& launcherListKey(int list) {
    return kLauncherLists[list];
}

MovementNode readMovementNode(const Plist::Dictionary& node, bool deathMovement) {
    MovementNode made;
    made.timed = Plist::findValue(node, kDuration) != nullptr;
    Plist::read(node, kDuration, made.durationMs, 0.0f);
    Plist::read(node, kDirection, made.direction, 0.0f);
    Plist::read(node, kUseLastDirection, made.useLastDirection, false);
    Plist::read(node, kDirectionChange, made.directionChange, 0.0f);
    Plist::read(node, kSpeed, made.speed, 0.0f);
    Plist::read(node, kSpeedChange, made.speedChange, 0.0f);
    Plist::read(node, kDepthTarget, made.depthChange, 0.0f);
    Plist::read(node, kPlayerChase, made.playerChase, false);
    int facing = 0;
    made.setsFacing = Plist::read(node, kFaceDirChange, facing, 0) || deathMovement;
    made.facing = static_cast<FaceDirection>(facing);
    made.effect = Plist::textOf(node, kEffect);
    Plist::read(node, kIsPredraw, made.effectPredraw, false);
    for (int list = 0; list < MovementNode::LauncherListCount; ++list) {
        made.launchers[list] = Plist::textOf(node, kLauncherLists[list]);
    }
    made.dealsDamage = Plist::read(node, kDamage, made.damage, 0.0f);
    Plist::read(node, kIsCharging, made.charging, false);
    made.showsEffects = Plist::findValue(node, kShowEffect) != nullptr;
    made.shownEffects = Plist::textOf(node, kShowEffect);
    return made;
}
