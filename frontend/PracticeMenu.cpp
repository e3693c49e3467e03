#include "frontend/PracticeMenu.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>

#include "data/CXUserProfile.h"
#include "data/Plist.h"
#include "stg/game/CXGameSession.h"

namespace {
// What the game's HUD calls a boss whose file gives it no name.
constexpr const char* kUnnamedBoss = "BOSS";
// A boss file's name is a plain word of the package ("boss_vigil"): nothing that could lead out
// of its folder.
constexpr size_t kLongestBossFile = 64;

bool plainFileName(const std::string& name) {
    if (name.empty() || name.size() > kLongestBossFile) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-';
    });
}

// A name as one line of the menus: capitals (the font's small letters are smaller than the
// least a player reads), a '?' for any byte the font has no glyph for, at most `glyphs` long.
std::string shownName(const std::string& text, size_t glyphs) {
    std::string shown;
    for (const char c : text) {
        if (shown.size() == glyphs) {
            break;
        }
        const int upper = std::toupper(static_cast<unsigned char>(c));
        shown += upper >= ' ' && upper <= '_' ? static_cast<char>(upper) : '?';
    }
    while (!shown.empty() && shown.back() == ' ') {
        shown.pop_back();
    }
    return shown;
}

// A profile's text as a console line shows it: printable ASCII, '?' for any other byte.
std::string consoleText(const std::string& text) {
    std::string shown = text.substr(0, kLongestBossFile);
    for (char& c : shown) {
        if (c < ' ' || c > '~') {
            c = '?';
        }
    }
    return shown;
}

bool everStageCleared(const CXUserProfile& profile, int stage) {
    for (const auto& style : profile.stagesBeaten) {
        for (const auto& difficulty : style) {
            if (difficulty[stage] != 0) {
                return true;
            }
        }
    }
    return false;
}

// A stage an attack's record may name: one the campaign can load.
bool playableStage(int stage, int campaignStages) {
    if (stage == CXGameSession::kHiddenStageChoice) {
        return campaignStages > CXGameSession::kTrueRouteStageIndex;
    }
    return stage >= 0 && stage < campaignStages;
}
}  // namespace

std::string PracticeMenu::packageBossName(const std::string& bossFile) {
    Plist::Dictionary boss;
    if (!plainFileName(bossFile) || !Plist::loadContent("assets/plist/" + bossFile + ".plist", boss) ||
        boss.empty()) {
        return "";
    }
    std::string name;
    return Plist::getString(boss, "name", name) && !name.empty() ? name : kUnnamedBoss;
}

int PracticeMenu::campaignStages() {
    Plist::Array list;
    try {
        if (!Plist::loadAssetArray(CXGameSession::kArcadeLevelList, list)) {
            list.clear();
        }
    } catch (const std::exception& error) {
        std::printf("BAD PROPERTY LIST %s: %s\n", CXGameSession::kArcadeLevelList, error.what());
        list.clear();
    }
    return std::min(static_cast<int>(list.size()), kMostCampaignStages);
}

bool PracticeMenu::hiddenStageOpen(const CXUserProfile& profile, int campaignStages) {
    // The hidden stage plays in the last stage's place.
    return profile.hiddenStageReached && campaignStages == kMostCampaignStages;
}

std::vector<int> PracticeMenu::stagesReached(const CXUserProfile& profile, int campaignStages) {
    std::vector<int> stages;
    const int count = std::clamp(campaignStages, 0, std::min(kMostCampaignStages, CXUserProfile::kStages));
    for (int stage = 0; stage < count; ++stage) {
        // A stage cleared was reached too, even when free play went straight to it.
        if (stage == 0 || everStageCleared(profile, stage - 1) || everStageCleared(profile, stage)) {
            stages.push_back(stage);
        }
    }
    if (hiddenStageOpen(profile, campaignStages)) {
        stages.push_back(CXGameSession::kHiddenStageChoice);
    }
    return stages;
}

void PracticeMenu::enter(const CXUserProfile& profile, const GameChoices& choices, int campaignStages,
                         BossNamer namer) {
    stageChoices = stagesReached(profile, campaignStages);
    // Back from a practice game, the same practice is offered again.
    const bool again = isPracticeMode(choices.mode);
    difficultyChosen = choices.difficulty;
    weaponLevel = std::clamp(again ? choices.practice.weapon : profile.weapon, 0, kHighestWeapon);
    bombCount = std::clamp(again ? choices.practice.bombs : profile.bombs, 0, kMostBombs);
    lifeCount = std::clamp(again ? choices.practice.lives : profile.lives, 0, kMostLives);
    const auto chosenStage = std::find(stageChoices.begin(), stageChoices.end(), choices.practice.stage);
    stageIndex = again && chosenStage != stageChoices.end()
                     ? static_cast<int>(chosenStage - stageChoices.begin())
                     : std::clamp(stageIndex, 0, std::max(static_cast<int>(stageChoices.size()) - 1, 0));

    bossList.clear();
    std::vector<std::string> missing;  // bosses already reported
    for (const CXUserProfile::AttackRecord& record : profile.attacks) {
        auto boss = std::find_if(bossList.begin(), bossList.end(),
                                 [&](const Boss& known) { return known.file == record.boss; });
        if (boss == bossList.end()) {
            if (std::find(missing.begin(), missing.end(), record.boss) != missing.end()) {
                continue;
            }
            const std::string name = plainFileName(record.boss) && namer ? namer(record.boss) : "";
            if (name.empty()) {
                std::printf("PRACTICE: NO BOSS \"%s\" IN THIS GAME, ITS ATTACKS ARE NOT LISTED\n",
                            consoleText(record.boss).c_str());
                missing.push_back(record.boss);
                continue;
            }
            boss = bossList.insert(bossList.end(), Boss{record.boss, shownName(name, kLineGlyphs - 4), {}});
        }
        if (record.phase < 0 || !playableStage(record.stage, campaignStages)) {
            std::printf("PRACTICE: ATTACK \"%s\" OF %s NAMES PHASE %d OF STAGE %d, NOT LISTED\n",
                        consoleText(record.name).c_str(), consoleText(record.boss).c_str(), record.phase,
                        record.stage);
            continue;
        }
        Attack attack;
        attack.boss = record.boss;
        attack.phase = record.phase;
        attack.name = shownName(record.name, kLineGlyphs);
        if (attack.name.empty()) {
            attack.name = "ATTACK " + std::to_string(record.phase);
        }
        attack.stage = record.stage;
        for (int d = 0; d < kDifficultyCount; ++d) {
            attack.tries[d] = std::max(record.tries[d], 0);
            attack.captures[d] = std::clamp(record.captures[d], 0, attack.tries[d]);
            attack.bestMs[d] = std::max(record.bestMs[d], 0);
        }
        boss->attacks.push_back(attack);
    }
    // A boss whose every record was left out is not listed either.
    bossList.erase(std::remove_if(bossList.begin(), bossList.end(),
                                  [](const Boss& boss) { return boss.attacks.empty(); }),
                   bossList.end());

    pages.clear();
    for (int boss = 0; boss < static_cast<int>(bossList.size()); ++boss) {
        std::vector<Attack>& attacks = bossList[static_cast<size_t>(boss)].attacks;
        // In the order the fight brings them.
        std::stable_sort(attacks.begin(), attacks.end(),
                         [](const Attack& a, const Attack& b) { return a.phase < b.phase; });
        for (int first = 0; first < static_cast<int>(attacks.size()); first += kRowsPerPage) {
            pages.push_back({boss, first});
        }
    }
    pageShown = std::clamp(pageShown, 0, std::max(pageCount() - 1, 0));
    if (choices.mode == GameMode::AttackPractice) {
        // The page of the attack last practised.
        for (int index = 0; index < pageCount(); ++index) {
            pageShown = index;
            for (int line = 0; line < rowsOnPage(); ++line) {
                const Attack* attack = row(line);
                if (attack->boss == choices.practice.boss && attack->phase == choices.practice.phase) {
                    return;
                }
            }
        }
        pageShown = 0;
    }
}

int PracticeMenu::settingCount(Setting setting, int stageCount) {
    switch (setting) {
        case StageRow:
            return stageCount;
        case DifficultyRow:
            return kDifficultyCount;
        case WeaponRow:
            return kHighestWeapon + 1;
        case BombsRow:
            return kMostBombs + 1;
        case LivesRow:
            return kMostLives + 1;
        default:
            return 0;
    }
}

int PracticeMenu::settingValue(Setting setting) const {
    switch (setting) {
        case StageRow:
            return stageIndex;
        case DifficultyRow:
            return storedNumber(difficultyChosen);
        case WeaponRow:
            return weaponLevel;
        case BombsRow:
            return bombCount;
        case LivesRow:
            return lifeCount;
        default:
            return 0;
    }
}

void PracticeMenu::setSettingValue(Setting setting, int value) {
    switch (setting) {
        case StageRow:
            stageIndex = value;
            break;
        case DifficultyRow:
            difficultyChosen = difficultyFromStored(value);
            break;
        case WeaponRow:
            weaponLevel = value;
            break;
        case BombsRow:
            bombCount = value;
            break;
        case LivesRow:
            lifeCount = value;
            break;
        default:
            break;
    }
}

bool PracticeMenu::step(Setting setting, int by) {
    const int count = settingCount(setting, static_cast<int>(stageChoices.size()));
    if (count <= 0) {
        return false;
    }
    const int before = settingValue(setting);
    setSettingValue(setting, std::clamp(before + by, 0, count - 1));
    return settingValue(setting) != before;
}

void PracticeMenu::cycle(Setting setting) {
    const int count = settingCount(setting, static_cast<int>(stageChoices.size()));
    if (count > 0) {
        setSettingValue(setting, (settingValue(setting) + 1) % count);
    }
}

int PracticeMenu::stage() const {
    return stageChoices.empty() ? 0 : stageChoices[static_cast<size_t>(stageIndex)];
}

std::string PracticeMenu::settingText(Setting setting) const {
    switch (setting) {
        case StageRow:
            if (stageChoices.empty()) {
                return "STAGE: NONE";
            }
            return stage() == CXGameSession::kHiddenStageChoice ? "STAGE: TRUE FIFTH"
                                                                : "STAGE: " + std::to_string(stage() + 1);
        case DifficultyRow:
            return std::string("DIFFICULTY: ") + difficultyName(difficultyChosen);
        case WeaponRow:
            return "WEAPON LEVEL: " + std::to_string(weaponLevel);
        case BombsRow:
            return "BOMBS: " + std::to_string(bombCount);
        case LivesRow:
            return "LIVES: " + std::to_string(lifeCount);
        default:
            return "";
    }
}

void PracticeMenu::turnPage(int by) {
    const int count = pageCount();
    if (count > 0) {
        pageShown = ((pageShown + by) % count + count) % count;
    }
}

const PracticeMenu::Boss* PracticeMenu::pageBoss() const {
    return pages.empty() ? nullptr
                         : &bossList[static_cast<size_t>(pages[static_cast<size_t>(pageShown)].boss)];
}

int PracticeMenu::rowsOnPage() const {
    const Boss* boss = pageBoss();
    if (!boss) {
        return 0;
    }
    const int left = static_cast<int>(boss->attacks.size()) - pages[static_cast<size_t>(pageShown)].first;
    return std::min(left, kRowsPerPage);
}

const PracticeMenu::Attack* PracticeMenu::row(int index) const {
    if (pages.empty()) {
        return nullptr;
    }
    const Page& shown = pages[static_cast<size_t>(pageShown)];
    const std::vector<Attack>& attacks = bossList[static_cast<size_t>(shown.boss)].attacks;
    const int at = shown.first + index;
    if (index < 0 || index >= kRowsPerPage || at >= static_cast<int>(attacks.size())) {
        return nullptr;
    }
    return &attacks[static_cast<size_t>(at)];
}

std::string PracticeMenu::pageTitle() const {
    const Boss* boss = pageBoss();
    if (!boss) {
        return "";
    }
    const int parts = (static_cast<int>(boss->attacks.size()) + kRowsPerPage - 1) / kRowsPerPage;
    if (parts <= 1) {
        return "< " + boss->name + " >";
    }
    const std::string part = " " +
                             std::to_string(pages[static_cast<size_t>(pageShown)].first / kRowsPerPage + 1) +
                             "/" + std::to_string(parts);
    const size_t room = static_cast<size_t>(kLineGlyphs - 4) - std::min(part.size(), size_t{kLineGlyphs - 4});
    return "< " + shownName(boss->name, room) + part + " >";
}

std::string PracticeMenu::pageCountText() const {
    if (pages.empty()) {
        return "";
    }
    const int boss = pages[static_cast<size_t>(pageShown)].boss;
    return "BOSS " + std::to_string(boss + 1) + " OF " + std::to_string(bossList.size());
}

std::string PracticeMenu::recordText(const Attack& attack) const {
    const int d = storedNumber(difficultyChosen);
    if (attack.tries[d] == 0) {
        return "NOT YET TRIED";
    }
    char time[24] = "--";
    if (attack.captures[d] > 0 && attack.bestMs[d] > 0) {
        std::snprintf(time, sizeof time, "%.1f S", static_cast<double>(attack.bestMs[d]) / 1000.0);
    }
    char text[96];
    std::snprintf(text, sizeof text, "%d/%d CAPTURED  %s", attack.captures[d], attack.tries[d], time);
    if (std::string(text).size() > kLineGlyphs) {
        std::snprintf(text, sizeof text, "%d/%d  %s", attack.captures[d], attack.tries[d], time);
    }
    return std::string(text).substr(0, kLineGlyphs);
}

void PracticeMenu::writeStock(GameChoices& choices) const {
    choices.casual = false;
    choices.difficulty = difficultyChosen;
    choices.practice.weapon = weaponLevel;
    choices.practice.bombs = bombCount;
    choices.practice.lives = lifeCount;
}

bool PracticeMenu::chooseStage(GameChoices& choices) const {
    if (stageChoices.empty()) {
        return false;
    }
    choices.mode = GameMode::StagePractice;
    writeStock(choices);
    choices.practice.stage = stage();
    choices.practice.boss.clear();
    choices.practice.phase = -1;
    return true;
}

bool PracticeMenu::chooseAttack(int index, GameChoices& choices) const {
    const Attack* attack = row(index);
    if (!attack) {
        return false;
    }
    choices.mode = GameMode::AttackPractice;
    writeStock(choices);
    choices.practice.stage = attack->stage;
    choices.practice.boss = attack->boss;
    choices.practice.phase = attack->phase;
    return true;
}
