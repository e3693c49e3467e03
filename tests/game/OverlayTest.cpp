// The overlays of a stage, driven through the session with the player's
// keys as the game delivers them: the HUD's numbers and gauges, the trance
// cut-in, pause with its countdown and the end-game question, the continue
// prompt, the stage summary, the game-over fade and the stage splash.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/CXUserProfile.h"
#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
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
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/TestFiles.h"

namespace {

// The profile's default bindings.
constexpr int kFire = 2;
constexpr int kBeam = 3;
constexpr int kTrance = 1;
constexpr int kPause = 26;
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
    void frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            session.tick(kFrameMs);
        }
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

    OXScnBaseHUD& hud() { return *static_cast<OXScnBaseHUD*>(session.getOverlay(CXGameSession::HudOverlay)); }
    OXScnBasePause& pauseScreen() {
        return *static_cast<OXScnBasePause*>(session.getOverlay(CXGameSession::PauseOverlay));
    }
    OXScnBaseSummary& summary() {
        return *static_cast<OXScnBaseSummary*>(session.getOverlay(CXGameSession::SummaryOverlay));
    }
    bool shown(int overlay) { return session.getOverlay(overlay)->isVisible(); }
    // A mouse click on a button, as the game delivers it: press and release over its middle.
    void click(const OXButton& button) {
        const float nx = button.getX() / 320.0f;
        const float ny = button.getY() / 480.0f;
        session.pointerEvent(0, nx, ny);
        session.pointerEvent(1, nx, ny);
        session.pointerEvent(2, nx, ny);
    }
};

// ---- HUD ----

TEST_F(OverlayTest, TheHudRewritesTheScoreOnlyWhenItChanges) {
    session.setScore(1234);
    run(kFrameMs);
    const OXTextBox& score = *hud().getScoreText();
    EXPECT_EQ(score.getText(), "0,000,001,234");
    EXPECT_EQ(hud().getHighScoreText()->getText(), "0,000,001,234");

    const unsigned revision = score.getTextRevision();
    const unsigned highRevision = hud().getHighScoreText()->getTextRevision();
    run(20 * kFrameMs);
    EXPECT_EQ(score.getTextRevision(), revision);
    EXPECT_EQ(hud().getHighScoreText()->getTextRevision(), highRevision);

    session.setScore(98765432109);
    run(kFrameMs);
    EXPECT_EQ(score.getText(), "98,765,432,109");
    EXPECT_EQ(score.getTextRevision(), revision + 1);

    // A lower score after a continue leaves the high score where it was.
    session.setScore(0);
    run(kFrameMs);
    EXPECT_EQ(score.getText(), "0,000,000,000");
    EXPECT_EQ(hud().getHighScoreText()->getText(), "98,765,432,109");
}

TEST_F(OverlayTest, TheHudShowsShipsBombsAndItsGaugesFromTheShip) {
    OXSTGBasePlayer& ship = shipInPlay();
    session.setLives(3);
    session.setBombs(1);
    ship.setBeamGauge(0.19f);
    ship.setBreakGauge(450.0f);
    run(kFrameMs);
    EXPECT_TRUE(hud().getLifeCounter()->isVisible());
    EXPECT_EQ(hud().getLifeCounter()->currentFrame(), 2);  // one frame per count, from one ship
    EXPECT_EQ(hud().getBreakText()->getText(), "45%");
    EXPECT_EQ(hud().getMultiplierText()->getText().back(), 'x');

    // The beam bar turns from red to white exactly at 0.2.
    const OXSprite& beam = *hud().getBeamBar();
    EXPECT_FLOAT_EQ(beam.getColour().g, 0.0f);
    ship.setBeamGauge(0.2f);
    run(kFrameMs);
    EXPECT_FLOAT_EQ(beam.getColour().g, 1.0f);
    // The bar is as long as the gauge is full.
    const float fifth = beam.getScale().x;
    ship.setBeamGauge(1.0f);
    run(kFrameMs);
    EXPECT_NEAR(beam.getScale().x, fifth * 5.0f, 1e-4f);

    // With no lives left the counter is hidden rather than showing frame -1.
    session.setLives(0);
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
        session.setScore(frame * 1000 + 7);
        ship.setBreakGauge(static_cast<float>(frame) * 10.0f);
        hud().tick(kFrameMs);
        hud().draw();
    }
    EXPECT_EQ(testfiles::allocationCount(), before);
    setGLDevice(nullptr);
}

TEST_F(OverlayTest, TheScoreKeepsItsDigitGroupsAndItsPlaceAtEveryMagnitude) {
    const struct {
        int64_t score;
        const char* shown;
    } cases[] = {{0, "0,000,000,000"},
                 {999, "0,000,000,999"},
                 {1000, "0,000,001,000"},
                 {9999999999, "9,999,999,999"},
                 {123456789012345, "123,456,789,012,345"}};
    const OXTextBox& score = *hud().getScoreText();
    const OXTextBox& high = *hud().getHighScoreText();
    for (const auto& each : cases) {
        session.setScore(each.score);
        run(kFrameMs);
        EXPECT_EQ(score.getText(), each.shown);
        // Within the left part of the top row, clear of the high score at the right.
        const float scoreRight = score.getX() + score.getText().size() * score.getCharSize() * 0.5f;
        const float highLeft = high.getX() - high.getText().size() * high.getCharSize() * 0.5f;
        EXPECT_LT(scoreRight, highLeft) << each.shown;
        EXPECT_GE(highLeft, 0.0f) << each.shown;
    }
}

TEST_F(OverlayTest, TheShieldBarRisesToTheBombsLeftWithoutOvershoot) {
    // The stage began with the bar empty; it rises by 0.0025 of its length per ms.
    session.setBombs(1);  // of 2: the bar stops at half
    const float first = hud().getShieldShown();
    frames(6);
    EXPECT_NEAR(hud().getShieldShown(), first + 0.0025f * 6.0f * kFrameMs, 1e-4f);
    run(1000.0f);
    EXPECT_FLOAT_EQ(hud().getShieldShown(), 0.5f);
    session.setBombs(2);
    run(kFrameMs);
    EXPECT_NEAR(hud().getShieldShown(), 0.5f + 0.0025f * kFrameMs, 1e-4f);
    run(1000.0f);
    EXPECT_FLOAT_EQ(hud().getShieldShown(), 1.0f);
}

TEST_F(OverlayTest, TheShieldWarningBeepsTwelveTimesFadingOut) {
    hud().startWarning();
    std::vector<float> volumes;
    for (int frame = 0; frame < 400 && hud().getWarningBeepsLeft() > 0; ++frame) {
        const int before = hud().getWarningBeepsLeft();
        hud().tick(kFrameMs);
        if (hud().getWarningBeepsLeft() < before) {
            volumes.push_back(hud().getLastBeepVolume());
        }
    }
    ASSERT_EQ(volumes.size(), 12u);
    for (size_t beep = 0; beep < volumes.size(); ++beep) {
        EXPECT_NEAR(volumes[beep], static_cast<float>(12 - beep) * 0.65f / 12.0f, 1e-6f);
    }
    // Without a shield the warning goes once its beeps are spent.
    run(500.0f);
    EXPECT_FALSE(hud().getWarning()->isVisible());
}

TEST_F(OverlayTest, ElementsUnderTheShipFadeOnlyAtALargeScreenScale) {
    const struct {
        float screenScale, at;
        bool dims;
    } bottom[] = {{1.0f, 30.0f, true}, {1.0f, 30.5f, false}, {0.66f, 10.0f, true}, {0.65f, 10.0f, false}},
      right[] = {{1.0f, 290.0f, true}, {1.0f, 289.5f, false}, {0.66f, 300.0f, true}, {0.65f, 300.0f, false}};
    for (const auto& each : bottom) {
        EXPECT_EQ(OXScnBaseHUD::dimsBottomRows(each.screenScale, each.at), each.dims) << each.at;
    }
    for (const auto& each : right) {
        EXPECT_EQ(OXScnBaseHUD::dimsRightSide(each.screenScale, each.at), each.dims) << each.at;
    }

    // In play: the ship flown to the far right dims the right-hand buttons, and only there.
    OXSTGBasePlayer& ship = shipInPlay();
    run(1000.0f);  // the ship takes control
    EXPECT_FLOAT_EQ(hud().getRightAlpha(), 0.75f);
    session.keyEvent(29, true);
    run(3000.0f);
    session.keyEvent(29, false);
    ASSERT_GE(ship.getX(), 290.0f);
    run(300.0f);
    EXPECT_FLOAT_EQ(hud().getRightAlpha(), 0.2f);
    EXPECT_FLOAT_EQ(hud().getBottomAlpha(), 1.0f);
}

TEST_F(OverlayTest, TheHudsPointerButtonsPauseAndBomb) {
    OXSTGBasePlayer& ship = shipInPlay();
    run(1000.0f);  // the ship takes control
    session.setBombs(2);
    click(*hud().getButton(OXScnBaseHUD::BombButton));
    EXPECT_EQ(session.getBombs(), 1);
    run(kFrameMs);
    EXPECT_TRUE(hud().getInvertSquare()->isVisible());  // the bomb's flash

    ship.setBeamGauge(1.0f);
    run(kFrameMs);
    EXPECT_TRUE(hud().getBeamWarning(0)->isVisible());
    click(*hud().getButton(OXScnBaseHUD::CounterButton));
    EXPECT_LT(ship.getBeamGauge(), 1.0f);  // the counter-attack was released

    click(*hud().getButton(OXScnBaseHUD::PauseButton));
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay);
}

TEST_F(OverlayTest, TheShieldWarningKeepsClearOfTheShipAndItsLabelsAtEveryHeight) {
    OXSTGBasePlayer& ship = shipInPlay();
    run(1000.0f);  // the ship takes control
    session.setBombs(1);
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

TEST_F(OverlayTest, TheBossGaugeDimsWhileTheShipFliesUpUnderIt) {
    shipInPlay();
    run(1000.0f);  // the ship takes control
    EXPECT_FLOAT_EQ(hud().getBossRowAlpha(), 1.0f);
    session.keyEvent(30, true);  // up, to the top of the field
    run(2500.0f);
    session.keyEvent(30, false);
    EXPECT_LT(hud().getBossRowAlpha(), 0.5f);
    session.keyEvent(31, true);  // and back down
    run(1000.0f);
    session.keyEvent(31, false);
    EXPECT_FLOAT_EQ(hud().getBossRowAlpha(), 1.0f);
}

TEST_F(OverlayTest, TheLoadingCoverFadesOutWhenTheStageStarts) {
    // The first tick started the stage and began the 500 ms fade.
    EXPECT_TRUE(hud().getLoadCover()->isVisible());
    run(600.0f);
    EXPECT_FALSE(hud().getLoadCover()->isVisible());
}

TEST_F(OverlayTest, TheTranceCutInStartsTheShipsTranceAtItsThirdStepAndEnds) {
    OXSTGBasePlayer& ship = shipInPlay();
    ship.setBreakGauge(OXSTGBasePlayer::kBreakFull);
    hud().startTranceCutIn();
    EXPECT_TRUE(hud().isCutInPlaying());
    frames(9);  // 150 ms: still squeezing in
    EXPECT_FALSE(ship.isTranceActive());
    frames(1);
    EXPECT_TRUE(ship.isTranceActive());
    frames(9);
    EXPECT_FALSE(hud().isCutInPlaying());
    EXPECT_TRUE(ship.isTranceActive());

    // The screen trembles through the trance; a game ending meanwhile puts it back.
    CXGfxManager::instance().setShakeOffset(0.01f);
    session.tearDown();
    EXPECT_EQ(CXGfxManager::instance().getShakeOffset(), 0.0f);
}

TEST_F(OverlayTest, TheDamageFlashTurnsTheMultiplierRedAndBack) {
    hud().damageFlash(500.0f);
    const OXTextBox& multiplier = *hud().getMultiplierText();
    EXPECT_FLOAT_EQ(multiplier.getColour().r, 1.75f);
    run(520.0f);
    EXPECT_FLOAT_EQ(multiplier.getColour().r, 0.5f);
    EXPECT_FLOAT_EQ(multiplier.getColour().g, 1.5f);
}

TEST_F(OverlayTest, ABossBonusIsShownAndThenGoesAway) {
    hud().showBonus(true, 1250000.0f);
    EXPECT_EQ(hud().getBonusTitle()->getText(), "BONUS SUCCESSFUL");
    EXPECT_EQ(hud().getBonusAmount()->getText(), "1250000");
    run(1600.0f);
    EXPECT_FLOAT_EQ(hud().getBonusTitle()->getAlpha(), 0.75f);
    run(2500.0f);
    EXPECT_FALSE(hud().getBonusTitle()->isVisible());
    EXPECT_FALSE(hud().getBonusAmount()->isVisible());

    hud().showBonus(false, 0.0f);
    EXPECT_EQ(hud().getBonusTitle()->getText(), "BONUS FAILED");
    EXPECT_FALSE(hud().getBonusAmount()->isVisible());
}

// ---- Pause ----

TEST_F(OverlayTest, ThePauseKeyPausesWithoutItsOwnReleaseResuming) {
    press(kPause);
    ASSERT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay);
    run(100.0f);
    EXPECT_FALSE(pauseScreen().isCountingDown());
    EXPECT_EQ(session.getState(), CXGameSession::InOverlay);
    EXPECT_EQ(pauseScreen().getButton(OXScnBasePause::ResumeButton)->getLabel()->getText(), "RESUME");
    EXPECT_EQ(pauseScreen().getButton(OXScnBasePause::EndGameButton)->getLabel()->getText(), "END GAME");
}

TEST_F(OverlayTest, EndGameThenNoReturnsToThePauseScreen) {
    press(kPause);
    press(kTrance);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ConfirmOverlay);
    EXPECT_TRUE(shown(CXGameSession::ConfirmOverlay));
    EXPECT_FALSE(shown(CXGameSession::PauseOverlay));
    run(100.0f);

    press(kBeam);  // NO
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay);
    EXPECT_TRUE(shown(CXGameSession::PauseOverlay));
    EXPECT_FALSE(shown(CXGameSession::ConfirmOverlay));
    EXPECT_EQ(session.getState(), CXGameSession::InOverlay);
    EXPECT_FALSE(pauseScreen().isCountingDown());
    EXPECT_EQ(endings, 0);

    // And YES ends the game.
    press(kBeam);
    press(kFire);
    EXPECT_EQ(endings, 1);
}

TEST_F(OverlayTest, ResumeCountsThreeTwoOneThenPlays) {
    press(kPause);
    press(kFire);
    ASSERT_TRUE(pauseScreen().isCountingDown());
    run(kFrameMs);
    EXPECT_EQ(pauseScreen().getCountdownText()->getText(), "3");
    // Keys during the countdown change nothing.
    press(kTrance);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay);
    run(750.0f);
    EXPECT_EQ(pauseScreen().getCountdownText()->getText(), "2");
    run(750.0f);
    EXPECT_EQ(pauseScreen().getCountdownText()->getText(), "1");
    EXPECT_EQ(session.getState(), CXGameSession::InOverlay);
    run(750.0f);
    EXPECT_EQ(session.getState(), CXGameSession::Playing);
    EXPECT_FALSE(shown(CXGameSession::PauseOverlay));

    // The next pause offers the choices again.
    press(kPause);
    EXPECT_FALSE(pauseScreen().isCountingDown());
    EXPECT_TRUE(pauseScreen().getButton(OXScnBasePause::ResumeButton)->isVisible());
}

TEST_F(OverlayTest, TheOverlaysButtonsAnswerThePointerAndThePauseWritesSettingsBack) {
    // Pause, then "END GAME" and "NO" by the mouse: back on the pause screen, settings saved.
    press(kPause);
    profile.musicVolume = 0.9f;  // changed behind the game's back: the game's own value wins
    click(*pauseScreen().getButton(OXScnBasePause::EndGameButton));
    EXPECT_FLOAT_EQ(profile.musicVolume, session.getMusicVolume());
    ASSERT_EQ(session.getActiveOverlay(), CXGameSession::ConfirmOverlay);
    run(kFrameMs);
    auto& confirm = *static_cast<OXScnEndGameConfirm*>(session.getOverlay(CXGameSession::ConfirmOverlay));
    click(*confirm.getButton(OXScnEndGameConfirm::NoButton));
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay);

    // "RESUME" by the mouse writes back too, then counts down to play.
    profile.screenScale = 0.3f;
    click(*pauseScreen().getButton(OXScnBasePause::ResumeButton));
    EXPECT_FLOAT_EQ(profile.screenScale, session.getScreenScale());
    EXPECT_TRUE(pauseScreen().isCountingDown());
    run(2300.0f);
    EXPECT_EQ(session.getState(), CXGameSession::Playing);

    // The arrows move the highlight: down to "END GAME", and fire asks to end.
    press(kPause);
    press(31);
    press(kFire);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ConfirmOverlay);
    run(kFrameMs);
    click(*confirm.getButton(OXScnEndGameConfirm::YesButton));
    EXPECT_EQ(endings, 1);
}

TEST_F(OverlayTest, ThePausesVisibilityButtonsApplyAtOnceAndResumeKeepsThemInTheProfile) {
    press(kPause);
    auto label = [&](int id) { return pauseScreen().getButton(id)->getLabel()->getText(); };
    EXPECT_EQ(label(OXScnBasePause::DimmingButton), "BG DIM: 0%");
    EXPECT_EQ(label(OXScnBasePause::ContrastButton), "CONTRAST: OFF");
    EXPECT_EQ(label(OXScnBasePause::HitboxButton), "HITBOX: OFF");

    click(*pauseScreen().getButton(OXScnBasePause::ContrastButton));
    EXPECT_TRUE(session.getVisibility().bulletContrast);
    EXPECT_EQ(label(OXScnBasePause::ContrastButton), "CONTRAST: ON");
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::PauseOverlay) << "still paused";
    // By keys: down from RESUME to the last button, fire.
    for (int step = 0; step < 4; ++step)
        press(31);
    press(kFire);
    EXPECT_TRUE(session.getVisibility().hitboxMarker);
    // Dimming steps up by a fifth to 80 %, then back to none.
    const char* steps[] = {"BG DIM: 20%", "BG DIM: 40%", "BG DIM: 60%",
                           "BG DIM: 80%", "BG DIM: 0%",  "BG DIM: 20%"};
    for (const char* expected : steps) {
        click(*pauseScreen().getButton(OXScnBasePause::DimmingButton));
        EXPECT_EQ(label(OXScnBasePause::DimmingButton), expected);
    }
    EXPECT_FLOAT_EQ(session.getVisibility().backgroundDimming, 0.2f);

    click(*pauseScreen().getButton(OXScnBasePause::ResumeButton));
    EXPECT_TRUE(profile.bulletContrast);
    EXPECT_TRUE(profile.hitboxMarker);
    EXPECT_FLOAT_EQ(profile.backgroundDimming, 0.2f);
}

// ---- Continue ----

TEST_F(OverlayTest, ContinueYesWithNoContinuesLeftDoesNothing) {
    session.setContinues(0);
    session.setLives(0);
    session.showContinue();
    auto& prompt = *static_cast<OXScnBaseContinue*>(session.getOverlay(CXGameSession::ContinueOverlay));
    EXPECT_EQ(prompt.getCountText()->getText(), "CONTINUES LEFT: 0");
    EXPECT_EQ(prompt.getButton(OXScnBaseContinue::YesButton)->getState(), OXButton::Disabled);
    click(*prompt.getButton(OXScnBaseContinue::YesButton));
    prompt.buttonPressed(OXScnBaseContinue::YesButton);
    run(100.0f);
    EXPECT_EQ(session.getState(), CXGameSession::InOverlay);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ContinueOverlay);
    EXPECT_EQ(session.getLives(), 0);

    // With one left, YES takes it and play goes on.
    session.setContinues(1);
    session.showContinue();
    EXPECT_EQ(prompt.getCountText()->getText(), "CONTINUES LEFT: 1");
    press(kFire);
    EXPECT_EQ(session.getState(), CXGameSession::Playing);
    EXPECT_EQ(session.getContinues(), 0);

    // Without one, fire lands on the only choice left: "NO", which asks to end the game.
    session.showContinue();
    press(kFire);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ConfirmOverlay);
}

TEST_F(OverlayTest, FireHeldThroughADeathDoesNotAnswerTheContinuePrompt) {
    session.keyEvent(kFire, true);  // shooting when the last life goes
    session.setContinues(1);
    session.showContinue();
    session.keyEvent(kFire, false);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ContinueOverlay);
    EXPECT_EQ(session.getContinues(), 1);

    // NO asks whether to end the game.
    press(kTrance);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::ConfirmOverlay);
}

// ---- Summary ----

TEST_F(OverlayTest, TheSummaryRevealsTheSessionsNumbersOneAfterAnother) {
    for (int i = 0; i < 12; ++i) {
        session.countGraze();
    }
    for (int i = 0; i < 3; ++i) {
        session.countOrb();
    }
    session.stageCleared();
    ASSERT_TRUE(shown(CXGameSession::SummaryOverlay));
    OXScnBaseSummary& results = summary();
    EXPECT_EQ(results.getValueText(0)->getText(), "12");
    EXPECT_EQ(results.getValueText(1)->getText(), "+" + std::to_string(session.getGrazeBonus()));
    EXPECT_EQ(results.getValueText(2)->getText(), "3");
    EXPECT_EQ(results.getValueText(3)->getText(), "+" + std::to_string(session.getOrbBonus()));
    EXPECT_EQ(results.getValueText(4)->getText(),
              std::to_string(session.getGrazeBonus() + session.getOrbBonus()));
    EXPECT_GT(session.getGrazeBonus(), 0);

    // Hidden at first, then each in turn, and NEXT after the last.
    for (int i = 0; i < OXScnBaseSummary::kValueCount; ++i) {
        EXPECT_FALSE(results.getValueText(i)->isVisible()) << i;
    }
    run(600.0f);
    EXPECT_TRUE(results.getValueText(0)->isVisible());
    EXPECT_TRUE(results.getValueText(1)->isVisible());
    EXPECT_FALSE(results.getValueText(2)->isVisible());
    EXPECT_FALSE(results.isNextShown());
    run(2000.0f);
    EXPECT_TRUE(results.getValueText(4)->isVisible());
    EXPECT_TRUE(results.isNextShown());

    // NEXT: the only stage is done, so the game ends.
    press(kFire);
    run(kFrameMs);
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(shown(CXGameSession::SummaryOverlay));
}

TEST_F(OverlayTest, FireSkipsTheRevealAndAnIdlePlayerGoesOnByHimself) {
    session.stageCleared();
    OXScnBaseSummary& results = summary();
    press(kFire);
    EXPECT_TRUE(results.isRevealDone());
    EXPECT_TRUE(results.getValueText(4)->isVisible());
    EXPECT_EQ(endings, 0);

    run(4900.0f);
    EXPECT_EQ(endings, 0);
    run(200.0f);
    EXPECT_EQ(endings, 1);

    // A second summary starts empty.
    results.showResults();
    EXPECT_FALSE(results.getValueText(0)->isVisible());
    EXPECT_FALSE(results.isNextShown());
}

// ---- Game over and splash ----

TEST_F(OverlayTest, GameOverEndsTheGameWhenItsFadeHasFinished) {
    session.setContinues(0);
    session.showGameOver();
    auto& gameOver = *static_cast<OXScnGameOver*>(session.getOverlay(CXGameSession::GameOverOverlay));
    // The panel stands opaque over the field from the first frame; the backdrop fades in.
    run(kFrameMs);
    EXPECT_FLOAT_EQ(gameOver.getAlpha(), 1.0f);
    EXPECT_LT(gameOver.getBackdrop()->getAlpha(), 0.1f);
    run(1950.0f - kFrameMs);
    EXPECT_EQ(endings, 0);
    EXPECT_GT(gameOver.getBackdrop()->getAlpha(), 0.8f);
    run(100.0f);
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(gameOver.getTitleText()->getText(), "GAME OVER");
}

TEST_F(OverlayTest, TheSplashNamesTheStageAndStepsAsideWhenDone) {
    // Ticked on its own: the stage would announce itself again meanwhile.
    auto& splash = *static_cast<OXScnBaseSplash*>(session.getOverlay(CXGameSession::SplashOverlay));
    auto play = [&](float ms) {
        for (int frame = 0; frame * kFrameMs < ms; ++frame) {
            splash.tick(kFrameMs);
        }
    };
    session.showSplash(1);
    EXPECT_EQ(splash.getStageNumber()->currentFrame(), 1);  // the picture of "2"
    EXPECT_GE(splash.getStageWord()->getTextureId(), 0);
    play(1000.0f);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FLOAT_EQ(splash.getStageWord()->getAlpha(), 1.0f);
    play(2000.0f);
    EXPECT_FALSE(splash.isVisible());

    session.showBossWarning();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_GE(splash.getWarningWord()->getTextureId(), 0);
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
        OXScnBaseHUD hud;
        hud.init();
        CXGameSession::instance().setScore(12345);
        for (int frame = 0; frame < 5; ++frame) {
            hud.tick(kFrameMs);
        }
        hud.draw();
        EXPECT_EQ(hud.getScoreText()->getText(), "0,000,012,345");  // counted, though not drawn
        EXPECT_EQ(hud.getLifeCounter()->getUniformScale(), 0.0f);
    }
    const std::string lines = testing::internal::GetCapturedStdout();
    CXGameSession::instance().setScore(0);
    EXPECT_NE(lines.find("MISSING HUD SPRITE assets/plist/spr_player_life_counter, LEFT OUT"),
              std::string::npos);
    EXPECT_NE(lines.find("MISSING HUD SPRITE assets/plist/spr_health_warning, LEFT OUT"), std::string::npos);
    EXPECT_NE(lines.find("MISSING HUD FONT assets/plist/fnt_novo_white"), std::string::npos);
}

}  // namespace
