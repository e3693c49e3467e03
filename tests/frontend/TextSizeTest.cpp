// Every text the game draws stands readable in the smallest window the game offers: at
// 640 x 480, the default screen scale and the upright screen, each capital is at least 8
// window pixels tall. The menus, the stage's overlays and the ship's own labels are built as
// the application builds them, and each text a scene holds is measured through the scene's
// camera and the composite onto the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "MenuTestHost.h"
#include "engine/CXGfxManager.h"
#include "engine/OXScene.h"
#include "engine/OXTextBox.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/MenuScenes.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/SceneTexts.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr float kLeastCapitalPixels = 8.0f;
// The 640 x 480 window's portrait game area, upright at 4:3.
constexpr int kWindowWidth = 640, kWindowHeight = 480;
constexpr int kAreaWidth = 360, kAreaHeight = 480;

// The graphics manager composites as it does in a 640 x 480 window at the default screen scale.
void composeFor640x480() {
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setScreenSize(kWindowWidth, kWindowHeight);
    gfx.setGameArea(kAreaWidth, kAreaHeight);
    gfx.setResolutionBoost(false, false);
    gfx.setScreenOrientation(ScreenUpright);
    gfx.setBufferScale(CXUserProfile{}.bufferScale);
}

// One line per text of `scene` whose capitals stand lower than the bar.
std::string smallTexts(const char* screen, OXScene& scene) {
    std::string found;
    for (const OXTextBox* box : scenetexts::textsOf(scene)) {
        if (!box->hasFont() || box->getText().empty()) {
            continue;  // draws nothing
        }
        const float pixels = scenetexts::capitalPixels(scene, *box);
        if (pixels < kLeastCapitalPixels) {
            char line[160];
            std::snprintf(line, sizeof line, "%s: \"%s\" has capitals %.1f pixels tall (size %d)\n", screen,
                          box->getText().c_str(), static_cast<double>(pixels), box->getCharSize());
            found += line;
        }
    }
    return found;
}

const char* const kScreenNames[kMenuSceneCount] = {
    "title",    "main menu", "bonus",   "mode select", "free play",  "difficulty",
    "tutorial", "hangar",    "scores",  "options",     "controls",   "credits",
    "results",  "fighters",  "replays", "practice",    "background", "input test"};

TEST(TextSize, EveryMenuScreenIsReadableAt640x480) {
    ASSERT_TRUE(gametest::packageMounted());
    composeFor640x480();
    testfiles::TempDir folder;
    MenuTestHost host;
    host.userProfile.setPath(folder.file("profile/save.osf"));
    earnExperience(host.userProfile, 3, 500, 800);  // the results screen has a game to count up
    std::string found;
    for (int index = 0; index < kMenuSceneCount; ++index) {
        std::unique_ptr<OXScene> screen(makeMenuScene(index, host));
        screen->init();
        // The view the application gives every screen; the credits roll in perspective.
        screen->setViewport({0, 0, 0}, {kAreaWidth, kAreaHeight, 0});
        screen->setViewHeight(1024);
        screen->setViewWidth(768);
        screen->setEye(384, 512, 100);
        screen->setCentre(384, 512, -100);
        if (index == kCreditsScene) {
            screen->setEye(768, 1024, -1000);
            screen->setCentre(768, 1024.1f, 1000);
            screen->setOrthographicMode(false);
        }
        screen->setHighlightSprite("assets/plist/spr_select_highlight");
        screen->setVisible(true);
        screen->setActive(true);
        screen->enterStarted();
        screen->enterFinished();
        for (int frame = 0; frame < 30; ++frame) {
            screen->tick(16.7f);
        }
        EXPECT_FALSE(scenetexts::textsOf(*screen).empty() && index != kMenuBackgroundScene)
            << kScreenNames[index] << " shows no text";
        found += smallTexts(kScreenNames[index], *screen);
    }
    EXPECT_EQ(found, "");
}

class StageTextSize : public gametest::SessionTest {};

TEST_F(StageTextSize, TheOverlaysAndTheShipsLabelsAreReadableAt640x480) {
    composeFor640x480();
    session.setScreenSize(kAreaWidth, kAreaHeight);
    startPlaying();
    for (int frame = 0; frame < 60; ++frame) {
        session.tick(16.7f);
    }
    static const char* const kOverlayNames[] = {"HUD",     "continue", "game over", "splash",
                                                "summary", "pause",    "end game"};
    std::string found;
    for (int index = 0; index <= static_cast<int>(CXGameSession::Overlay::Confirm); ++index) {
        OXScene* overlay = session.overlayScene(static_cast<CXGameSession::Overlay>(index));
        ASSERT_NE(overlay, nullptr);
        found += smallTexts(kOverlayNames[index], *overlay);
    }
    OXScnBaseSTGGame* field = session.getGameScene();
    const OXSTGBasePlayer* ship = session.getShip();
    ASSERT_NE(field, nullptr);
    ASSERT_NE(ship, nullptr);
    for (const OXTextBox* label :
         {ship->getLeftGaugeLabel(), ship->getRightGaugeLabel(), ship->getChainLabel()}) {
        ASSERT_NE(label, nullptr);
        const float pixels = scenetexts::capitalPixels(*field, *label);
        EXPECT_GE(pixels, kLeastCapitalPixels) << "the ship's label \"" << label->getText() << "\"";
    }
    EXPECT_EQ(found, "");
}

}  // namespace
