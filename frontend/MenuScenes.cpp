#include "frontend/MenuScenes.h"

#include "frontend/IXMenuHost.h"

void OXScnVLMain::backPressed() {
    host.switchToScene(kTitleScene);
}
