#include "frontend/OXScnVLHanger.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/PilotRank.h"
#include "frontend/ScreenParts.h"

namespace {
constexpr float kFirstRowY = 680.0f;
constexpr float kRowStep = 68.0f;
constexpr float kNameX = 116.0f;  // clear of the plate's end; 9 characters end before the pips
constexpr float kPipX = 370.0f;
constexpr float kPipStep = 20.0f;
constexpr float kMinusX = 560.0f;
constexpr float kPlusX = 630.0f;
constexpr float kPipScale = 0.65f;
constexpr int kPipEmpty = 0;
constexpr int kPipHeld = 1;
// Every text at the menus' smallest size or larger; a line holds at most 22 characters, so it
// fits a 16:9 view (x 96 to 672).
constexpr int kNoteSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kInfoX = 212.0f;  // beside the badge: RANK and UPGRADE POINTS
constexpr float kPointsRight = 662.0f;
constexpr float kPriceBelow = 26.0f;
constexpr float kSystemsCaptionY = 722.0f;
constexpr float kHelpY = 212.0f;
constexpr float kHelpGap = 32.0f;

// What each row buys, two lines each, then what LAUNCH and BACK show: how points are earned.
const char* const kItemHelp[HangarUpgrades::kItemCount + 1][2] = {
    {"MAIN GUN: MORE SHOTS", "WITH EACH LEVEL"},
    {"SEEKING MISSILES,", "FIRED WITH THE GUN"},
    {"OPTION PODS: A PAIR", "A LEVEL, BESIDE YOU"},
    {"BOMBS EACH SHIP HAS: A", "HIT WITH ONE USES IT"},
    {"SPARE SHIPS FOR", "EACH GAME"},
    {"TRIES AFTER THE LAST", "SHIP: SCORE RESETS"},
    {"KEEPSAKES, NO USE IN", "PLAY: FULL PRICE BACK"},
    {"KILLS, STAGES RAISE", "RANK: 100 POINTS EACH"},
};

const char* const kBuySound = "prize_pickup.caf";
const char* const kSellSound = "bullet_hit.caf";
const char* const kLaunchSound = "boss_move_1.caf";

float rowY(int item) {
    return kFirstRowY - kRowStep * static_cast<float>(item);
}
}  // namespace

using ScreenParts::addSprite;

void OXScnVLHanger::buildScene() {
    addHeading("HANGAR");

    // Beside the rank's badge, its name on one line (the longest, 17 characters, ends at 646),
    // the points below it.
    badge = addSprite(*this, "assets/plist/spr_rank_badge", 152, 792);
    badge->setScale(0.8f, 0.8f, 1);
    rankName = addText("", kInfoX, 812, kNoteSize, OXTextBox::AlignLeft);
    addText("POINTS", kInfoX, 770, kNoteSize, OXTextBox::AlignLeft)->setColour(0.5f, 0.8f, 0.9f, 1);
    points = addText("0", kPointsRight, 766, 56, OXTextBox::AlignRight);
    points->setColour(1.0f, 0.85f, 0.4f, 1);
    // The fighter chosen before the first game is only its start: these rows upgrade it.
    addText("SYSTEMS SHARE 5 LEVELS", kCentreX, kSystemsCaptionY, kNoteSize)->setColour(0.45f, 0.9f, 1.0f, 1);

    // LAUNCH first: the highlight rests on it when the hangar opens.
    launch = addButton(Launch, "", 520, 130, "assets/plist/btn_launch");
    for (int item = 0; item < HangarUpgrades::kItemCount; ++item) {
        Row& row = rows[item];
        const float y = rowY(item);
        OXSprite* plate = addSprite(*this, "assets/plist/spr_menu_row_plate", 384, y);
        plate->setScale(0.9f, 0.85f, 1);
        plate->setZ(0);
        if (item <= HangarUpgrades::Options) {
            plate->setColour(0.6f, 1.2f, 1.4f, 1);  // the fighter's own systems stand out
        }
        row.name = addText(HangarUpgrades::itemName(item), kNameX, y + 2, kNoteSize, OXTextBox::AlignLeft);
        row.price = addText("", kNameX, y - kPriceBelow, kNoteSize, OXTextBox::AlignLeft);
        for (int pip = 0; pip < kPips; ++pip) {
            row.pips[pip] = addSprite(*this, "assets/plist/spr_level_pip", kPipX + kPipStep * pip, y);
            row.pips[pip]->setScale(kPipScale, kPipScale, 1);
            row.pips[pip]->setVisible(pip < HangarUpgrades::maximumLevel(item));
        }
        row.minus = addButton(FirstMinus + item, "", kMinusX, y, "assets/plist/btn_minus");
        row.plus = addButton(FirstPlus + item, "", kPlusX, y, "assets/plist/btn_plus");
    }
    back = addButton(Back, "", 230, 130, "assets/plist/btn_hanger_back");
    for (int line = 0; line < 2; ++line) {
        help[line] = addText("", kCentreX, kHelpY - kHelpGap * static_cast<float>(line), kNoteSize);
        help[line]->setColour(0.75f, 0.9f, 0.95f, 1);
    }
    upgrades.loadFrom(host.profile());
    refresh();
    addKeyHints();
}

bool OXScnVLHanger::enterStarted() {
    // Each visit starts from the profile: what was bought and left by BACK is forgotten.
    upgrades.loadFrom(host.profile());
    refresh();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLHanger::refresh() {
    for (int item = 0; item < HangarUpgrades::kItemCount; ++item) {
        Row& row = rows[item];
        const int level = upgrades.level(item);
        // Levels above the hangar's maximum (an older profile) show as a full row.
        for (int pip = 0; pip < kPips; ++pip) {
            row.pips[pip]->setFrame(pip < level ? kPipHeld : kPipEmpty);
        }
        char text[48];
        const int price = HangarUpgrades::cost(item, level);
        if (level >= HangarUpgrades::maximumLevel(item)) {
            std::snprintf(text, sizeof(text), "MAX LEVEL");
            row.price->setColour(0.4f, 1.0f, 0.6f, 1);
        } else if (item <= HangarUpgrades::Options &&
                   upgrades.weaponSystemLevels() >= HangarUpgrades::kWeaponSystemTotal) {
            std::snprintf(text, sizeof(text), "ALL 5 USED");
            row.price->setColour(0.6f, 0.6f, 0.7f, 1);
        } else {
            std::snprintf(text, sizeof(text), "COST %d", price);
            const bool affordable = upgrades.points() >= price;
            row.price->setColour(affordable ? 0.45f : 1.0f, affordable ? 0.9f : 0.45f,
                                 affordable ? 1.0f : 0.45f, 1);
        }
        row.price->setText(text);
        row.plus->setState(upgrades.canBuy(item) ? OXButton::Normal : OXButton::Disabled);
        row.minus->setState(upgrades.canSell(item) ? OXButton::Normal : OXButton::Disabled);
    }
    points->setText(std::to_string(upgrades.points()));
    const int level = host.profile().level;
    badge->setFrame(PilotRank::badgeFrame(level));
    // In capitals: the font's small letters are smaller than the least a player reads.
    std::string name = PilotRank::name(level);
    for (char& c : name) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    rankName->setText(name);
}

void OXScnVLHanger::buttonPressed(int id) {
    if (id == Launch) {
        CXUserProfile& profile = host.profile();
        upgrades.writeTo(profile);
        profile.save();
        std::printf(
            "HANGAR LAUNCH: WEAPON %d, MISSILES %d, OPTIONS %d, BOMBS %d, LIVES %d, CONTINUES %d, TOKENS %d, "
            "%d POINTS LEFT\n",
            profile.weapon, profile.missiles, profile.options, profile.bombs, profile.lives,
            profile.continues, profile.tokens, profile.upgradePoints);
        ScreenParts::playSound(kLaunchSound);
        host.requestStageStart();
        return;
    }
    if (id == Back) {
        backPressed();
        return;
    }
    const bool buying = id >= FirstPlus && id < FirstPlus + HangarUpgrades::kItemCount;
    const bool selling = id >= FirstMinus && id < FirstMinus + HangarUpgrades::kItemCount;
    if (!buying && !selling) {
        return;
    }
    const int item = buying ? id - FirstPlus : id - FirstMinus;
    const int levelBefore = upgrades.level(item);
    if (buying ? upgrades.buy(item) : upgrades.sell(item)) {
        ScreenParts::playSound(buying ? kBuySound : kSellSound);
        refresh();
        // The level won lights up with a pop; the points counter pulses either way.
        if (buying && levelBefore >= 0 && levelBefore < kPips) {
            ScreenParts::pop(*rows[item].pips[levelBefore], 2.5f, true, kPipScale, kPipScale);
        }
        ScreenParts::pop(*points, buying ? 0.7f : 1.3f, false);
    } else {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);  // no points left, or nothing to sell
        refresh();
    }
}

void OXScnVLHanger::backPressed() {
    host.switchToScene(kDifficultyScene);
}

int OXScnVLHanger::highlightedItem() const {
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(selectables.size())) {
        return -1;
    }
    const IXRenderObject* current = selectables[static_cast<size_t>(selectedIndex)];
    for (int item = 0; item < HangarUpgrades::kItemCount; ++item) {
        if (current == rows[item].minus || current == rows[item].plus) {
            return item;
        }
    }
    return -1;
}

void OXScnVLHanger::update(float dtMs) {
    OXScnVLMenu::update(dtMs);
    const int item = highlightedItem();
    if (item != helpItem) {
        helpItem = item;
        const int entry = item < 0 ? HangarUpgrades::kItemCount : item;
        help[0]->setText(kItemHelp[entry][0]);
        help[1]->setText(kItemHelp[entry][1]);
    }
}

void OXScnVLHanger::moveHighlight(int row, int column) {
    IXRenderObject* target = nullptr;
    if (row >= HangarUpgrades::kItemCount) {
        target = column == 0 ? back : launch;
    } else {
        target = column == 0 ? rows[row].minus : rows[row].plus;
    }
    for (size_t index = 0; index < selectables.size(); ++index) {
        if (selectables[index] == target) {
            selectedIndex = static_cast<int>(index);
            moveHighlightOnto(target);
            return;
        }
    }
}

void OXScnVLHanger::keyEvent(int key, bool down) {
    const bool navigation = key == upKey || key == downKey || key == leftKey || key == rightKey;
    if (key == acceptKey || !navigation || !highlight) {
        OXScene::keyEvent(key, down);
        return;
    }
    if (!down) {
        return;
    }
    // The rows top to bottom, then BACK and LAUNCH side by side at the bottom (row 7).
    const int bottom = HangarUpgrades::kItemCount;
    int row = bottom;
    int column = 1;
    const IXRenderObject* current = selectedIndex >= 0 && selectedIndex < static_cast<int>(selectables.size())
                                        ? selectables[selectedIndex]
                                        : nullptr;
    if (current == back) {
        column = 0;
    }
    for (int item = 0; item < HangarUpgrades::kItemCount; ++item) {
        if (current == rows[item].minus || current == rows[item].plus) {
            row = item;
            column = current == rows[item].plus ? 1 : 0;
        }
    }
    if (key == upKey) {
        row = row == 0 ? bottom : row - 1;
    } else if (key == downKey) {
        row = row == bottom ? 0 : row + 1;
    } else {
        column = key == rightKey ? 1 : 0;
    }
    moveHighlight(row, column);
}
