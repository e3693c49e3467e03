// The configuration dialog's behaviour apart from its drawing: defaults, the resolution list
// and the mouse (game_window and menu_route tab through it and choose with space in the real
// program).

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
