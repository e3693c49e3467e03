#include "stg/enemy/OXBoss.h"

#include "data/Plist.h"
#include "stg/enemy/EnemyDictionary.h"

namespace {
const std::string kStartX = "start x", kStartY = "start y", kStartZ = "start z";
}  // namespace

OXBoss::~OXBoss() = default;

void OXBoss::loadBoss(const std::string& path) {
    Plist::Dictionary definition;
    Plist::loadContent(path + ".plist", definition);
    startPosition = {Plist::floatOr(definition, kStartX, 0.0f), Plist::floatOr(definition, kStartY, 0.0f),
                     Plist::floatOr(definition, kStartZ, 0.0f)};
    position = startPosition;
    done = false;
}

void OXBoss::start() {
    position = startPosition;
    visible = true;
    active = true;
    colour.a = 1.0f;
}

void OXBoss::updateBehaviour(float) {}
