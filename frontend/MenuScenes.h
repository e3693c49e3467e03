#pragma once

#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnPlaceholderMenu.h"

// The front-end screens. Each is a placeholder panel until its screen is
// built; each then moves into a file of its own.

// Title: accept slides on to the main menu.
class OXScnVLTitle : public OXScnPlaceholderMenu {
public:
    explicit OXScnVLTitle(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, kTitleScene) {}
    void keyEvent(int key, bool down) override;
};

// Main menu: back slides back to the title.
class OXScnVLMain : public OXScnPlaceholderMenu {
public:
    explicit OXScnVLMain(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, kMainScene) {}
    void backPressed() override;
};

#define ORVALE_PLACEHOLDER_MENU(ClassName, Index)                                \
    class ClassName : public OXScnPlaceholderMenu {                              \
    public:                                                                      \
        explicit ClassName(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, Index) {} \
    };

ORVALE_PLACEHOLDER_MENU(OXScnVLBonus, kBonusScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLModeSelect, kModeSelectScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLFreePlay, kStageSelectScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLDifficulty, kDifficultyScene)
ORVALE_PLACEHOLDER_MENU(OXScnTutorialPC, kTutorialScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLHanger, kHangarScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLHighScore, kHighScoreScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLOption, kOptionScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLOptionCtrl, kOptionControlScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLCredits, kCreditsScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLResults, kResultsScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLFighterSelect, kFighterSelectScene)

#undef ORVALE_PLACEHOLDER_MENU
