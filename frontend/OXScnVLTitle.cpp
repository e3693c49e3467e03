#include "frontend/OXScnVLTitle.h"

#include "engine/OXSprite.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

void OXScnVLTitle::buildScene() {
    logo = new OXSprite();
    logo->load("assets/plist/spr_title_logo");
    logo->setPosition(384, 690, 1);
    addObject(logo);

    startPrompt = new OXSprite();
    startPrompt->load("assets/plist/spr_title_start");
    startPrompt->setPosition(384, 300, 1);
    addObject(startPrompt);
    addSelectable(startPrompt);
}

void OXScnVLTitle::keyEvent(int key, bool down) {
    if (key == acceptKey && !down) {
        // Until the menus choose a mode, start launches arcade play.
        menuHost.requestStageStart();
        return;
    }
    OXScene::keyEvent(key, down);
}
