#include "frontend/MenuScenes.h"

#include "frontend/IXMenuHost.h"
#include "frontend/OXScnDefaultBg.h"

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
        case kPracticeScene:
            return new OXScnVLPractice(host);
        case kInputTestScene:
            return new OXScnVLInputTest(host);
        default:
            return new OXScnDefaultBg();
    }
}
