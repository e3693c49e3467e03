#pragma once

#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXTextBox;

// Free play's stage select: one button per stage (0 to 4), TRUE FIFTH (6) once the profile has
// reached the hidden last stage, and BACK (5). Stages the campaign's level list does not hold
// yet are shown greyed and cannot be chosen; a line under the list says why.
class OXScnVLFreePlay : public OXScnVLMenu {
  public:
    static constexpr int kStageCount = 5;
    enum ButtonId { Back = 5, HiddenStage = 6 };

    explicit OXScnVLFreePlay(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    // An accept on a stage not yet open is refused, audibly.
    void keyEvent(int key, bool down) override;
    // How many stages can be chosen: those in the arcade level list, at most five.
    int getPlayableStages() const { return playableStages; }
    OXButton* getStageButton(int stage) const { return stageButtons[stage]; }
    // The hidden last stage's button; null until the profile has reached it.
    OXButton* getHiddenStageButton() const { return hiddenStageButton; }
    // The two lines under the list that say why stages are locked; null when none is.
    const OXTextBox* getLockedHint(int line) const { return lockedHint[line]; }

  private:
    OXButton* stageButtons[kStageCount] = {};  // owned through objects
    OXButton* hiddenStageButton = nullptr;     // owned through objects
    int playableStages = 0;
    OXTextBox* lockedHint[2] = {};  // owned through objects
};
