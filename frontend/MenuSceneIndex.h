#pragma once

// The front-end scenes by their index in the application's scene list; the
// index is each scene's identity.
enum MenuSceneIndex {
    kTitleScene = 0,
    kMainScene = 1,
    kBonusScene = 2,
    kModeSelectScene = 3,
    kStageSelectScene = 4,
    kDifficultyScene = 5,
    kTutorialScene = 6,
    kHangarScene = 7,
    kHighScoreScene = 8,
    kOptionScene = 9,
    kOptionControlScene = 10,
    kCreditsScene = 11,
    kResultsScene = 12,
    kFighterSelectScene = 13,
    kReplayScene = 14,    // the replay theatre: the kept and automatic replays
    kPracticeScene = 15,  // stage and attack practice
    // The background is drawn first, under every screen; the screens are drawn from the last
    // index to the first.
    kMenuBackgroundScene = 16,
    kInputTestScene = 17,  // the input self-test a player films
    kMenuSceneCount = 18
};
