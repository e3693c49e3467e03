// The control-settings screen changes a binding or a controller setting only when the player
// means it: a row listens only once chosen, stray keys and BACK leave the profile as it was, and
// SAVE alone keeps a change. A controller's button binds like a key, and a controller unplugged
// during a wait ends it. The draft's rules first, then the screen driven with keys, the
// controller's codes and the mouse.

#include <gtest/gtest.h>

#include <fstream>

#include "MenuTestHost.h"
#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/ControlBindings.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnVLOptionCtrl.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// Game key codes of the keys pressed.
constexpr int kZ = 2, kX = 3, kC = 1, kA = 7, kP = 26, kLeft = 28, kRight = 29, kUp = 30, kDown = 31;
// A controller's button 0 gives code 0; its d-pad gives the arrows' codes.
constexpr int kPadButton0 = 0;
using Heard = ControlBindings::Heard;

TEST(ControlDraft, ChangesStayInTheDraftAndNoTwoActionsShareAKey) {
    CXUserProfile profile;
    ControlBindings draft;
    draft.enter(profile);
    EXPECT_TRUE(draft.bind(ControlBindings::Fire, kX));  // beam's key: beam takes fire's Z
    EXPECT_EQ(draft.code(ControlBindings::Beam), kZ);
    EXPECT_EQ(profile.controls[0], kZ);
    EXPECT_TRUE(draft.differsFrom(profile));
    // The arrows and Escape stay the screen's; unknown keys and actions change nothing.
    EXPECT_FALSE(draft.bind(ControlBindings::Pause, kDown));
    EXPECT_FALSE(draft.bind(ControlBindings::Pause, 27));
    EXPECT_FALSE(draft.bind(ControlBindings::Pause, 32));
    EXPECT_FALSE(draft.bind(4, kA));
    EXPECT_EQ(draft.code(ControlBindings::Pause), kP);
    draft.writeTo(profile);
    EXPECT_EQ(profile.controls[0], kX);
    EXPECT_FALSE(draft.differsFrom(profile));
}

TEST(ControlDraft, AWaitEndsWithAKeyOrLeavesTheBindingAsItWas) {
    ControlBindings draft;
    draft.listen(ControlBindings::Beam);
    EXPECT_EQ(draft.hear(kDown), Heard::Cancelled);
    EXPECT_EQ(draft.listeningAction(), -1);
    draft.listen(ControlBindings::Beam);
    EXPECT_FALSE(draft.tick(ControlBindings::kListenMs - 1.0f));
    EXPECT_TRUE(draft.tick(2.0f));
    EXPECT_EQ(draft.hear(kA), Heard::Unchanged);  // nothing listens any more
    EXPECT_EQ(draft.code(ControlBindings::Beam), kX);
    draft.listen(ControlBindings::Beam);
    EXPECT_EQ(draft.hear(kC), Heard::Bound);
    EXPECT_EQ(draft.code(ControlBindings::Beam), kC);
    EXPECT_EQ(draft.code(ControlBindings::Trance), kX);
}

TEST(ControlDraft, TheControllersSettingsStayInTheDraftAndTheDeadZoneKeepsToItsBounds) {
    CXUserProfile profile;
    profile.padDeadZone = 0.27f;  // between steps, as an edited profile may hold
    ControlBindings draft;
    draft.enter(profile);
    EXPECT_TRUE(draft.stepDeadZone(-1));
    EXPECT_EQ(draft.deadZonePercent(), 25);
    for (int step = 0; step < 20; ++step) {
        draft.stepDeadZone(1);
    }
    EXPECT_FLOAT_EQ(draft.deadZone(), CXUserProfile::kMostDeadZone);
    EXPECT_FALSE(draft.stepDeadZone(1));
    draft.toggleStickMoves();
    draft.toggleRumble();
    draft.toggleRumbleInReplays();
    EXPECT_TRUE(draft.differsFrom(profile));
    EXPECT_FLOAT_EQ(profile.padDeadZone, 0.27f);
    draft.writeTo(profile);
    EXPECT_FLOAT_EQ(profile.padDeadZone, CXUserProfile::kMostDeadZone);
    EXPECT_FALSE(profile.padStickMoves);
    EXPECT_FALSE(profile.rumble);
    EXPECT_TRUE(profile.rumbleInReplays);
    draft.resetToDefault();
    const CXUserProfile fresh;
    EXPECT_FLOAT_EQ(draft.deadZone(), fresh.padDeadZone);
    EXPECT_TRUE(draft.stickMoves() && draft.rumbles() && !draft.rumblesInReplays());
    for (int step = 0; step < 20; ++step) {
        draft.stepDeadZone(-1);
    }
    EXPECT_FLOAT_EQ(draft.deadZone(), CXUserProfile::kLeastDeadZone);
}

class ControlScreen : public ::testing::Test {
  protected:
    static constexpr int kMovementRow = ControlBindings::kActionCount;
    static constexpr int kDeadZoneRow = kMovementRow + 1;  // then the other controller rows
    static constexpr int kRows = kDeadZoneRow + OXScnVLOptionCtrl::kPadRows + 3;  // then RESET, SAVE, BACK

    void SetUp() override {
        ASSERT_TRUE(gametest::packageMounted());
        host.userProfile.setPath(path);
        screen.init();
        screen.setViewWidth(768);
        screen.setViewHeight(1024);
        screen.setHighlightSprite("assets/plist/spr_select_highlight");
        screen.setVisible(true);
        screen.setActive(true);
        enter();
    }
    void enter() {
        screen.enterStarted();
        screen.enterFinished();
    }
    void press(int key) {
        screen.keyEvent(key, true);
        screen.keyEvent(key, false);
    }
    void click(const IXRenderObject& widget) {
        const float nx = (widget.getX() - screen.getEye().x) / 768.0f + 0.5f;
        const float ny = (widget.getY() - screen.getEye().y) / 1024.0f + 0.5f;
        screen.pointerPressed(nx, ny);
        screen.pointerReleased(nx, ny);
    }
    std::string shown(int action) const { return screen.getBinding(action)->getLabel()->getText(); }
    bool waiting(int action) const { return screen.getRowName(action)->getText() == "PRESS A KEY"; }
    std::string movement() const { return screen.getMovement()->getLabel()->getText(); }
    std::string padRow(int id) const { return screen.getPadRow(id)->getLabel()->getText(); }
    std::string padRows() const {
        std::string all;
        for (int id = OXScnVLOptionCtrl::DeadZone;
             id < OXScnVLOptionCtrl::DeadZone + OXScnVLOptionCtrl::kPadRows; ++id) {
            all += padRow(id) + "|";
        }
        return all;
    }
    std::string guide() const { return screen.getGuide()->getText(); }
    bool savedToDisk() const { return std::ifstream(path).good(); }

    testfiles::TempDir folder;
    std::string path = folder.file("profile/save.osf");
    MenuTestHost host;
    OXScnVLOptionCtrl screen{host};
};

TEST_F(ControlScreen, StrayKeysOnEveryRowChangeNothingAndBackKeepsTheProfile) {
    for (int row = 0; row < kRows; ++row) {
        const std::string before = movement();
        const std::string padBefore = padRows();
        for (int key : {kA, kX, kP, kLeft}) {
            press(key);
        }
        EXPECT_EQ(movement() != before, row == kMovementRow) << "row " << row;
        EXPECT_EQ(padRows() != padBefore, row >= kDeadZoneRow && row < kDeadZoneRow + 4) << "row " << row;
        press(kRight);
        EXPECT_EQ(movement(), before);
        EXPECT_EQ(padRows(), padBefore);
        press(kDown);
    }
    EXPECT_EQ(shown(ControlBindings::Fire), "KEY2");
    press(kRight);  // back on fire's row, where left and right do nothing
    EXPECT_EQ(movement(), "NORMAL");
    screen.buttonPressed(OXScnVLOptionCtrl::ResetToDefault);
    press(kC);
    EXPECT_EQ(host.scene, kOptionScene);
    EXPECT_FALSE(savedToDisk());
    const CXUserProfile fresh;
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        EXPECT_EQ(host.userProfile.controls[action], fresh.controls[action]);
    }
}

TEST_F(ControlScreen, TheControllerRowsChangeWithLeftRightAndAcceptAndOnlySaveKeepsThem) {
    for (int row = 0; row < kDeadZoneRow; ++row) {
        press(kDown);
    }
    screen.tick(16.7f);
    EXPECT_EQ(guide(), "LEFT / RIGHT TO CHANGE");
    EXPECT_EQ(padRow(OXScnVLOptionCtrl::DeadZone), "DEAD ZONE: 25%");
    press(kRight);
    press(kRight);
    EXPECT_EQ(padRow(OXScnVLOptionCtrl::DeadZone), "DEAD ZONE: 35%");
    press(kDown);
    press(kZ);  // accept turns STICK MOVES off
    press(kDown);
    press(kLeft);  // RUMBLE off
    press(kDown);
    screen.buttonPressed(OXScnVLOptionCtrl::RumbleInReplays);  // as a click does
    EXPECT_EQ(padRows(), "DEAD ZONE: 35%|STICK MOVES: OFF|RUMBLE: OFF|REPLAY RUMBLE: ON|");
    screen.buttonPressed(OXScnVLOptionCtrl::Back);
    EXPECT_FALSE(savedToDisk());
    EXPECT_FLOAT_EQ(host.userProfile.padDeadZone, 0.25f);
    EXPECT_TRUE(host.userProfile.rumble);

    enter();  // BACK forgot them all
    EXPECT_EQ(padRows(), "DEAD ZONE: 25%|STICK MOVES: ON|RUMBLE: ON|REPLAY RUMBLE: OFF|");
    screen.buttonPressed(OXScnVLOptionCtrl::DeadZone);
    screen.buttonPressed(OXScnVLOptionCtrl::Rumble);
    screen.buttonPressed(OXScnVLOptionCtrl::Save);
    CXUserProfile stored;
    stored.setPath(path);
    stored.load();
    EXPECT_FLOAT_EQ(stored.padDeadZone, 0.30f);
    EXPECT_FALSE(stored.rumble);
    EXPECT_TRUE(stored.padStickMoves);
    EXPECT_FALSE(stored.rumbleInReplays);
    EXPECT_EQ(stored.controls[0], kZ);
}

TEST_F(ControlScreen, AControllerButtonBindsLikeAKeyItsDPadNavigatesAndUnpluggingEndsAWait) {
    press(kDown);
    press(kDown);
    press(kDown);
    press(kZ);  // pause's row waits
    press(kPadButton0);
    EXPECT_EQ(shown(ControlBindings::Pause), "KEY0");
    press(kUp);  // the d-pad moves the highlight: trance's row
    press(kZ);
    EXPECT_TRUE(waiting(ControlBindings::Trance));
    press(kDown);  // the d-pad ends a wait rather than binding
    EXPECT_EQ(shown(ControlBindings::Trance), "KEY1");

    press(kZ);
    EXPECT_TRUE(waiting(ControlBindings::Trance));
    screen.controllerChanged(false);
    EXPECT_FALSE(waiting(ControlBindings::Trance));
    EXPECT_EQ(guide(), "CONTROLLER UNPLUGGED");
    EXPECT_EQ(shown(ControlBindings::Trance), "KEY1");
    press(kA);  // the wait is over: A chooses nothing and binds nothing
    EXPECT_EQ(shown(ControlBindings::Trance), "KEY1");
    screen.tick(16.7f);
    EXPECT_NE(guide(), "CONTROLLER UNPLUGGED");

    screen.buttonPressed(OXScnVLOptionCtrl::Save);
    CXUserProfile stored;
    stored.setPath(path);
    stored.load();
    EXPECT_EQ(stored.controls[ControlBindings::Pause], kPadButton0);
    EXPECT_EQ(stored.controls[ControlBindings::Trance], kC);
}

TEST_F(ControlScreen, AChosenRowTakesTheNextKeyEvenAcceptOrBackAndOnlySaveKeepsIt) {
    press(kZ);  // fire's row chosen
    EXPECT_TRUE(waiting(ControlBindings::Fire));
    press(kC);  // the back key answers the wait: fire takes C, trance Z, and the screen stays
    EXPECT_EQ(host.scene, -1);
    EXPECT_EQ(shown(ControlBindings::Fire), "KEY1");
    EXPECT_EQ(shown(ControlBindings::Trance), "KEY2");
    press(kDown);
    press(kZ);
    press(kZ);  // beam takes the accept key, whose release chooses nothing again
    EXPECT_EQ(shown(ControlBindings::Beam), "KEY2");
    EXPECT_FALSE(waiting(ControlBindings::Beam));
    EXPECT_EQ(host.userProfile.controls[0], kZ);
    screen.buttonPressed(OXScnVLOptionCtrl::Back);
    EXPECT_FALSE(savedToDisk());

    enter();  // the draft was forgotten
    EXPECT_EQ(shown(ControlBindings::Fire), "KEY2");
    press(kZ);
    press(kA);
    screen.buttonPressed(OXScnVLOptionCtrl::Save);
    CXUserProfile stored;
    stored.setPath(path);
    stored.load();
    EXPECT_EQ(stored.controls[0], kA);
    EXPECT_EQ(host.acceptKey, kA);  // the menus accept with the saved key
    EXPECT_EQ(host.scene, kOptionScene);
}

TEST_F(ControlScreen, AClickChoosesARowAndAnArrowOrTheWaitRunningOutCancels) {
    click(*screen.getBinding(ControlBindings::Pause));
    EXPECT_TRUE(waiting(ControlBindings::Pause));
    press(kDown);
    EXPECT_FALSE(waiting(ControlBindings::Pause));
    EXPECT_EQ(shown(ControlBindings::Pause), "KEY26");
    click(*screen.getBinding(ControlBindings::Pause));
    for (float waited = 0; waited <= ControlBindings::kListenMs; waited += 16.7f) {
        screen.tick(16.7f);
    }
    EXPECT_FALSE(waiting(ControlBindings::Pause));
    EXPECT_EQ(shown(ControlBindings::Pause), "KEY26");
    press(kA);
    EXPECT_EQ(shown(ControlBindings::Pause), "KEY26");
    click(*screen.getMovement());
    EXPECT_EQ(movement(), "WITH SCREEN");
    EXPECT_FALSE(host.userProfile.controlScreenMode);
}

}  // namespace
