#include "stg/shot/FirePattern.h"

#include "data/PlistRead.h"

FirePattern FirePattern::read(const Plist::Dictionary& list) {
    FirePattern p;
    std::string name;
    Plist::read(list, "name", name);  // the record is kept under the requested name
    Plist::read(list, "delay", p.delay, 0.0f);
    Plist::read(list, "delay var", p.delayVar, 0.0f);
    Plist::read(list, "repeat", p.repeat, 0.0f);
    Plist::read(list, "repeat var", p.repeatVar, 0.0f);
    Plist::read(list, "salvo", p.salvo, 0);
    Plist::read(list, "salvo var", p.salvoVar, 0.0f);
    Plist::read(list, "direction type", p.directionType, 0);
    Plist::read(list, "direction angle", p.directionAngle, 0.0f);
    Plist::read(list, "direction change", p.directionChange, 0.0f);
    const bool hasBomblet = Plist::read(list, "bomblet", p.bomblet, 0);
    Plist::read(list, "bomblet var", p.bombletVar, 0.0f);
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
    Plist::read(list, "repeat salvo change", p.repeatSalvoChange, 0.0f);
    Plist::read(list, "repeat bomblet change", p.repeatBombletChange, 0.0f);
    Plist::read(list, "bullet type", p.bulletType);
    Plist::read(list, "aim type", p.aimType, 0);
    Plist::read(list, "gap frequency", p.gapFrequency, 0);
    Plist::read(list, "gap size", p.gapSize, 0);
    Plist::read(list, "gap frequency var", p.gapFrequencyVar, 0);
    Plist::read(list, "gap size var", p.gapSizeVar, 0);
    Plist::read(list, "is beam", p.isBeam, false);
    Plist::read(list, "want sound", p.wantSound, false);
    return p;
}
