#pragma once

#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnPlaceholderMenu.h"
#include "frontend/OXScnVLHanger.h"
#include "frontend/OXScnVLHighScore.h"
#include "frontend/OXScnVLOption.h"
#include "frontend/OXScnVLOptionCtrl.h"
#include "frontend/OXScnVLResults.h"
#include "frontend/OXScnVLTitle.h"

// The front-end screens. Those not built yet are placeholder panels; each
// moves into a file of its own when it is built.

// Main menu: back slides back to the title.
class OXScnVLMain : public OXScnPlaceholderMenu {
  public:
    explicit OXScnVLMain(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, kMainScene) {}
    void backPressed() override;
};

#define ORVALE_PLACEHOLDER_MENU(ClassName, Index)                                           \
    class ClassName : public OXScnPlaceholderMenu {                                         \
      public:                                                                               \
        explicit ClassName(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, Index) {} \
    };

ORVALE_PLACEHOLDER_MENU(OXScnVLBonus, kBonusScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLModeSelect, kModeSelectScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLFreePlay, kStageSelectScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLDifficulty, kDifficultyScene)
ORVALE_PLACEHOLDER_MENU(OXScnTutorialPC, kTutorialScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLCredits, kCreditsScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLFighterSelect, kFighterSelectScene)

#undef ORVALE_PLACEHOLDER_MENU
