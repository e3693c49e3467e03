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
// pause. A line holds at most 22 characters once the keys are in (a key's name is at most 6), so
// it fits a 16:9 view at the menus' smallest text size. The notes read in sentence case.
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
     {"Arrows: move", "%F held: fire", "%B held: slower,", "precise moves", "Only the glowing core",
      "of the ship can be hit", "%P: pause", ""},
     {"Arrows: move", "%F held: fire", "%B held: a laser,", "slower moves", "Only the glowing core",
      "of the ship can be hit", "%P: pause", ""}},
    {"THE HUD",
     nullptr,
     HudPicture,
     HudPicture,
     {"Score: every point", "times the multiplier;", "a hit halves it", "Chain: grazes and", "kill bonus",
      "Ships, bombs: low left", "By the ship: beam RDY", "and trance gauge in %"},
     {}},
    {"BOMBS AND THE SHIELD",
     nullptr,
     BombPicture,
     BombPicture,
     {"No bomb key: any hit", "with bombs left sets", "one off and clears", "bullets. A shield then",
      "runs for 4 seconds:", "a hit in it, or with", "no bombs, damages the", "ship"},
     {"No bomb key: any hit", "with bombs left sets", "one off and clears", "bullets. A shield then",
      "runs for 2 seconds:", "a hit in it, or with", "no bombs, damages the", "ship"}},
    {"THE COUNTER",
     "THE LASER",
     CounterPicture,
     LaserPicture,
     {"Hold %B: no fire,", "slower moves", "Orbs fill the beam", "gauge; from 20%: RDY",
      "Release %B at RDY:", "the counter beam", "spends it all", "Below 20%: no beam"},
     {"Hold %B: a laser", "fires instead of guns;", "the ship slows", "Release %B: guns", "again",
      "Casual play has no", "counter: orbs score", "100 points"}},
    {"GRAZING AND THE CHAIN",
     nullptr,
     GrazePicture,
     GrazePicture,
     {"Let bullets pass close", "by: each is a graze", "Grazes build the chain", "and fill the trance",
      "gauge", "Every kill adds", "chain x 16", "A hit or bomb ends it"},
     {}},
    {"TRANCE",
     nullptr,
     TrancePicture,
     TrancePicture,
     {"Grazes, kills and boss", "hits fill the gauge", "At 100% (RDY) press", "%T: 8 seconds of",
      "strongest fire, chain", "bonus x trance factor", "A hit only ends the", "trance"},
     {"The gauge fills by", "itself, faster as you", "graze. At 100% (RDY)", "%T gives 8 seconds",
      "of strongest fire,", "chain bonus x trance", "factor. A hit only", "ends the trance"}},
    {"ITEMS",
     nullptr,
     ItemPicture,
     ItemPicture,
     {"Wrecks and cancelled", "bullets drop items:", "fly near them", "Gold orbs: the beam",
      "Gems: the multiplier", "At stage end, grazes", "and items pay a bonus", ""},
     {"Wrecks and cancelled", "bullets drop items:", "fly near them", "Gold orbs score points",
      "Gems: the multiplier", "At stage end, grazes", "and items pay a bonus", ""}},
};

constexpr float kTitleY = 790.0f;
constexpr int kTitleSize = 54;  // "GRAZING AND THE CHAIN" fills 567 of a 16:9 view's 576 units
constexpr float kPictureY = 612.0f;
constexpr float kFirstLineY = 432.0f;
constexpr float kLineGap = 31.0f;
constexpr int kLineSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kLineX = 97.0f;  // 22 characters end at 658
constexpr float kCounterY = 172.0f;
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

void OXScnTutorialPC::keyNamesChanged() {
    OXScnVLMenu::keyNamesChanged();
    if (picture) {
        showPage(page);
    }
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
