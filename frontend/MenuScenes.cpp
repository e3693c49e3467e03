#include "frontend/MenuScenes.h"

#include "frontend/IXMenuHost.h"

void OXScnVLTitle::keyEvent(int key, bool down) {
    if (key == acceptKey && !down) {
        host.switchToScene(kMainScene);
        return;
    }
    OXScnPlaceholderMenu::keyEvent(key, down);
}

void OXScnVLMain::backPressed() { host.switchToScene(kTitleScene); }
