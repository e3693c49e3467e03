// The configuration dialog's behaviour: defaults, keyboard focus and the
// mouse, apart from its drawing.

#include <gtest/gtest.h>

#include "platform/ConfigDialogModel.h"

namespace {

using Model = ConfigDialogModel;

void clickCentre(Model& model, const Model::Rect& r) {
    model.click(r.x + r.width / 2, r.y + r.height / 2);
}

TEST(ConfigDialog, EnterAccepts800x600WindowedWithoutConsoleAndEscapeOrTheCloseBoxDoNothing) {
    Model model;
    model.keyPressed(Model::Escape, false);
    model.closeRequested();
    EXPECT_EQ(model.result, Model::Running);
    EXPECT_FALSE(model.fullscreen);
    EXPECT_FALSE(model.debugMode);
    model.keyPressed(Model::Enter, false);
    EXPECT_EQ(model.result, Model::Accepted);
    EXPECT_EQ(model.resolutionIndex, 1);
}

TEST(ConfigDialog, ArrowsChangeTheResolutionOnlyWhileTheListHasTheFocus) {
    Model model;
    model.keyPressed(Model::Down, false);
    model.keyPressed(Model::Down, false);
    EXPECT_EQ(model.resolutionIndex, 3);
    for (int i = 0; i < 10; ++i) {
        model.keyPressed(Model::Down, false);
    }
    EXPECT_EQ(model.resolutionIndex, 7);
    model.keyPressed(Model::Tab, false);
    model.keyPressed(Model::Up, false);
    EXPECT_EQ(model.resolutionIndex, 7);
}

TEST(ConfigDialog, SpaceChoosesTheFocusedRadioButtonOrPressesTheButton) {
    Model model;
    model.keyPressed(Model::Tab, false);
    model.keyPressed(Model::Tab, false);  // "Yes"
    model.keyPressed(Model::Space, false);
    EXPECT_TRUE(model.fullscreen);
    model.keyPressed(Model::Tab, true);  // "No"
    model.keyPressed(Model::Space, false);
    EXPECT_FALSE(model.fullscreen);
    for (int i = 0; i < 3; ++i) {
        model.keyPressed(Model::Tab, false);
    }
    model.keyPressed(Model::Space, false);  // "On"
    EXPECT_TRUE(model.debugMode);
    EXPECT_EQ(model.result, Model::Running);
    model.keyPressed(Model::Tab, false);
    model.keyPressed(Model::Tab, false);
    model.keyPressed(Model::Space, false);  // "Cancel"
    EXPECT_EQ(model.result, Model::Cancelled);
}

TEST(ConfigDialog, MouseOpensTheListAndPicksAnEntry) {
    Model model;
    clickCentre(model, Model::listBoxRect());
    EXPECT_TRUE(model.listOpen);
    clickCentre(model, Model::listEntryRect(6));
    EXPECT_FALSE(model.listOpen);
    EXPECT_EQ(model.resolutionIndex, 6);
    clickCentre(model, Model::controlRect(Model::FullscreenYes));
    EXPECT_TRUE(model.fullscreen);
    clickCentre(model, Model::controlRect(Model::OkButton));
    EXPECT_EQ(model.result, Model::Accepted);
}

}  // namespace
