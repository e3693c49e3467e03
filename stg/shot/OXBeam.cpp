#include "stg/shot/OXBeam.h"

#include "stg/shot/OXLauncher.h"

OXBeam::~OXBeam() = default;

void OXBeam::load(const std::string& path) {
    OXSprite::load(path);
    launcher = nullptr;
    owner = nullptr;
    ownerKind = 0;
    launcherOffset = {};
}

void OXBeam::setParent(IXRenderObject* newParent) {
    // The beam follows its launcher's position, not a parent matrix; any
    // other parent unlinks it.
    launcher = dynamic_cast<OXLauncher*>(newParent);
}

void OXBeam::tick(float dtMs) {
    if (!active) {
        return;
    }
    OXSprite::tick(dtMs);
    if (launcher) {
        position = launcher->getPosition() + launcherOffset;
    }
}

void OXBeam::end() {
    visible = false;
    active = false;
    launcher = nullptr;
    owner = nullptr;
}
