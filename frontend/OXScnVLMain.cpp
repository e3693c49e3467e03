#include "frontend/OXScnVLMain.h"

#include "engine/OXSprite.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

void OXScnVLMain::buildScene() {
    auto* logo = new OXSprite();
    logo->load("assets/plist/spr_title_logo");
    logo->setPosition(kCentreX, 830, 1);
    logo->setScale(0.7f, 0.7f, 1);
    addObject(logo);
    const struct {
        int id;
        const char* label;
    } rows[] = {{Arcade, "ARCADE"},   {Bonus, "BONUS"},     {HighScores, "HIGHSCORES"},
                {Options, "OPTIONS"}, {Credits, "CREDITS"}, {Replays, "REPLAYS"},
                {Back, "BACK"}};
    // Seven rows a little closer than the menus' usual gap, so the last stays clear of the
    // key hints.
    constexpr float kRowGap = 86.0f;
    float y = 662.0f;
    for (const auto& row : rows) {
        addButton(row.id, row.label, kCentreX, y);
        y -= kRowGap;
    }
    addKeyHints();
}

void OXScnVLMain::buttonPressed(int id) {
    switch (id) {
        case Arcade:
            host.gameChoices().mode = GameMode::Arcade;
            host.switchToScene(kModeSelectScene);
            break;
        case Bonus:
            host.switchToScene(kBonusScene);
            break;
        case HighScores:
            host.switchToScene(kHighScoreScene);
            break;
        case Replays:
            host.switchToScene(kReplayScene);
            break;
        case Options:
            host.switchToScene(kOptionScene);
            break;
        case Credits:
            host.switchToScene(kCreditsScene);
            break;
        case Back:
            backPressed();
            break;
        default:
            break;
    }
}

void OXScnVLMain::backPressed() {
    host.switchToScene(kTitleScene);
    host.pauseMenuMusic();
}
