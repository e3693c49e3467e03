#include "frontend/MenuScenes.h"

#include "frontend/IXMenuHost.h"
#include "frontend/OXScnDefaultBg.h"

namespace {
class OXScnVLPlaceholder : public OXScnVLMenu {
  public:
    explicit OXScnVLPlaceholder(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override { addHeading("SOON"); }
    void buttonPressed(int) override {}
    void backPressed() override { host.switchToScene(kMainScene); }
};
}  // namespace

OXScene* makeMenuScene(int index, IXMenuHost& host) {
    switch (index) {
        case kTitleScene:
            return new OXScnVLTitle(host);
        case kMainScene:
            return new OXScnVLMain(host);
        case kBonusScene:
            return new OXScnVLBonus(host);
        case kModeSelectScene:
            return new OXScnVLModeSelect(host);
        case kStageSelectScene:
            return new OXScnVLFreePlay(host);
        case kDifficultyScene:
            return new OXScnVLDifficulty(host);
        case kTutorialScene:
            return new OXScnTutorialPC(host);
        case kHangarScene:
            return new OXScnVLHanger(host);
        case kHighScoreScene:
            return new OXScnVLHighScore(host);
        case kOptionScene:
            return new OXScnVLOption(host);
        case kOptionControlScene:
            return new OXScnVLOptionCtrl(host);
        case kCreditsScene:
            return new OXScnVLCredits(host);
        case kResultsScene:
            return new OXScnVLResults(host);
        case kFighterSelectScene:
            return new OXScnVLFighterSelect(host);
        case kReplayScene:
            return new OXScnVLReplays(host);
        // The practice screen: a bare menu until it is built.
        case kPracticeScene:
            return new OXScnVLPlaceholder(host);
        default:
            return new OXScnDefaultBg();
    }
}
