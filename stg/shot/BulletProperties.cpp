#include "stg/shot/BulletProperties.h"

#include "data/PlistRead.h"
#include "engine/OXSprite.h"

namespace {
// Frames within an atlas, so a frame plus its animation step fits an int; damage within the
// most hit points anything has.
constexpr int kMostFrame = OXSprite::kMostGridSide * OXSprite::kMostGridSide - 1;
constexpr float kMostDamage = 1.0e9f;
}  // namespace

BulletProperties BulletProperties::read(const Plist::Dictionary& list) {
    BulletProperties p;
    std::string name;
    Plist::read(list, "name", name);  // the record is kept under the requested name
    Plist::read(list, "is player bullet", p.isPlayerBullet, false);
    Plist::read(list, "is glow", p.isGlow, false);
    Plist::read(list, "is flicker", p.isFlicker, false);
    if (!Plist::read(list, "is effect glow", p.isEffectGlow, false)) {
        p.isEffectGlow = true;
    }
    Plist::readWithin(list, "damage", p.damage, 0.0f, -kMostDamage, kMostDamage);
    Plist::read(list, "is change not relative", p.isChangeNotRelative, false);
    Plist::read(list, "start speed", p.startSpeed, 0.0f);
    Plist::read(list, "start speed var", p.startSpeedVar, 0.0f);
    Plist::read(list, "speed change", p.speedChange, 0.0f);
    Plist::read(list, "speed change var", p.speedChangeVar, 0.0f);
    Plist::read(list, "speed change time", p.speedChangeTime, 0.0f);
    Plist::read(list, "speed change time var", p.speedChangeTimeVar, 0.0f);
    Plist::read(list, "direction change amount", p.directionChangeAmount, 0.0f);
    Plist::read(list, "direction change time", p.directionChangeTime, 0.0f);
    Plist::read(list, "fire pattern", p.firePattern);
    Plist::read(list, "fire pattern delay", p.firePatternDelay, 0.0f);
    Plist::read(list, "is fire on death", p.isFireOnDeath, false);
    Plist::read(list, "duration", p.duration, 0.0f);
    Plist::readWithin(list, "atlas frame", p.atlasFrame, 0, 0, kMostFrame);
    Plist::read(list, "random frame", p.randomFrame, false);
    if (!Plist::readWithin(list, "flicker frame", p.flickerFrame, 0, 0, kMostFrame)) {
        p.flickerFrame = p.atlasFrame;
    }
    Plist::readWithin(list, "num frames", p.numFrames, 0, 0, kMostFrame);
    Plist::readWithin(list, "trail frame", p.trailFrame, 0, 0, kMostFrame);
    Plist::read(list, "is use trail", p.isUseTrail, false);
    Plist::read(list, "trail width", p.trailWidth, 0.0f);
    Plist::read(list, "player seek factor", p.playerSeekFactor, 0.0f);
    Plist::readWithin(list, "first frame", p.firstFrame, 0, 0, kMostFrame);
    if (p.firstFrame == 1) {
        p.firstFrame = 63;
    }
    Plist::read(list, "is bullet block", p.isBulletBlock, false);
    Plist::read(list, "effect", p.effect);
    Plist::read(list, "hit effect", p.hitEffect);
    Plist::read(list, "is invul", p.isInvul, false);
    Plist::read(list, "size", p.size, 0.0f);
    Plist::read(list, "sound", p.sound);
    if (!Plist::read(list, "volume", p.volume, 0.0f)) {
        p.volume = 1.0f;
    }
    Plist::read(list, "num bounces", p.numBounces, 0);
    Plist::read(list, "boss track only", p.bossTrackOnly, false);
    if (!Plist::read(list, "is focus track", p.isFocusTrack, false)) {
        p.isFocusTrack = true;
    }
    Plist::read(list, "no expire", p.noExpire, false);
    if (!Plist::read(list, "width factor", p.widthFactor, 0.0f)) {
        p.widthFactor = 1.0f;
    }
    if (!Plist::read(list, "height factor", p.heightFactor, 0.0f)) {
        p.heightFactor = 1.0f;
    }
    Plist::read(list, "no frame repeat", p.noFrameRepeat, false);
    Plist::read(list, "is back", p.isBack, false);
    if (!Plist::read(list, "hit box scale", p.hitBoxScale, 0.0f)) {
        p.hitBoxScale = 0.6f;
    }
    return p;
}
