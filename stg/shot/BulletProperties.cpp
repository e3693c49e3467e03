#include "stg/shot/BulletProperties.h"

BulletProperties BulletProperties::read(const Plist::Dictionary& list) {
    BulletProperties p;
    std::string name;
    Plist::getString(list, "name", name);  // the record is kept under the requested name
    Plist::getBool(list, "is player bullet", p.isPlayerBullet);
    Plist::getBool(list, "is glow", p.isGlow);
    Plist::getBool(list, "is flicker", p.isFlicker);
    if (!Plist::getBool(list, "is effect glow", p.isEffectGlow)) {
        p.isEffectGlow = true;
    }
    Plist::getFloat(list, "damage", p.damage);
    Plist::getBool(list, "is change not relative", p.isChangeNotRelative);
    Plist::getFloat(list, "start speed", p.startSpeed);
    Plist::getFloat(list, "start speed var", p.startSpeedVar);
    Plist::getFloat(list, "speed change", p.speedChange);
    Plist::getFloat(list, "speed change var", p.speedChangeVar);
    Plist::getFloat(list, "speed change time", p.speedChangeTime);
    Plist::getFloat(list, "speed change time var", p.speedChangeTimeVar);
    Plist::getFloat(list, "direction change amount", p.directionChangeAmount);
    Plist::getFloat(list, "direction change time", p.directionChangeTime);
    Plist::getString(list, "fire pattern", p.firePattern);
    Plist::getFloat(list, "fire pattern delay", p.firePatternDelay);
    Plist::getBool(list, "is fire on death", p.isFireOnDeath);
    Plist::getFloat(list, "duration", p.duration);
    Plist::getInt(list, "atlas frame", p.atlasFrame);
    Plist::getBool(list, "random frame", p.randomFrame);
    if (!Plist::getInt(list, "flicker frame", p.flickerFrame)) {
        p.flickerFrame = p.atlasFrame;
    }
    Plist::getInt(list, "num frames", p.numFrames);
    Plist::getInt(list, "trail frame", p.trailFrame);
    Plist::getBool(list, "is use trail", p.isUseTrail);
    Plist::getFloat(list, "trail width", p.trailWidth);
    Plist::getFloat(list, "player seek factor", p.playerSeekFactor);
    Plist::getInt(list, "first frame", p.firstFrame);
    if (p.firstFrame == 1) {
        p.firstFrame = 63;
    }
    Plist::getBool(list, "is bullet block", p.isBulletBlock);
    Plist::getString(list, "effect", p.effect);
    Plist::getString(list, "hit effect", p.hitEffect);
    Plist::getBool(list, "is invul", p.isInvul);
    Plist::getFloat(list, "size", p.size);
    Plist::getString(list, "sound", p.sound);
    if (!Plist::getFloat(list, "volume", p.volume)) {
        p.volume = 1.0f;
    }
    Plist::getInt(list, "num bounces", p.numBounces);
    Plist::getBool(list, "boss track only", p.bossTrackOnly);
    if (!Plist::getBool(list, "is focus track", p.isFocusTrack)) {
        p.isFocusTrack = true;
    }
    Plist::getBool(list, "no expire", p.noExpire);
    if (!Plist::getFloat(list, "width factor", p.widthFactor)) {
        p.widthFactor = 1.0f;
    }
    if (!Plist::getFloat(list, "height factor", p.heightFactor)) {
        p.heightFactor = 1.0f;
    }
    Plist::getBool(list, "no frame repeat", p.noFrameRepeat);
    Plist::getBool(list, "is back", p.isBack);
    if (!Plist::getFloat(list, "hit box scale", p.hitBoxScale)) {
        p.hitBoxScale = 0.6f;
    }
    return p;
}
