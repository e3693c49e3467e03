#include "frontend/OXScnVLFighterSelect.h"

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

void OXScnVLFighterSelect::buildScene() {
    addHeading("CHOOSE A FIGHTER");
    const struct {
        int id;
        const char* sprite;
        const char* name;
        const char* line;
    } cards[] = {{Focus, "assets/plist/btn_focus", "FOCUS", "A STRONGER WEAPON"},
                 {Track, "assets/plist/btn_track", "TRACK", "MISSILES THAT SEEK"},
                 {Wide, "assets/plist/btn_wide", "WIDE", "PODS SPREAD THE FIRE"}};
    float y = 690.0f;
    for (int card = 0; card < 3; ++card) {
        fighters[card] = addButton(cards[card].id, cards[card].name, kCentreX, y, cards[card].sprite);
        fighters[card]->setLabelSize(56);
        captions[card] = addText(cards[card].line, kCentreX, y - 48, kSmallestTextSize);
        captions[card]->setColour(0.75f, 0.9f, 0.95f, 1);
        y -= 180.0f;
    }
    addText("THE HANGAR UPGRADES IT", kCentreX, 180, kSmallestTextSize)->setColour(1.0f, 0.85f, 0.4f, 1);

    addNote("assets/plist/spr_fighter_select_note",
            {"YOUR FIRST FLIGHT", "PICK THE SYSTEM YOUR", "FIGHTER STARTS WITH.", "THE HANGAR ADDS MORE."},
            660, 52, kSmallestTextSize, CloseNote);
    addKeyHints();
    showNote(false);
}

bool OXScnVLFighterSelect::enterStarted() {
    showNote(!noteClosed);
    return OXScnVLMenu::enterStarted();
}

void OXScnVLFighterSelect::showNote(bool show) {
    setNoteShown(show);
    for (int card = 0; card < 3; ++card) {
        fighters[card]->setVisible(!show);
        captions[card]->setVisible(!show);
    }
}

void OXScnVLFighterSelect::buttonPressed(int id) {
    if (id >= Focus && id <= Wide) {
        CXUserProfile& profile = host.profile();
        profile.weapon = id == Focus ? 1 : 0;
        profile.missiles = id == Track ? 1 : 0;
        profile.options = id == Wide ? 1 : 0;
        profile.save();
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        host.requestStageStart();
    } else if (id == CloseNote) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        noteClosed = true;
        showNote(false);
        highlightSelectable(0);
    }
}

void OXScnVLFighterSelect::backPressed() {
    if (isNoteShown()) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Back);
        buttonPressed(CloseNote);
    } else {
        host.switchToScene(kDifficultyScene);
    }
}
