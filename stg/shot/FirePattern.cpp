#include "stg/shot/FirePattern.h"

FirePattern FirePattern::read(const Plist::Dictionary& list) {
    FirePattern p;
    std::string name;
    Plist::getString(list, "name", name);  // the record is kept under the requested name
    Plist::getFloat(list, "delay", p.delay);
    Plist::getFloat(list, "delay var", p.delayVar);
    Plist::getFloat(list, "repeat", p.repeat);
    Plist::getFloat(list, "repeat var", p.repeatVar);
    Plist::getInt(list, "salvo", p.salvo);
    Plist::getFloat(list, "salvo var", p.salvoVar);
    Plist::getInt(list, "direction type", p.directionType);
    Plist::getFloat(list, "direction angle", p.directionAngle);
    Plist::getFloat(list, "direction change", p.directionChange);
    const bool hasBomblet = Plist::getInt(list, "bomblet", p.bomblet);
    Plist::getFloat(list, "bomblet var", p.bombletVar);
    if (!hasBomblet) {
        p.bomblet = p.bombletVar == 0.0f ? 1 : 0;
    }
    Plist::getFloat(list, "bomblet angle", p.bombletAngle);
    Plist::getFloat(list, "bomblet speed change", p.bombletSpeedChange);
    Plist::getFloat(list, "offset x", p.offset.x);
    Plist::getFloat(list, "offset y", p.offset.y);
    Plist::getFloat(list, "repeat offset x", p.repeatOffset.x);
    Plist::getFloat(list, "repeat offset y", p.repeatOffset.y);
    Plist::getFloat(list, "angle change", p.angleChange);
    Plist::getFloat(list, "speed change", p.speedChange);
    Plist::getFloat(list, "repeat speed change", p.repeatSpeedChange);
    Plist::getFloat(list, "repeat salvo change", p.repeatSalvoChange);
    Plist::getFloat(list, "repeat bomblet change", p.repeatBombletChange);
    Plist::getString(list, "bullet type", p.bulletType);
    Plist::getInt(list, "aim type", p.aimType);
    Plist::getInt(list, "gap frequency", p.gapFrequency);
    Plist::getInt(list, "gap size", p.gapSize);
    Plist::getInt(list, "gap frequency var", p.gapFrequencyVar);
    Plist::getInt(list, "gap size var", p.gapSizeVar);
    Plist::getBool(list, "is beam", p.isBeam);
    Plist::getBool(list, "want sound", p.wantSound);
    return p;
}
