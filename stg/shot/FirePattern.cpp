#include "stg/shot/FirePattern.h"

#include "data/PlistRead.h"

FirePattern FirePattern::read(const Plist::Dictionary& list) {
    FirePattern p;
    const float volleys = static_cast<float>(kMostVolleys);
    const float bullets = static_cast<float>(kMostBullets);
    std::string name;
    Plist::read(list, "name", name);  // the record is kept under the requested name
    Plist::read(list, "delay", p.delay, 0.0f);
    Plist::read(list, "delay var", p.delayVar, 0.0f);
    Plist::readWithin(list, "repeat", p.repeat, 0.0f, 0.0f, volleys);
    Plist::readWithin(list, "repeat var", p.repeatVar, 0.0f, -volleys, volleys);
    Plist::readWithin(list, "salvo", p.salvo, 0, 0, kMostBullets);
    Plist::readWithin(list, "salvo var", p.salvoVar, 0.0f, -bullets, bullets);
    Plist::read(list, "direction type", p.directionType, 0);
    Plist::read(list, "direction angle", p.directionAngle, 0.0f);
    Plist::read(list, "direction change", p.directionChange, 0.0f);
    const bool hasBomblet = Plist::readWithin(list, "bomblet", p.bomblet, 0, 0, kMostBullets);
    Plist::readWithin(list, "bomblet var", p.bombletVar, 0.0f, -bullets, bullets);
    if (!hasBomblet) {
        p.bomblet = p.bombletVar == 0.0f ? 1 : 0;
    }
    Plist::read(list, "bomblet angle", p.bombletAngle, 0.0f);
    Plist::read(list, "bomblet speed change", p.bombletSpeedChange, 0.0f);
    Plist::read(list, "offset x", p.offset.x, 0.0f);
    Plist::read(list, "offset y", p.offset.y, 0.0f);
    Plist::read(list, "repeat offset x", p.repeatOffset.x, 0.0f);
    Plist::read(list, "repeat offset y", p.repeatOffset.y, 0.0f);
    Plist::read(list, "angle change", p.angleChange, 0.0f);
    Plist::read(list, "speed change", p.speedChange, 0.0f);
    Plist::read(list, "repeat speed change", p.repeatSpeedChange, 0.0f);
    Plist::readWithin(list, "repeat salvo change", p.repeatSalvoChange, 0.0f, -bullets, bullets);
    Plist::readWithin(list, "repeat bomblet change", p.repeatBombletChange, 0.0f, -bullets, bullets);
    Plist::read(list, "bullet type", p.bulletType);
    Plist::read(list, "aim type", p.aimType, 0);
    Plist::readWithin(list, "gap frequency", p.gapFrequency, 0, 0, kMostVolleys);
    Plist::readWithin(list, "gap size", p.gapSize, 0, 0, kMostVolleys);
    Plist::readWithin(list, "gap frequency var", p.gapFrequencyVar, 0, -kMostVolleys, kMostVolleys);
    Plist::readWithin(list, "gap size var", p.gapSizeVar, 0, -kMostVolleys, kMostVolleys);
    Plist::read(list, "is beam", p.isBeam, false);
    Plist::read(list, "want sound", p.wantSound, false);
    return p;
}
