#include "frontend/MenuScenes.h"

#include "frontend/IXMenuHost.h"

void OXScnVLHanger::keyEvent(int key, bool down) {
    if (key == acceptKey && !down) {
        host.requestStageStart();
        return;
    }
    OXScnPlaceholderMenu::keyEvent(key, down);
}
