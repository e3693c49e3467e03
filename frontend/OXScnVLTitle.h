#pragma once

#include <string>

#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;

// The title screen: the game's logo, the studio line, the version and the start prompt,
// "PRESS " + the first binding's key + " TO START", rebuilt whenever the
// title is shown. The prompt slides on to the main menu and starts the menu
// music.
class OXScnVLTitle : public OXScnVLMenu {
  public:
    explicit OXScnVLTitle(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void keyNamesChanged() override;
    void buttonPressed(int id) override;
    OXButton* getStartPrompt() const { return startPrompt; }
    // The prompt's text for the profile's current first binding.
    std::string promptText() const;

  private:
    OXSprite* logo = nullptr;         // owned through objects
    OXButton* startPrompt = nullptr;  // owned through objects; the selectable
};
