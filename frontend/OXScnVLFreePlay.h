#pragma once

#include "frontend/OXScnVLMenu.h"

class OXButton;

// Free play's stage select: one button per stage (0 to 4) and BACK (5).
// Stages the campaign's level list does not hold yet are shown greyed and
// cannot be chosen.
class OXScnVLFreePlay : public OXScnVLMenu {
  public:
    static constexpr int kStageCount = 5;
    enum ButtonId { Back = 5 };

    explicit OXScnVLFreePlay(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    // How many stages can be chosen: those in the arcade level list, at most five.
    int getPlayableStages() const { return playableStages; }
    OXButton* getStageButton(int stage) const { return stageButtons[stage]; }

  private:
    OXButton* stageButtons[kStageCount] = {};  // owned through objects
    int playableStages = 0;
};
