#include "frontend/OXScnTutorialPC.h"

#include <cstdio>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {

// The tutorial atlas's pictures ("spr_PC_tutorial_classic").
enum Picture {
    MovePicture,
    HudPicture,
    BombPicture,
    CounterPicture,
    LaserPicture,
    GrazePicture,
    TrancePicture,
    ItemPicture
};

// One page: its title, picture and lines, and what casual play shows instead (null or an empty
// list: the same).
// In the lines "%F", "%B", "%T" and "%P" stand for the keys bound to fire, beam, trance and
// pause. A line holds at most 28 characters once the keys are in (a key's name is at most 6), so
// it fits a 16:9 view at the menus' smallest text size.
struct Page {
    const char* title;
    const char* casualTitle;
    int picture;
    int casualPicture;
    const char* lines[OXScnTutorialPC::kLines];
    const char* casualLines[OXScnTutorialPC::kLines];
};

const Page kPages[OXScnTutorialPC::kPageCount] = {
    {"MOVE AND FIRE",
     nullptr,
     MovePicture,
     MovePicture,
     {"ARROWS: MOVE", "%F HELD: FIRE", "%B HELD: SLOW, PRECISE", "ONLY THE GLOWING CORE OF",
      "YOUR SHIP CAN BE HIT", "%P: PAUSE"},
     {"ARROWS: MOVE", "%F HELD: FIRE", "%B HELD: LASER, SLOWER", "ONLY THE GLOWING CORE OF",
      "YOUR SHIP CAN BE HIT", "%P: PAUSE"}},
    {"THE HUD",
     nullptr,
     HudPicture,
     HudPicture,
     {"SCORE: EVERY POINT TIMES THE", "MULTIPLIER; A HIT HALVES IT", "CHAIN: GRAZES, KILL BONUS",
      "SHIPS AND BOMBS: BOTTOM LEFT", "BESIDE THE SHIP: BEAM RDY", "AND THE TRANCE GAUGE IN %"},
     {}},
    {"BOMBS AND THE SHIELD",
     nullptr,
     BombPicture,
     BombPicture,
     {"NO BOMB KEY: ANY HIT WITH", "BOMBS LEFT SETS ONE OFF AND", "CLEARS BULLETS. A SHIELD",
      "THEN RUNS FOR 4 SECONDS:", "A HIT IN IT OR WITH NO BOMBS", "DAMAGES THE SHIP"},
     {"NO BOMB KEY: ANY HIT WITH", "BOMBS LEFT SETS ONE OFF AND", "CLEARS BULLETS. A SHIELD",
      "THEN RUNS FOR 2 SECONDS:", "A HIT IN IT OR WITH NO BOMBS", "DAMAGES THE SHIP"}},
    {"THE COUNTER",
     "THE LASER",
     CounterPicture,
     LaserPicture,
     {"HOLD %B: NO FIRE, SLOWER", "ORBS FILL THE BEAM GAUGE", "FROM 20% THE SHIP SAYS RDY",
      "RELEASE %B AT RDY: THE", "COUNTER BEAM SPENDS IT ALL", "BELOW 20% NOTHING FIRES"},
     {"HOLD %B: A LASER FIRES", "INSTEAD OF GUNS; SHIP SLOWS", "RELEASE %B: GUNS AGAIN", "",
      "CASUAL PLAY HAS NO COUNTER:", "ORBS SCORE 100 POINTS"}},
    {"GRAZING AND THE CHAIN",
     nullptr,
     GrazePicture,
     GrazePicture,
     {"LET BULLETS PASS CLOSE BY:", "EACH ONE IS A GRAZE", "GRAZES BUILD THE CHAIN AND",
      "FILL THE TRANCE GAUGE", "EVERY KILL ADDS CHAIN x 16", "A HIT OR A BOMB ENDS IT"},
     {}},
    {"TRANCE",
     nullptr,
     TrancePicture,
     TrancePicture,
     {"GRAZES, KILLS AND BOSS HITS", "FILL THE TRANCE GAUGE", "AT 100% (RDY) PRESS %T:",
      "8 SECONDS OF STRONGEST FIRE,", "CHAIN BONUS x TRANCE FACTOR", "A HIT ONLY ENDS THE TRANCE"},
     {"THE TRANCE GAUGE FILLS BY", "ITSELF, FASTER AS YOU GRAZE", "AT 100% (RDY) PRESS %T:",
      "8 SECONDS OF STRONGEST FIRE,", "CHAIN BONUS x TRANCE FACTOR", "A HIT ONLY ENDS THE TRANCE"}},
    {"ITEMS",
     nullptr,
     ItemPicture,
     ItemPicture,
     {"WRECKS AND CANCELLED BULLETS", "DROP ITEMS: FLY NEAR THEM", "GOLD ORBS CHARGE THE BEAM",
      "GEMS RAISE THE MULTIPLIER", "AT STAGE END, GRAZES AND", "ITEMS PAY A BONUS"},
     {"WRECKS AND CANCELLED BULLETS", "DROP ITEMS: FLY NEAR THEM", "GOLD ORBS SCORE POINTS",
      "GEMS RAISE THE MULTIPLIER", "AT STAGE END, GRAZES AND", "ITEMS PAY A BONUS"}},
};

constexpr float kTitleY = 790.0f;
constexpr int kTitleSize = 44;
constexpr float kPictureY = 612.0f;
constexpr float kFirstLineY = 414.0f;
constexpr float kLineGap = 36.0f;
constexpr int kLineSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kLineX = 97.0f;  // 28 characters end at 671
constexpr float kCounterY = 196.0f;
constexpr float kButtonY = 128.0f;

// The line with the player's keys in place of "%F", "%B", "%T" and "%P".
std::string withKeys(const char* line, const std::string (&keys)[4]) {
    static const char kMarks[4] = {'F', 'B', 'T', 'P'};
    std::string out;
    for (const char* c = line; *c; ++c) {
        bool replaced = false;
        if (c[0] == '%') {
            for (int key = 0; key < 4; ++key) {
                if (c[1] == kMarks[key]) {
                    out += keys[key];
                    ++c;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) {
            out += *c;
        }
    }
    return out;
}

}  // namespace

void OXScnTutorialPC::buildScene() {
    addHeading("HOW TO PLAY");
    title = addText("", kCentreX, kTitleY, kTitleSize);
    title->setColour(1.0f, 0.85f, 0.4f, 1);
    picture = ScreenParts::addSprite(*this, "assets/plist/spr_PC_tutorial_classic", kCentreX, kPictureY);
    for (int line = 0; line < kLines; ++line) {
        lines[line] = addText("", kLineX, kFirstLineY - kLineGap * static_cast<float>(line), kLineSize,
                              OXTextBox::AlignLeft);
    }
    counter = addText("", kCentreX, kCounterY, kLineSize);
    counter->setColour(0.6f, 0.85f, 0.95f, 1);
    next = addButton(Next, "NEXT", 500, kButtonY, ScreenParts::kSmallButton);
    addButton(Back, "BACK", 268, kButtonY, ScreenParts::kSmallButton);
    addKeyHints();
}

bool OXScnTutorialPC::enterStarted() {
    showPage(0);
    return OXScnVLMenu::enterStarted();
}

void OXScnTutorialPC::showPage(int shown) {
    if (shown < 0 || shown >= kPageCount) {
        return;
    }
    page = shown;
    const bool casual = host.gameChoices().casual;
    const Page& content = kPages[page];
    frame = casual ? content.casualPicture : content.picture;
    picture->setFrame(frame);
    title->setText(casual && content.casualTitle ? content.casualTitle : content.title);
    const CXUserProfile& profile = host.profile();
    const std::string keys[4] = {host.keyName(profile.bindingCode(0)), host.keyName(profile.bindingCode(1)),
                                 host.keyName(profile.bindingCode(2)), host.keyName(profile.bindingCode(3))};
    const bool ownCasualLines = content.casualLines[0] != nullptr;
    for (int line = 0; line < kLines; ++line) {
        const char* text = casual && ownCasualLines ? content.casualLines[line] : content.lines[line];
        lines[line]->setText(withKeys(text ? text : "", keys));
    }
    char text[32];
    std::snprintf(text, sizeof(text), "PAGE %d OF %d", page + 1, kPageCount);
    counter->setText(text);
    next->setLabelText(page + 1 < kPageCount ? "NEXT" : "DONE");
}

void OXScnTutorialPC::keyEvent(int key, bool down) {
    // The accept key keeps its meaning even when it shares a code with an arrow.
    if (key != acceptKey && (key == rightKey || key == leftKey)) {
        if (down) {
            showPage(page + (key == rightKey ? 1 : -1));
        }
        return;
    }
    OXScnVLMenu::keyEvent(key, down);
}

void OXScnTutorialPC::buttonPressed(int id) {
    if (id == Next) {
        if (page + 1 < kPageCount) {
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
            showPage(page + 1);
        } else {
            backPressed();
        }
    } else if (id == Back) {
        backPressed();
    }
}

void OXScnTutorialPC::backPressed() {
    host.switchToScene(kDifficultyScene);
}
