#include "frontend/OXScnVLDifficulty.h"

#include <cstdio>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

void OXScnVLDifficulty::buildScene() {
    addHeading("DIFFICULTY");
    const struct {
        int id;
        const char* label;
        float y;
    } rows[] = {{Easy, "EASY", 720},       {Normal, "NORMAL", 624},     {Hard, "HARD", 528},
                {Extreme, "EXTREME", 432}, {Tutorial, "TUTORIAL", 300}, {Back, "BACK", 204}};
    int index = 0;
    for (const auto& row : rows) {
        choices[index++] = addButton(row.id, row.label, kCentreX, row.y);
    }

    addNote("assets/plist/spr_tutorial_note", {"NEW TO VORTALIS 2?", "THE TUTORIAL SHOWS", "YOUR CONTROLS"},
            640, 56, kSmallestTextSize, CloseNote);
    addKeyHints();
    showNote(false);
}

bool OXScnVLDifficulty::enterStarted() {
    const CXUserProfile& profile = host.profile();
    showNote(!noteClosed && profile.timesPlayed == 0 && profile.timesPlayedCasual == 0);
    return OXScnVLMenu::enterStarted();
}

void OXScnVLDifficulty::showNote(bool show) {
    if (show && !isNoteShown()) {
        std::printf("TUTORIAL NOTE SHOWN\n");
    }
    setNoteShown(show);
    // Behind the note the screen's own buttons step aside, so the keys and the
    // pointer reach only OK.
    for (OXButton* choice : choices) {
        choice->setVisible(!show);
    }
}

void OXScnVLDifficulty::buttonPressed(int id) {
    if (id >= Easy && id <= Extreme) {
        host.gameChoices().difficulty = difficultyFromStored(id);
        const CXUserProfile& profile = host.profile();
        const bool firstGame = profile.timesPlayed == 0 && profile.timesPlayedCasual == 0;
        host.switchToScene(firstGame ? kFighterSelectScene : kHangarScene);
    } else if (id == Tutorial) {
        host.switchToScene(kTutorialScene);
    } else if (id == CloseNote) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        noteClosed = true;
        showNote(false);
        highlightSelectable(0);
    } else if (id == Back) {
        backPressed();
    }
}

void OXScnVLDifficulty::backPressed() {
    if (isNoteShown()) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Back);
        buttonPressed(CloseNote);
        return;
    }
    const bool freePlay = host.gameChoices().mode == GameMode::FreePlay;
    host.switchToScene(freePlay ? kStageSelectScene : kMainScene);
}
