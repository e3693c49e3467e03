#pragma once

#include "frontend/OXScnPlaceholderMenu.h"

class OXSprite;

// The title screen: the game's logo over the menu background and the start
// prompt, which carries the selection highlight. Accept slides on to the
// main menu.
class OXScnVLTitle : public OXScene {
  public:
    explicit OXScnVLTitle(IXMenuHost& host) : menuHost(host) {}

    void buildScene() override;
    void keyEvent(int key, bool down) override;
    OXSprite* getStartPrompt() const { return startPrompt; }

  private:
    IXMenuHost& menuHost;
    OXSprite* logo = nullptr;         // owned through objects
    OXSprite* startPrompt = nullptr;  // owned through objects; the selectable
};
