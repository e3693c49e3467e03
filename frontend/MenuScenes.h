#pragma once

// The seventeen front-end scenes, one file pair each; the index of each in the
// application's scene list is in MenuSceneIndex.h.
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnTutorialPC.h"
#include "frontend/OXScnVLBonus.h"
#include "frontend/OXScnVLCredits.h"
#include "frontend/OXScnVLDifficulty.h"
#include "frontend/OXScnVLFighterSelect.h"
#include "frontend/OXScnVLFreePlay.h"
#include "frontend/OXScnVLHanger.h"
#include "frontend/OXScnVLHighScore.h"
#include "frontend/OXScnVLInputTest.h"
#include "frontend/OXScnVLMain.h"
#include "frontend/OXScnVLModeSelect.h"
#include "frontend/OXScnVLOption.h"
#include "frontend/OXScnVLOptionCtrl.h"
#include "frontend/OXScnVLPractice.h"
#include "frontend/OXScnVLReplays.h"
#include "frontend/OXScnVLResults.h"
#include "frontend/OXScnVLTitle.h"

class IXMenuHost;
class OXScene;

// A new front-end scene for `index` (the menu background for any index past the screens),
// reporting to `host`. The caller owns it and calls its init().
OXScene* makeMenuScene(int index, IXMenuHost& host);
