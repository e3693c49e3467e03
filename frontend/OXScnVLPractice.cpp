#include "frontend/OXScnVLPractice.h"

#include <cstdio>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {
// One column as wide as a 16:9 view (x 96 to 672), every text at the menus' smallest size: the
// tabs under the heading, the page's top row (the stage, or the boss shown), the difficulty,
// then the page's own rows, BACK at the foot of both.
constexpr float kPracticeHeadingY = 950.0f;
constexpr float kTabY = 880.0f;
constexpr float kTabX[2] = {282.0f, 486.0f};
constexpr float kTopRowY = 806.0f;
constexpr float kRowStep = 60.0f;
constexpr float kStageHintY = 486.0f;
constexpr float kStartY = 400.0f;
constexpr float kNoScoreY = 300.0f;
// Attack rows: the name on a row button, its record under it.
constexpr float kFirstAttackY = 664.0f;
constexpr float kAttackStep = 96.0f;
constexpr float kRecordDrop = 56.0f;
constexpr float kBossCountY = 172.0f;
constexpr float kEmptyNoteY = 600.0f;
constexpr float kBackY = 120.0f;
constexpr int kTextSize = OXScnVLMenu::kSmallestTextSize;
constexpr const char* kRowButton = "assets/plist/btn_menu_row";
constexpr const char* kTabButton = "assets/plist/btn_menu_tab";
const char* const kTabLabels[2] = {"STAGES", "ATTACKS"};

float settingY(int setting) {
    return kTopRowY - kRowStep * static_cast<float>(setting);
}
}  // namespace

void OXScnVLPractice::buildScene() {
    addHeading("PRACTICE", kPracticeHeadingY);
    tabs[0] = addButton(StagesTab, kTabLabels[0], kTabX[0], kTabY, kTabButton);
    tabs[1] = addButton(AttacksTab, kTabLabels[1], kTabX[1], kTabY, kTabButton);
    // The stage and the boss share the top row; the difficulty below it serves both pages.
    settingRows[PracticeMenu::StageRow] =
        addButton(FirstSetting + PracticeMenu::StageRow, "", kCentreX, kTopRowY, kRowButton);
    bossRow = addButton(BossRow, "", kCentreX, kTopRowY, kRowButton);
    for (int setting = PracticeMenu::DifficultyRow; setting < PracticeMenu::kSettingCount; ++setting) {
        settingRows[setting] = addButton(FirstSetting + setting, "", kCentreX, settingY(setting), kRowButton);
    }
    stageHint = addText("LEFT, RIGHT: CHANGE", kCentreX, kStageHintY, kTextSize);
    stageHint->setColour(0.7f, 0.85f, 0.9f, 1);
    start = addButton(Start, "START", kCentreX, kStartY);
    noScore = addText("NO HIGH SCORE IS KEPT", kCentreX, kNoScoreY, kTextSize);
    noScore->setColour(0.7f, 0.85f, 0.9f, 1);
    for (int row = 0; row < PracticeMenu::kRowsPerPage; ++row) {
        const float y = kFirstAttackY - kAttackStep * static_cast<float>(row);
        attackRows[row] = addButton(FirstAttack + row, "", kCentreX, y, kRowButton);
        attackRecords[row] = addText("", kCentreX, y - kRecordDrop, kTextSize);
    }
    bossCount = addText("", kCentreX, kBossCountY, kTextSize);
    bossCount->setColour(0.7f, 0.85f, 0.9f, 1);
    emptyNote[0] = addText("ATTACKS YOU MEET", kCentreX, kEmptyNoteY, kTextSize);
    emptyNote[1] = addText("IN A GAME SHOW HERE", kCentreX, kEmptyNoteY - 40.0f, kTextSize);
    for (OXTextBox* line : emptyNote) {
        line->setColour(0.75f, 0.9f, 0.95f, 1);
    }
    addButton(Back, "BACK", kCentreX, kBackY);
    menu.enter(host.profile(), host.gameChoices(), PracticeMenu::campaignStages(),
               PracticeMenu::packageBossName);
    refresh();
    addKeyHints();
}

bool OXScnVLPractice::enterStarted() {
    const GameChoices& choices = host.gameChoices();
    backFromPractice = isPracticeMode(choices.mode);
    menu.enter(host.profile(), choices, PracticeMenu::campaignStages(), PracticeMenu::packageBossName);
    if (choices.mode == GameMode::AttackPractice) {
        page = Page::Attacks;
    } else if (choices.mode == GameMode::StagePractice) {
        page = Page::Stages;
    }
    refresh();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLPractice::showPage(Page chosen) {
    page = chosen;
    refresh();
}

void OXScnVLPractice::refresh() {
    const bool stagesShown = page == Page::Stages;
    for (int tab = 0; tab < 2; ++tab) {
        const bool lit = (tab == 0) == stagesShown;
        tabs[tab]->setColour(lit ? 1.0f : 0.55f, lit ? 1.0f : 0.6f, lit ? 1.0f : 0.7f, 1);
    }
    for (int setting = 0; setting < PracticeMenu::kSettingCount; ++setting) {
        const auto which = static_cast<PracticeMenu::Setting>(setting);
        settingRows[setting]->setLabelText(menu.settingText(which));
        settingRows[setting]->setVisible(stagesShown || which == PracticeMenu::DifficultyRow);
    }
    stageHint->setVisible(stagesShown);
    start->setVisible(stagesShown);
    noScore->setVisible(stagesShown);
    // Set only on a change, so a highlighted START keeps its look.
    const bool startable = !menu.stages().empty();
    if ((start->getState() != OXButton::Disabled) != startable) {
        start->setState(startable ? OXButton::Normal : OXButton::Disabled);
    }

    const bool attacksShown = !stagesShown;
    const bool anyAttack = menu.pageCount() > 0;
    bossRow->setVisible(attacksShown && anyAttack);
    bossRow->setLabelText(menu.pageTitle());
    bossCount->setVisible(attacksShown && menu.pageCount() > 1);
    bossCount->setText(menu.pageCountText());
    for (OXTextBox* line : emptyNote) {
        line->setVisible(attacksShown && !anyAttack);
    }
    const int d = storedNumber(menu.difficulty());
    for (int row = 0; row < PracticeMenu::kRowsPerPage; ++row) {
        const PracticeMenu::Attack* attack = menu.row(row);
        const bool shown = attacksShown && attack;
        attackRows[row]->setVisible(shown);
        attackRecords[row]->setVisible(shown);
        if (!attack) {
            continue;
        }
        attackRows[row]->setLabelText(attack->name);
        attackRecords[row]->setText(menu.recordText(*attack));
        // A record with a capture in it shows gold.
        const bool captured = attack->captures[d] > 0;
        attackRecords[row]->setColour(captured ? 1.0f : 0.7f, captured ? 0.85f : 0.85f,
                                      captured ? 0.55f : 0.9f, 1);
    }
}

const OXTextBox* OXScnVLPractice::getAttackName(int row) const {
    return attackRows[row]->getLabel();
}

int OXScnVLPractice::selectableIndex(const IXRenderObject* widget) const {
    for (size_t index = 0; index < selectables.size(); ++index) {
        if (selectables[index] == widget) {
            return static_cast<int>(index);
        }
    }
    return 0;
}

const IXRenderObject* OXScnVLPractice::highlightedWidget() const {
    if (!highlight || !highlight->isVisible() || selectedIndex < 0 ||
        selectedIndex >= static_cast<int>(selectables.size())) {
        return nullptr;
    }
    return selectables[static_cast<size_t>(selectedIndex)];
}

PracticeMenu::Setting OXScnVLPractice::highlightedSetting() const {
    const IXRenderObject* current = highlightedWidget();
    for (int setting = 0; setting < PracticeMenu::kSettingCount; ++setting) {
        if (current == settingRows[setting]) {
            return static_cast<PracticeMenu::Setting>(setting);
        }
    }
    return PracticeMenu::kSettingCount;
}

int OXScnVLPractice::highlightedAttack() const {
    const IXRenderObject* current = highlightedWidget();
    for (int row = 0; row < PracticeMenu::kRowsPerPage; ++row) {
        if (current == attackRows[row]) {
            return row;
        }
    }
    return -1;
}

int OXScnVLPractice::firstSelectable() const {
    if (leftOn >= 0) {
        return rememberedSelectable();
    }
    if (page == Page::Stages) {
        return selectableIndex(backFromPractice ? start : settingRows[PracticeMenu::StageRow]);
    }
    if (menu.pageCount() == 0) {
        return selectableIndex(tabs[1]);
    }
    // Back from an attack's practice, its row; else the boss row.
    const GameChoices& choices = host.gameChoices();
    for (int row = 0; backFromPractice && row < menu.rowsOnPage(); ++row) {
        if (menu.row(row)->boss == choices.practice.boss && menu.row(row)->phase == choices.practice.phase) {
            return selectableIndex(attackRows[row]);
        }
    }
    return selectableIndex(bossRow);
}

void OXScnVLPractice::keyEvent(int key, bool down) {
    if ((key != leftKey && key != rightKey) || key == acceptKey || key == backKey) {
        OXScnVLMenu::keyEvent(key, down);
        return;
    }
    if (!down) {
        return;
    }
    const int by = key == rightKey ? 1 : -1;
    const IXRenderObject* current = highlightedWidget();
    if (current == tabs[0] || current == tabs[1]) {
        // Two pages: either key shows the other, and the highlight goes with its tab.
        showPage(page == Page::Stages ? Page::Attacks : Page::Stages);
        highlightSelectable(selectableIndex(tabs[page == Page::Stages ? 0 : 1]));
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Move);
        return;
    }
    const PracticeMenu::Setting setting = highlightedSetting();
    if (setting != PracticeMenu::kSettingCount) {
        const bool moved = menu.step(setting, by);
        ScreenParts::playMenuSound(moved ? ScreenParts::MenuSound::Move : ScreenParts::MenuSound::Refuse);
        refresh();
        return;
    }
    const int row = highlightedAttack();
    if (current == bossRow || row >= 0) {
        if (menu.pageCount() < 2) {
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
            return;
        }
        menu.turnPage(by);
        refresh();
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Move);
        // The highlight keeps its row, or the last the new page has.
        if (row >= menu.rowsOnPage()) {
            highlightSelectable(selectableIndex(attackRows[menu.rowsOnPage() - 1]));
        }
    }
}

void OXScnVLPractice::startPractice(bool chosen) {
    if (!chosen) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
        return;
    }
    const GameChoices& choices = host.gameChoices();
    std::printf(
        "PRACTICE START: MODE %d, STAGE %d, DIFFICULTY %d, WEAPON %d, BOMBS %d, LIVES %d, BOSS %s, PHASE "
        "%d\n",
        storedNumber(choices.mode), choices.practice.stage, storedNumber(choices.difficulty),
        choices.practice.weapon, choices.practice.bombs, choices.practice.lives,
        choices.practice.boss.empty() ? "-" : choices.practice.boss.c_str(), choices.practice.phase);
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
    host.requestStageStart();
}

void OXScnVLPractice::buttonPressed(int id) {
    if (id >= FirstSetting && id < FirstSetting + PracticeMenu::kSettingCount) {
        menu.cycle(static_cast<PracticeMenu::Setting>(id - FirstSetting));
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        refresh();
        return;
    }
    if (id >= FirstAttack && id < FirstAttack + PracticeMenu::kRowsPerPage) {
        startPractice(menu.chooseAttack(id - FirstAttack, host.gameChoices()));
        return;
    }
    switch (id) {
        case StagesTab:
        case AttacksTab:
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
            showPage(id == StagesTab ? Page::Stages : Page::Attacks);
            break;
        case BossRow:
            menu.turnPage(1);
            ScreenParts::playMenuSound(menu.pageCount() > 1 ? ScreenParts::MenuSound::Accept
                                                            : ScreenParts::MenuSound::Refuse);
            refresh();
            break;
        case Start:
            startPractice(menu.chooseStage(host.gameChoices()));
            break;
        case Back:
            backPressed();
            break;
        default:
            break;
    }
}

void OXScnVLPractice::backPressed() {
    host.switchToScene(kBonusScene);
}
