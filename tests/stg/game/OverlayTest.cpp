// The overlays of a stage, driven through the session with the player's
// keys as the game delivers them: the HUD's numbers and gauges, the trance
// cut-in, pause with its countdown and the end-game question, the continue
// prompt, the stage summary, the game-over fade and the stage splash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OXScnBaseContinue.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/game/overlays/OXScnBasePause.h"
#include "stg/game/overlays/OXScnBaseSplash.h"
#include "stg/game/overlays/OXScnBaseSummary.h"
#include "stg/game/overlays/OXScnEndGameConfirm.h"
#include "stg/game/overlays/OXScnGameOver.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/TestFiles.h"

namespace {

// The profile's default bindings.
constexpr int kFire = 2;
constexpr int kBeam = 3;
constexpr int kTrance = 1;
constexpr int kPause = 26;
constexpr int kUp = 30;
constexpr int kDown = 31;
constexpr float kFrameMs = 16.7f;

class OverlayTest : public gametest::SessionTest {
  protected:
    void SetUp() override {
        SessionTest::SetUp();
        startPlaying();
    }

    void press(int key) {
        session.keyEvent(key, true);
        session.keyEvent(key, false);
    }
    void run(float ms) {
        for (float done = 0.0f; done < ms; done += kFrameMs) {
            session.tick(kFrameMs);
        }
    }
    // Plays until the ship has come out of the mothership and is the player's, at most 20 s.
    OXSTGBasePlayer& shipInPlay() {
        for (int frame = 0; frame < 1200 && !session.getShip()->isControllable(); ++frame) {
            session.tick(kFrameMs);
        }
        EXPECT_TRUE(session.getShip()->isControllable());
        return *session.getShip();
    }

    OXScnBaseHUD& hud() { return *session.overlays().hud; }
    OXScnBasePause& pauseScreen() { return *session.overlays().pause; }
    OXScnBaseSummary& summary() { return *session.overlays().summary; }
    OXScnGameOver& gameOver() { return *session.overlays().gameOver; }
    bool shown(CXGameSession::Overlay overlay) { return session.overlayScene(overlay)->isVisible(); }
    // A mouse click on a button, as the game delivers it: press and release over its middle.
    void click(const OXButton& button) {
        const float nx = button.getX() / 320.0f;
        const float ny = button.getY() / 480.0f;
        session.pointerEvent(CXGameSession::Pointer::Moved, nx, ny);
        session.pointerEvent(CXGameSession::Pointer::Pressed, nx, ny);
        session.pointerEvent(CXGameSession::Pointer::Released, nx, ny);
    }
};

// ---- HUD ----

TEST_F(OverlayTest, TheScoreKeepsItsDigitGroupsAndItsPlaceAndALowerScoreLeavesTheHighScore) {
    const struct {
        int64_t score;
        const char* shown;
    } cases[] = {{999, "0,000,000,999"},
                 {1000, "0,000,001,000"},
                 {123456789012345, "123,456,789,012,345"},
                 {0, "0,000,000,000"}};
    const OXTextBox& score = *hud().getScoreText();
    const OXTextBox& high = *hud().getHighScoreText();
    for (const auto& each : cases) {
        session.run().setScore(each.score);
        run(kFrameMs);
        EXPECT_EQ(score.getText(), each.shown);
        // Both within the field, the high score on the top row after its caption.
        const float scoreRight = score.getX() + score.getText().size() * score.getCharSize() * 0.5f;
        const float highLeft = high.getX() - high.getText().size() * high.getCharSize() * 0.5f;
        EXPECT_LE(scoreRight, 320.0f) << each.shown;
        EXPECT_GE(highLeft, 150.0f) << each.shown;
    }
    // The last, lower score (as after a continue) left the best where it was.
    EXPECT_EQ(high.getText(), "123,456,789,012,345");
}

TEST_F(OverlayTest, TheHudShowsShipsBombsAndItsGaugesFromTheShip) {
    OXSTGBasePlayer& ship = shipInPlay();
    session.run().lives = 3;
    session.run().bombs = 1;
    ship.setBeamGauge(0.19f);
    ship.setBreakGauge(450.0f);
    run(kFrameMs);
    EXPECT_TRUE(hud().getLifeCounter()->isVisible());
    EXPECT_EQ(hud().getLifeCounter()->currentFrame(), 2);  // one frame per count, from one ship
    EXPECT_EQ(hud().getBreakText()->getText(), "45%");

    // The beam bar turns from red to white exactly at 0.2.
    const OXSprite& beam = *hud().getBeamBar();
    EXPECT_FLOAT_EQ(beam.getColour().g, 0.0f);
    ship.setBeamGauge(0.2f);
    run(kFrameMs);
    EXPECT_FLOAT_EQ(beam.getColour().g, 1.0f);

    // With no lives left the counter is hidden rather than showing frame -1.
    session.run().lives = 0;
    run(kFrameMs);
    EXPECT_FALSE(hud().getLifeCounter()->isVisible());
}

TEST_F(OverlayTest, TheHudAllocatesNothingWhileNumbersChange) {
    OXSTGBasePlayer& ship = shipInPlay();
    testfiles::CountingGLDevice counting;
    setGLDevice(&counting);
    run(kFrameMs);
    session.draw();
    const long before = testfiles::allocationCount();
    for (int frame = 0; frame < 60; ++frame) {
        session.run().setScore(frame * 1000 + 7);
        ship.setBreakGauge(static_cast<float>(frame) * 10.0f);
        hud().tick(kFrameMs);
        hud().draw();
    }
    EXPECT_EQ(testfiles::allocationCount(), before);
    setGLDevice(nullptr);
}

TEST_F(OverlayTest, TheShieldBarRisesToTheBombsLeftAndTheWarningBeepsFadeOut) {
    session.run().bombs = 1;  // of 2: the bar stops at half, reached gradually
    run(kFrameMs);
    EXPECT_LT(hud().getShieldShown(), 0.5f);
    run(1000.0f);
    EXPECT_FLOAT_EQ(hud().getShieldShown(), 0.5f);

    hud().startWarning();
    float lastVolume = 2.0f;
    int beeps = 0;
    for (int frame = 0; frame < 400 && hud().getWarningBeepsLeft() > 0; ++frame) {
        const int before = hud().getWarningBeepsLeft();
        hud().tick(kFrameMs);
        if (hud().getWarningBeepsLeft() < before) {
            EXPECT_LT(hud().getLastBeepVolume(), lastVolume) << "beep " << beeps;
            lastVolume = hud().getLastBeepVolume();
            ++beeps;
        }
    }
    EXPECT_GT(beeps, 1);
    // Without a shield the warning goes once its beeps are spent.
    run(500.0f);
    EXPECT_FALSE(hud().getWarning()->isVisible());
}

// The ship flown to the far right dims the right-hand buttons, and only those; flown to the top,
// the boss gauge; back down, the gauge is whole again.
TEST_F(OverlayTest, ElementsUnderTheShipDimWhileItFliesUnderThem) {
    OXSTGBasePlayer& ship = shipInPlay();
    run(1000.0f);  // the ship takes control
    const float rightAlpha = hud().getRightAlpha();
    EXPECT_FLOAT_EQ(hud().getBossRowAlpha(), 1.0f);
    session.keyEvent(29, true);
    run(3000.0f);
    session.keyEvent(29, false);
    ASSERT_GE(ship.getX(), 290.0f);
    run(300.0f);
    EXPECT_LT(hud().getRightAlpha(), rightAlpha);
    EXPECT_FLOAT_EQ(hud().getBottomAlpha(), 1.0f);
    session.keyEvent(30, true);  // up, to the top of the field
    run(2500.0f);
    session.keyEvent(30, false);
    EXPECT_LT(hud().getBossRowAlpha(), 0.5f);
    session.keyEvent(31, true);  // and back down
    run(1000.0f);
    session.keyEvent(31, false);
    EXPECT_FLOAT_EQ(hud().getBossRowAlpha(), 1.0f);
}

TEST_F(OverlayTest, TheShieldWarningKeepsClearOfTheShipAndItsLabelsAtEveryHeight) {
    OXSTGBasePlayer& ship = shipInPlay();
    run(1000.0f);  // the ship takes control
    session.run().bombs = 1;
    ship.hit(-1.0f, {0, 1, 0});  // the bomb goes off and the shield follows
    run(kFrameMs);
    const OXSprite& warning = *hud().getWarning();
    ASSERT_TRUE(warning.isVisible());
    // Down to the bottom and back up, while the shield lasts.
    for (int key : {31, 30}) {
        session.keyEvent(key, true);
        for (int frame = 0; frame < 90; ++frame) {
            session.tick(kFrameMs);
            const float labels = ship.getLeftGaugeLabel()->getY();
            ASSERT_GT(std::abs(warning.getY() - labels), 16.0f) << "ship at " << ship.getY();
            ASSERT_GT(std::abs(warning.getY() - ship.getY()), 21.0f) << "ship at " << ship.getY();
        }
        session.keyEvent(key, false);
    }
    EXPECT_TRUE(warning.isVisible());
}

TEST_F(OverlayTest, TheTranceCutInStartsTheShipsTranceWhilePlayingAndEnds) {
    OXSTGBasePlayer& ship = shipInPlay();
    ship.setBreakGauge(OXSTGBasePlayer::kBreakFull);
    hud().startTranceCutIn(ship);
    EXPECT_FALSE(ship.isTranceActive());
    for (int frame = 0; frame < 60 && !ship.isTranceActive(); ++frame) {
        session.tick(kFrameMs);
    }
    EXPECT_TRUE(hud().isCutInPlaying()) << "the trance started after the cut-in";
    run(1000.0f);
    EXPECT_FALSE(hud().isCutInPlaying());
    EXPECT_TRUE(ship.isTranceActive());

    // The screen trembles through the trance; a game ending meanwhile puts it back.
    CXGfxManager::instance().setShakeOffset(0.01f);
    session.tearDown();
    EXPECT_EQ(CXGfxManager::instance().getShakeOffset(), 0.0f);
}

// The stage's boss, come home and fighting, is named in the HUD's top row, with its gauge and
// phase timer beside the name; none of the three runs into another or reaches down to the boss.
TEST_F(OverlayTest, TheBossRowNamesTheBossAndKeepsAboveIt) {
    shipInPlay();
    CXEnemyManager& enemies = *session.getGameScene()->getEnemyManager();
    enemies.setState(CXEnemyManager::Loaded);
    enemies.setMidBossDone(true);  // the stage's boss, not its mid-boss
    ASSERT_TRUE(enemies.startBoss());
    hud().showPhaseTimer(true);
    run(8000.0f);
    const OXBoss& boss = *enemies.currentBoss();
    ASSERT_TRUE(boss.isVisible());
    const OXTextBox& name = *hud().getBossName();
    const OXSprite& frame = *hud().getBossGaugeFrame();
    const OXTextBox& timer = *hud().getPhaseTimerText();
    ASSERT_TRUE(name.isVisible() && frame.isVisible() && timer.isVisible());
    EXPECT_EQ(name.getText(), "HALCYON VIGIL");
    const float frameHalf = frame.getSize().x * frame.getScale().x * 0.5f;
    EXPECT_LT(name.getX() + name.textWidth(), frame.getX() - frameHalf);
    EXPECT_LT(frame.getX() + frameHalf, timer.getX() - timer.textWidth());
    EXPECT_GT(timer.getCharSize(), name.getCharSize());  // the timer reads at a glance
    const float bossTop = boss.getY() + boss.getSize().y * boss.getScale().y * boss.getUniformScale() * 0.5f;
    const float frameBottom = frame.getY() - frame.getSize().y * frame.getScale().y * 0.5f;
    EXPECT_GT(std::min({name.getY(), frameBottom, timer.getY()}), bossTop);
}

// The attack of the phase being fought is named beneath the HUD's top rows, fading in as the
// phase starts; the entrance and the flight between phases name none.
TEST_F(OverlayTest, TheHudNamesTheAttackOfTheBossPhaseBeingFought) {
    shipInPlay();
    CXEnemyManager& enemies = *session.getGameScene()->getEnemyManager();
    enemies.setState(CXEnemyManager::Loaded);
    enemies.setMidBossDone(true);
    ASSERT_TRUE(enemies.startBoss());
    OXBoss& boss = *enemies.currentBoss();
    const OXTextBox& attack = *hud().getAttackName();
    run(500.0f);
    EXPECT_FALSE(attack.isVisible());
    for (int frame = 0; frame < 1200 && boss.getPhaseIndex() < 1; ++frame) {
        session.tick(kFrameMs);
    }
    run(100.0f);
    ASSERT_TRUE(attack.isVisible());
    EXPECT_EQ(attack.getText(), "CURLING CURTAINS");
    EXPECT_LT(attack.getAlpha(), 0.5f);  // still fading in
    run(1000.0f);
    EXPECT_GT(attack.getAlpha(), 0.8f);
    // Below the top rows' figures, within the field, no taller than the smallest text.
    EXPECT_LT(attack.getY() + attack.getCharSize() * 0.5f, hud().getChainText()->getY());
    EXPECT_GE(attack.getX() - attack.textWidth(), 0.0f);
    EXPECT_LE(attack.getX(), 320.0f);
    boss.applyDamage(-boss.getHitPoints());
    run(100.0f);
    EXPECT_FALSE(attack.isVisible());  // between phases
}

TEST_F(OverlayTest, ABossBonusIsShownAndThenGoesAway) {
    hud().showBonus(true, 1250000.0f);
    EXPECT_EQ(hud().getBonusTitle()->getText(), "BONUS SUCCESSFUL");
    EXPECT_EQ(hud().getBonusAmount()->getText(), "1250000");
    run(4100.0f);
    EXPECT_FALSE(hud().getBonusTitle()->isVisible());
    EXPECT_FALSE(hud().getBonusAmount()->isVisible());

    hud().showBonus(false, 0.0f);
    EXPECT_EQ(hud().getBonusTitle()->getText(), "BONUS FAILED");
    EXPECT_FALSE(hud().getBonusAmount()->isVisible());
}

// ---- Pause ----

// YES, and the clicks on the pause screen's and the question's buttons, are the end-to-end runs'.
TEST_F(OverlayTest, ThePauseKeyPausesAndEndGameAsksWithNoLeadingBack) {
    press(kPause);
    ASSERT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause);
    run(100.0f);
    EXPECT_FALSE(pauseScreen().isCountingDown()) << "the pause key's own release resumed";
    press(kTrance);
    EXPECT_TRUE(shown(CXGameSession::Overlay::Confirm));
    EXPECT_FALSE(shown(CXGameSession::Overlay::Pause));
    run(100.0f);

    press(kBeam);  // NO
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause);
    EXPECT_TRUE(shown(CXGameSession::Overlay::Pause));
    EXPECT_FALSE(shown(CXGameSession::Overlay::Confirm));
    EXPECT_FALSE(pauseScreen().isCountingDown());
    EXPECT_EQ(endings, 0);
}

// The overlays dim the stage with a flat fill (the white square tinted), not a black texture: each
// backdrop is drawn, black, over the whole field.
TEST_F(OverlayTest, EveryOverlaysBackdropIsABlackFillOverTheWholeField) {
    for (const auto overlay :
         {CXGameSession::Overlay::Pause, CXGameSession::Overlay::Confirm, CXGameSession::Overlay::Continue,
          CXGameSession::Overlay::Summary, CXGameSession::Overlay::GameOver}) {
        const OXScene& scene = *session.overlayScene(overlay);
        ASSERT_FALSE(scene.getObjects().empty());
        const IXRenderObject& backdrop = *scene.getObjects().front();
        EXPECT_GE(backdrop.getTextureId(), 0) << "overlay " << static_cast<int>(overlay);
        const Colour& tint = backdrop.getColour();
        EXPECT_EQ(tint.r + tint.g + tint.b, 0.0f) << "overlay " << static_cast<int>(overlay);
        EXPECT_GE(backdrop.getSize().x * backdrop.getScale().x, 320.0f)
            << "overlay " << static_cast<int>(overlay);
        EXPECT_GE(backdrop.getSize().y * backdrop.getScale().y, 480.0f)
            << "overlay " << static_cast<int>(overlay);
    }
}

TEST_F(OverlayTest, ResumeCountsDownDeafToKeysThenPlays) {
    press(kPause);
    press(kFire);
    ASSERT_TRUE(pauseScreen().isCountingDown());
    run(kFrameMs);
    EXPECT_EQ(pauseScreen().getCountdownText()->getText(), "3");
    press(kTrance);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause);
    run(1500.0f);
    EXPECT_EQ(session.getState(), CXGameSession::State::InOverlay);
    run(800.0f);
    EXPECT_EQ(session.getState(), CXGameSession::State::Playing);
    EXPECT_FALSE(shown(CXGameSession::Overlay::Pause));

    // The next pause offers the choices again.
    press(kPause);
    EXPECT_FALSE(pauseScreen().isCountingDown());
    EXPECT_TRUE(pauseScreen().getButton(OXScnBasePause::ResumeButton)->isVisible());
}

TEST_F(OverlayTest, ThePausesVisibilityButtonsApplyAtOnceAndResumeKeepsThemInTheProfile) {
    press(kPause);
    auto label = [&](int id) { return pauseScreen().getButton(id)->getLabel()->getText(); };
    click(*pauseScreen().getButton(OXScnBasePause::ContrastButton));
    EXPECT_TRUE(session.getVisibility().bulletContrast);
    EXPECT_EQ(label(OXScnBasePause::ContrastButton), "CONTRAST: ON");
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause) << "still paused";
    // By keys: down from RESUME to the last button, fire.
    for (int step = 0; step < 4; ++step)
        press(31);
    press(kFire);
    EXPECT_TRUE(session.getVisibility().hitboxMarker);
    // Dimming steps up by a fifth to 80 %, then back to none and round again.
    for (const char* expected :
         {"BG DIM: 20%", "BG DIM: 40%", "BG DIM: 60%", "BG DIM: 80%", "BG DIM: 0%", "BG DIM: 20%"}) {
        click(*pauseScreen().getButton(OXScnBasePause::DimmingButton));
        EXPECT_EQ(label(OXScnBasePause::DimmingButton), expected);
    }
    EXPECT_FLOAT_EQ(session.getVisibility().backgroundDimming, 0.2f);

    click(*pauseScreen().getButton(OXScnBasePause::ResumeButton));
    EXPECT_TRUE(profile.bulletContrast);
    EXPECT_TRUE(profile.hitboxMarker);
    EXPECT_FLOAT_EQ(profile.backgroundDimming, 0.2f);
}

// A hurried accept on the end-game question keeps the game: each showing starts on NO, asked
// from the pause or from the continue prompt, also after YES was highlighted the time before.
TEST_F(OverlayTest, TheEndGameQuestionStartsOnNoEveryTimeItIsAsked) {
    press(kPause);
    for (const int keyBefore : {kFire, kUp}) {
        press(kTrance);  // END GAME
        run(kFrameMs);
        press(keyBefore);  // fire answers at once; up highlights YES, and beam then answers NO
        if (keyBefore == kUp) {
            press(kBeam);
            press(kTrance);
            run(kFrameMs);
            press(kFire);
        }
        EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause);
    }
    session.resume();

    session.run().continues = 1;
    session.showContinue();
    press(kDown);  // the prompt's NO
    press(kFire);
    run(kFrameMs);
    press(kFire);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Continue);
}

// ---- Continue ----

TEST_F(OverlayTest, ContinueYesWithNoContinuesLeftDoesNothing) {
    session.run().continues = 0;
    session.run().lives = 0;
    session.showContinue();
    auto& prompt = *session.overlays().continuePrompt;
    EXPECT_EQ(prompt.getCountText()->getText(), "CONTINUES LEFT: 0");
    EXPECT_EQ(prompt.getButton(OXScnBaseContinue::YesButton)->getState(), OXButton::Disabled);
    click(*prompt.getButton(OXScnBaseContinue::YesButton));
    run(100.0f);
    EXPECT_EQ(session.getState(), CXGameSession::State::InOverlay);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Continue);
    EXPECT_EQ(session.run().lives, 0);

    // Fire lands on the only choice left: "NO", which asks to end the game.
    press(kFire);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Confirm);
}

TEST_F(OverlayTest, FireHeldThroughADeathDoesNotAnswerTheContinuePrompt) {
    session.keyEvent(kFire, true);  // shooting when the last life goes
    session.run().continues = 1;
    session.showContinue();
    session.keyEvent(kFire, false);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Continue);
    EXPECT_EQ(session.run().continues, 1);

    // NO asks whether to end the game.
    press(kTrance);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Confirm);
}

// ---- Summary ----

TEST_F(OverlayTest, TheSummaryRevealsTheBonusesTheScoreGainedOneAfterAnother) {
    for (int i = 0; i < 12; ++i) {
        ++session.run().grazes;
    }
    for (int i = 0; i < 3; ++i) {
        ++session.run().orbs;
    }
    const int64_t before = session.run().score;
    session.stageCleared();
    ASSERT_TRUE(shown(CXGameSession::Overlay::Summary));
    OXScnBaseSummary& results = summary();
    EXPECT_EQ(results.getValueText(0)->getText(), "12");
    EXPECT_EQ(results.getValueText(1)->getText(), "+" + std::to_string(session.run().grazeBonus));
    EXPECT_EQ(results.getValueText(2)->getText(), "3");
    EXPECT_EQ(results.getValueText(3)->getText(), "+" + std::to_string(session.run().orbBonus));
    EXPECT_EQ(results.getValueText(4)->getText(),
              std::to_string(session.run().grazeBonus + session.run().orbBonus));
    EXPECT_GT(session.run().grazeBonus, 0);
    EXPECT_GT(session.run().orbBonus, 0);
    EXPECT_EQ(session.run().score, before + session.run().grazeBonus + session.run().orbBonus);

    // Hidden at first, then in turn, and NEXT after the last.
    EXPECT_FALSE(results.getValueText(0)->isVisible());
    run(600.0f);
    EXPECT_TRUE(results.getValueText(0)->isVisible());
    EXPECT_FALSE(results.getValueText(4)->isVisible());
    EXPECT_FALSE(results.isNextShown());
    run(2000.0f);
    EXPECT_TRUE(results.getValueText(4)->isVisible());
    EXPECT_TRUE(results.isNextShown());

    // NEXT: the campaign goes on to its second stage.
    ASSERT_GT(session.getLevelList().size(), 1u);
    press(kFire);
    run(kFrameMs);
    EXPECT_EQ(endings, 0);
    EXPECT_EQ(session.run().stageIndex, 1);
    EXPECT_FALSE(shown(CXGameSession::Overlay::Summary));
}

TEST_F(OverlayTest, FireSkipsTheRevealAndAnIdlePlayerGoesOnByHimself) {
    // The campaign's last stage: going on ends the game.
    session.run().stageIndex = static_cast<int>(session.getLevelList().size()) - 1;
    session.stageCleared();
    OXScnBaseSummary& results = summary();
    press(kFire);
    EXPECT_TRUE(results.isRevealDone());
    EXPECT_TRUE(results.getValueText(4)->isVisible());
    EXPECT_EQ(endings, 0);

    run(3000.0f);
    EXPECT_EQ(endings, 0);
    run(3000.0f);
    EXPECT_EQ(endings, 1);

    // A second summary starts empty.
    results.showResults();
    EXPECT_FALSE(results.getValueText(0)->isVisible());
    EXPECT_FALSE(results.isNextShown());
}

// ---- Game over and splash ----

TEST_F(OverlayTest, TheGameOverIsHeldToBeReadAndOnlyAKeyOrClickAfterAMomentSkipsIt) {
    session.keyEvent(kFire, true);  // shooting when the last life goes
    session.showGameOver();
    // The panel stands opaque over the field from the first frame; the backdrop fades in.
    run(kFrameMs);
    EXPECT_FLOAT_EQ(gameOver().getAlpha(), 1.0f);
    EXPECT_LT(gameOver().getBackdrop()->getAlpha(), 0.1f);
    const Colour& veil = gameOver().getBackdrop()->getColour();
    EXPECT_EQ(veil.r + veil.g + veil.b, 0.0f) << "the backdrop darkens the field, never whitens it";
    session.keyEvent(kFire, false);  // the held key let go: no wish to skip
    press(kTrance);                  // too soon
    run(OXScnGameOver::kAppearMs + OXScnGameOver::kSkipAfterMs);
    EXPECT_EQ(endings, 0) << "held past its fade";
    run(OXScnGameOver::kHoldMs);
    EXPECT_EQ(endings, 1) << "ends by itself";

    // A key, or a click anywhere, once the moment has passed.
    for (const bool byClick : {false, true}) {
        startPlaying();
        session.showGameOver();
        run(OXScnGameOver::kSkipAfterMs + kFrameMs);
        if (byClick) {
            session.pointerEvent(CXGameSession::Pointer::Pressed, 0.2f, 0.9f);
            session.pointerEvent(CXGameSession::Pointer::Released, 0.2f, 0.9f);
        } else {
            press(kFire);
        }
        run(3 * kFrameMs);
        EXPECT_EQ(endings, byClick ? 3 : 2);
    }
}

// What the game-over screen and the results call a record is what the high-score table keeps:
// a score equal to the table's best is none; a record set before a continue reset the score
// is named with its own score.
TEST_F(OverlayTest, NewRecordIsShownExactlyWhenTheTableKeepsANewBest) {
    struct Case {
        long long best, beforeContinue, final;  // beforeContinue -1: no continue taken
        bool record;
        long long kept;
    } const cases[] = {
        {0, -1, 0, false, 0},          {5000, -1, 5000, false, 5000},  {5000, -1, 5001, true, 5001},
        {1000, 3000, 500, true, 3000}, {5000, 3000, 500, false, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "best " << c.best << ", final " << c.final);
        profile.arcadeScore[1] = c.best;
        startPlaying();
        if (c.beforeContinue >= 0) {
            session.run().setScore(c.beforeContinue);
            session.showContinue();
            session.acceptContinue();
        }
        session.run().setScore(c.final);
        session.showGameOver();
        EXPECT_EQ(gameOver().getRecordText()->isVisible(), c.record);
        if (c.record && c.kept != c.final) {
            char kept[40];
            OXScnBaseHUD::formatScore(c.kept, kept, sizeof kept);
            EXPECT_NE(gameOver().getRecordText()->getText().find(kept), std::string::npos);
        }
        session.gameOverFinished();
        session.tick(kFrameMs);
        EXPECT_EQ(profile.arcadeScore[1], c.kept);
        // The results show what was kept.
        const GameResult& result = session.getLastResult();
        EXPECT_TRUE(result.ended && result.score == c.final && result.best == c.kept &&
                    result.newRecord == c.record);
    }
}

TEST_F(OverlayTest, TheSplashNamesTheStageAndStepsAsideWhenDone) {
    // Ticked on its own: the stage would announce itself again meanwhile.
    auto& splash = *session.overlays().splash;
    auto play = [&](float ms) {
        for (int frame = 0; frame * kFrameMs < ms; ++frame) {
            splash.tick(kFrameMs);
        }
    };
    session.showSplash(1, "THE BREAKER YARDS");
    EXPECT_EQ(splash.getStageNumber()->currentFrame(), 1);  // the picture of "2"
    EXPECT_EQ(splash.getStageTitle()->getText(), "THE BREAKER YARDS");
    play(1000.0f);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.getStageTitle()->isVisible());
    play(2000.0f);
    EXPECT_FALSE(splash.isVisible());

    session.showBossWarning();
    EXPECT_TRUE(splash.isVisible());
    play(900.0f);  // the word has slid from 0.4 of the width to the middle
    EXPECT_NEAR(splash.getWarningWord()->getX(), 160.0f, 0.5f);
    play(4000.0f);
    EXPECT_FALSE(splash.isVisible());
}

// A package without the HUD's pictures and font: each element is left out with a line, and the
// HUD still builds, counts and draws.
TEST(HudWithoutItsArt, LeavesEachMissingElementOutAndGoesOn) {
    const testfiles::TempDir folder;
    testfiles::makeZipPackage(folder.file("bare.oap"), {{"assets/plist/readme.txt", "nothing here"}});
    testing::internal::CaptureStdout();
    {
        const gametest::PackageInPlace bare(folder.file("bare.oap"));
        ASSERT_TRUE(bare.mounted());
        OXScnBaseHUD hud(CXGameSession::instance());
        hud.init();
        CXGameSession::instance().run().setScore(12345);
        for (int frame = 0; frame < 5; ++frame) {
            hud.tick(kFrameMs);
        }
        hud.draw();
        EXPECT_EQ(hud.getScoreText()->getText(), "0,000,012,345");  // counted, though not drawn
        EXPECT_EQ(hud.getLifeCounter()->getUniformScale(), 0.0f);
    }
    const std::string lines = testing::internal::GetCapturedStdout();
    CXGameSession::instance().run().setScore(0);
    EXPECT_NE(lines.find("MISSING HUD SPRITE assets/plist/spr_player_life_counter, LEFT OUT"),
              std::string::npos);
    EXPECT_NE(lines.find("MISSING HUD SPRITE assets/plist/spr_health_warning, LEFT OUT"), std::string::npos);
    EXPECT_NE(lines.find("MISSING HUD FONT assets/plist/fnt_novo_white"), std::string::npos);
}

}  // namespace
