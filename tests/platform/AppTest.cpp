// The application: the front-end scene list, switching between scenes, key routing and drawing
// order, and the way from each game end back through the results to the next game, on the
// recording GL device.

#include <gtest/gtest.h>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXScene.h"
#include "engine/OXScnDefaultLoadBlocker.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnVLTitle.h"
#include "platform/CXApp.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OXScnBaseHUD.h"

namespace {

constexpr int kVirtualZ = 'Z';
constexpr int kVirtualC = 'C';
constexpr int kVirtualDown = 0x28;

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        app.setResolution(1, false);
        // A stage starts only with its stage, wave and ship files: the build's package holds them.
        testing::internal::CaptureStdout();
        mountAssetPackage(ORVALE_PACKAGE);
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override {
        CXGameSession::instance().tearDown();
        unmountAssetPackage();
        setGLDevice(nullptr);
    }

    void runFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            app.dispatchKeyEdges(keys, previousKeys);
            app.update(16.7f);
        }
    }

    void press(int virtualKey) {
        keys[virtualKey] = 1;
        runFrames(1);
        keys[virtualKey] = 0;
        runFrames(1);
    }

    // The title in an 800 x 600 window, upright: the 450 x 600 game image from x 175.
    void titleInAn800By600Window() {
        CXGfxManager& gfx = CXGfxManager::instance();
        gfx.setScreenSize(800, 600);
        gfx.setBufferScale(0.5f);
        gfx.setResolutionBoost(false, false);
        app.createMenuScenes(kTitleScene, false, false);
        app.setScreenOrientation(0);
    }

    RecordingGLDevice device;
    CXApp app;
    uint8_t keys[256] = {};
    uint8_t previousKeys[256] = {};
};

TEST_F(AppTest, StartingOnTheResultsShowsOnlyItAndTheBackground) {
    app.createMenuScenes(kResultsScene, false, false);
    ASSERT_EQ(app.getScenes().size(), static_cast<size_t>(kMenuSceneCount));
    EXPECT_EQ(app.getCurrentScene(), kResultsScene);
    EXPECT_EQ(app.getMode(), CXApp::FrontEnd);
    for (int index = 0; index < kMenuSceneCount; ++index) {
        const bool shown = index == kResultsScene || index == kMenuBackgroundScene;
        EXPECT_EQ(app.getScenes()[index]->isVisible(), shown) << "scene " << index;
        EXPECT_EQ(app.getScenes()[index]->isActive(), shown) << "scene " << index;
    }
}

TEST_F(AppTest, WideAspectShowsTheMiddleOfTheScene) {
    app.createMenuScenes(kTitleScene, false, false);
    app.setAspectRatio(1);
    const OXScene& title = *app.getScenes()[kTitleScene];
    EXPECT_EQ(title.getViewWidth(), 576);
    EXPECT_EQ(title.getViewHeight(), 1024);
    EXPECT_EQ(app.gameAreaWidth(), 337);  // 600 x 0.5625, truncated
    // The camera's left edge: scene x 96, so x 96 to 672 is shown.
    EXPECT_EQ(title.getEye().x - title.getViewWidth() / 2, 96);
}

TEST_F(AppTest, TurnedScreenUsesTheRenderHeight) {
    app.createMenuScenes(kTitleScene, false, false);
    app.setScreenOrientation(1);
    EXPECT_EQ(app.gameAreaHeight(), 800);
    EXPECT_EQ(app.gameAreaWidth(), 600);
    app.setScreenOrientation(2);
    EXPECT_EQ(app.gameAreaHeight(), 600);
}

TEST_F(AppTest, SwitchingBackEntersFromTheLeftAndForwardFromTheRight) {
    app.createMenuScenes(kModeSelectScene, false, false);
    OXScene& main = *app.getScenes()[kMainScene];
    OXScene& modes = *app.getScenes()[kModeSelectScene];
    app.switchToScene(kMainScene);
    EXPECT_EQ(app.getPendingScene(), kMainScene);
    EXPECT_EQ(main.getX(), -main.getViewWidth());
    runFrames(1);
    EXPECT_GT(modes.getX(), 0) << "the old scene leaves to the right";
    runFrames(15);
    EXPECT_EQ(app.getCurrentScene(), kMainScene);
    EXPECT_EQ(app.getPendingScene(), -1);
    EXPECT_EQ(main.getX(), 0);
    EXPECT_FALSE(modes.isVisible());

    app.switchToScene(kModeSelectScene);
    EXPECT_EQ(modes.getX(), modes.getViewWidth());
    runFrames(1);
    EXPECT_LT(main.getX(), 0) << "the old scene leaves to the left";
    runFrames(15);
    // A switch to the current scene or to one that does not exist does nothing.
    for (const int index : {static_cast<int>(kModeSelectScene), static_cast<int>(kMenuSceneCount), -1}) {
        app.switchToScene(index);
        EXPECT_EQ(app.getPendingScene(), -1) << index;
    }
}

TEST_F(AppTest, EveryGameEndComesBackThroughTheResultsToATitleThatStartsTheNextGame) {
    app.createMenuScenes(kTitleScene, false, false);
    CXGameSession& session = CXGameSession::instance();
    // Accept, then the frames of the slide to the next screen.
    auto choose = [&](int downs) {
        for (int i = 0; i < downs; ++i) {
            press(kVirtualDown);
        }
        press(kVirtualZ);
        runFrames(20);
    };
    // Title, ARCADE, NORMAL play, NORMAL difficulty; a first game closes the notes and picks
    // a fighter, later ones launch from the hangar. This package has no menu art: every
    // screen works on its fallbacks.
    auto startFromTheTitle = [&] {
        choose(0);
        ASSERT_EQ(app.getCurrentScene(), kMainScene);
        choose(0);
        ASSERT_EQ(app.getCurrentScene(), kModeSelectScene);
        choose(1);
        ASSERT_EQ(app.getCurrentScene(), kDifficultyScene);
        if (app.profile().timesPlayed == 0 && app.profile().timesPlayedCasual == 0) {
            choose(0);  // the tutorial note's OK
            choose(1);
            ASSERT_EQ(app.getCurrentScene(), kFighterSelectScene);
            choose(0);  // the note's OK
            press(kVirtualZ);
        } else {
            choose(1);
            ASSERT_EQ(app.getCurrentScene(), kHangarScene);
            press(kVirtualZ);
        }
        EXPECT_EQ(app.getMode(), CXApp::StageLoading);
        ASSERT_NE(app.getLoadBlocker(), nullptr);
        EXPECT_TRUE(app.getLoadBlocker()->isVisible());
        for (int frame = 0; frame < 200 && app.getMode() != CXApp::InStage; ++frame) {
            runFrames(1);
        }
        ASSERT_EQ(app.getMode(), CXApp::InStage);
        EXPECT_TRUE(app.getScenes().empty()) << "the menus are deleted while a stage runs";
        runFrames(1);
        EXPECT_EQ(session.getState(), CXGameSession::State::Playing);
        EXPECT_NE(session.getGameScene(), nullptr);
    };
    auto waitForTheTitle = [&] {
        for (int frame = 0;
             frame < 900 && (app.getMode() != CXApp::FrontEnd || app.getLoadBlocker()->isVisible());
             ++frame) {
            runFrames(1);
        }
        EXPECT_EQ(app.getMode(), CXApp::FrontEnd);
        EXPECT_FALSE(app.getLoadBlocker()->isVisible()) << "the load blocker must not stay over the menus";
        EXPECT_EQ(session.getGameScene(), nullptr);
        EXPECT_EQ(session.getState(), CXGameSession::State::Idle);
        // The results first: accept ends their count (or is NEXT once it has ended), NEXT
        // leads to the main menu, back to the title.
        ASSERT_EQ(app.getCurrentScene(), kResultsScene);
        choose(0);
        if (app.getCurrentScene() == kResultsScene) {
            choose(0);
        }
        ASSERT_EQ(app.getCurrentScene(), kMainScene);
        press(kVirtualC);
        runFrames(20);
        ASSERT_EQ(app.getCurrentScene(), kTitleScene);
    };

    // Pause, END GAME, YES.
    startFromTheTitle();
    session.pause();
    session.confirmEndGame();
    session.endGame();
    waitForTheTitle();

    // The last ship lost without a continue: the game-over overlay ends the game.
    startFromTheTitle();
    EXPECT_EQ(session.run().mode, GameMode::Arcade);
    EXPECT_EQ(session.run().difficulty, Difficulty::Normal);
    session.run().continues = 0;
    session.showGameOver();
    waitForTheTitle();

    // The continue declined, then confirmed; and a last game starts.
    startFromTheTitle();
    session.showContinue();
    session.confirmEndGame();
    session.endGame();
    waitForTheTitle();
    startFromTheTitle();
}

TEST_F(AppTest, KeysDuringASlideReachTheSessionButNoMenu) {
    app.createMenuScenes(kTitleScene, false, false);
    app.switchToScene(kMainScene);
    ASSERT_EQ(app.getPendingScene(), kMainScene);
    const int before = CXGameSession::instance().getKeyEventCount();
    press(kVirtualC);  // back, while sliding
    EXPECT_EQ(CXGameSession::instance().getKeyEventCount(), before + 2);
    runFrames(16);
    EXPECT_EQ(app.getCurrentScene(), kMainScene) << "back pressed mid-slide must not reach the menu";
}

// Writes the index of the scene it stands in when it is drawn.
class DrawSpy : public IXRenderObject {
  public:
    DrawSpy(std::vector<int>& drawLog, int sceneIndex) : log(drawLog), index(sceneIndex) { load(""); }
    void draw() override { log.push_back(index); }

  private:
    std::vector<int>& log;
    int index;
};

TEST_F(AppTest, BackgroundIsDrawnFirstAndTheTitleLast) {
    app.createMenuScenes(kTitleScene, false, false);
    std::vector<int> drawn;
    for (int index = 0; index < kMenuSceneCount; ++index) {
        app.getScenes()[index]->addObject(new DrawSpy(drawn, index));
    }
    app.switchToScene(kMainScene);  // title and main both on screen
    app.render();
    EXPECT_EQ(drawn, (std::vector<int>{kMenuBackgroundScene, kMainScene, kTitleScene}));
    // A screen past the background's index is drawn over it as well.
    drawn.clear();
    app.getScenes()[kInputTestScene]->setActive(true);
    app.render();
    EXPECT_EQ(drawn.front(), kMenuBackgroundScene);
    EXPECT_EQ(drawn.back(), kTitleScene);
}

// Menus take accept and back from the bindings; one outside the key table is its first key.
TEST_F(AppTest, ABindingOutsideTheKeyTableStartsOnTheTablesFirstKey) {
    app.profile().controls[0] = 77;
    app.profile().controls[2] = 7;  // A
    app.createMenuScenes(kTitleScene, false, false);
    EXPECT_EQ(app.getScenes()[kOptionScene]->backKey, 7);
    auto& title = static_cast<OXScnVLTitle&>(*app.getScenes()[kTitleScene]);
    EXPECT_EQ(title.promptText(), "PRESS V TO START");
    EXPECT_EQ(title.acceptKey, 0);
    press('V');
    runFrames(20);
    EXPECT_EQ(app.getCurrentScene(), kMainScene);
}

// In play the HUD's pointer buttons, and the pointer, are there for the mouse and gone for the
// keys; a tap where a hidden button lies brings them back and presses it; the pause screen
// shows the pointer whatever was used.
TEST_F(AppTest, InPlayTheHudButtonsAndThePointerFollowTheLastDeviceUsed) {
    titleInAn800By600Window();
    app.requestStageStart();
    for (int frame = 0; frame < 200 && app.getMode() != CXApp::InStage; ++frame) {
        runFrames(1);
    }
    ASSERT_EQ(app.getMode(), CXApp::InStage);
    runFrames(1);
    CXGameSession& session = CXGameSession::instance();
    ASSERT_EQ(session.getState(), CXGameSession::State::Playing);
    const auto& hud = *session.overlays().hud;
    const OXButton& pause = *hud.getButton(OXScnBaseHUD::PauseButton);
    EXPECT_FALSE(pause.isVisible());
    EXPECT_FALSE(app.isPointerShown());

    app.deliverPointer(CXApp::PointerMoved, 400, 300);
    EXPECT_TRUE(pause.isVisible());
    EXPECT_TRUE(app.isPointerShown());
    press(kVirtualZ);
    EXPECT_FALSE(pause.isVisible());
    EXPECT_FALSE(app.isPointerShown());

    // The pause button, at field (303, 378), lies at window (601, 128).
    const float x = 175.0f + pause.getX() * 450.0f / 320.0f;
    const float y = 600.0f - pause.getY() * 600.0f / 480.0f;
    app.deliverPointer(CXApp::PointerPressed, x, y);
    app.deliverPointer(CXApp::PointerReleased, x, y);
    runFrames(2);
    EXPECT_EQ(session.getState(), CXGameSession::State::InOverlay);
    press(kVirtualDown);
    EXPECT_TRUE(app.isPointerShown());
}

TEST_F(AppTest, AClickOnTheComposedImageReachesTheButtonDrawnThere) {
    titleInAn800By600Window();
    // The title's prompt stands at scene (384, 300): window (400, 424).
    app.deliverPointer(CXApp::PointerPressed, 100, 424);  // beside the image: nothing
    app.deliverPointer(CXApp::PointerReleased, 100, 424);
    EXPECT_EQ(app.getPendingScene(), -1);
    app.deliverPointer(CXApp::PointerMoved, 400, 424);
    app.deliverPointer(CXApp::PointerPressed, 400, 424);
    app.deliverPointer(CXApp::PointerReleased, 400, 424);
    EXPECT_EQ(app.getPendingScene(), kMainScene);
    // While the screens slide the pointer reaches none of them.
    app.deliverPointer(CXApp::PointerPressed, 400, 120);
    app.deliverPointer(CXApp::PointerReleased, 400, 120);
    runFrames(20);
    EXPECT_EQ(app.getCurrentScene(), kMainScene);
}

}  // namespace
