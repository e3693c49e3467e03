#pragma once

#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnPlaceholderMenu.h"
#include "frontend/OXScnTutorialPC.h"
#include "frontend/OXScnVLBonus.h"
#include "frontend/OXScnVLCredits.h"
#include "frontend/OXScnVLDifficulty.h"
#include "frontend/OXScnVLFighterSelect.h"
#include "frontend/OXScnVLFreePlay.h"
#include "frontend/OXScnVLMain.h"
#include "frontend/OXScnVLModeSelect.h"
#include "frontend/OXScnVLTitle.h"

// The front-end screens. Those not built yet are placeholder panels; each
// moves into a file of its own when it is built.

#define ORVALE_PLACEHOLDER_MENU(ClassName, Index)                                           \
    class ClassName : public OXScnPlaceholderMenu {                                         \
      public:                                                                               \
        explicit ClassName(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, Index) {} \
    };

// Until the hangar is built its placeholder launches the game on accept, so
// every route still reaches a stage.
class OXScnVLHanger : public OXScnPlaceholderMenu {
  public:
    explicit OXScnVLHanger(IXMenuHost& menuHost) : OXScnPlaceholderMenu(menuHost, kHangarScene) {}
    void keyEvent(int key, bool down) override;
};

ORVALE_PLACEHOLDER_MENU(OXScnVLHighScore, kHighScoreScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLOption, kOptionScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLOptionCtrl, kOptionControlScene)
ORVALE_PLACEHOLDER_MENU(OXScnVLResults, kResultsScene)

#undef ORVALE_PLACEHOLDER_MENU
