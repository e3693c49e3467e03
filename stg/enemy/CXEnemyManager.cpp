#include "stg/enemy/CXEnemyManager.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "engine/BlendMode.h"
#include "engine/RotationCorners.h"
#include "stg/enemy/EnemyDictionary.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/enemy/OXBoss.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/ShotMath.h"

namespace {

using namespace enemydict;

// Wave keys.
const std::string kTime = "time", kX = "x", kY = "y", kZ = "z", kOffsetX = "offset x", kOffsetY = "offset y";
const std::string kRandomX = "random x", kRandomY = "random y", kRepeat = "repeat", kCooldown = "cooldown";
const std::string kCooldownChange = "cooldown change", kAngle = "angle", kAngleChange = "angle change";
const std::string kSquads = "squads";
// Squad keys.
const std::string kLocationX = "location x", kLocationY = "location y", kLocationZ = "location z";
const std::string kType = "type", kShiftX = "shift x", kShiftY = "shift y",
                  kInitialCooldown = "initial cooldown";
const std::string kConstantRepeat = "constant repeat", kFormation = "formation";

const std::string kSoundFiles[] = {"sfx_small_expl.caf", "sfx_medium_expl.caf"};

constexpr float kConstantRepeatLeftX = 100.0f;  // respawns come in somewhere across the middle
constexpr float kConstantRepeatWidth = 120.0f;
const Colour kDyingPassColour{2.0f, 0.5f, 0.5f, 1.0f};
constexpr float kShieldHaloScale = 1.4f;  // the halo's width over the hull's
constexpr float kShieldHaloLowAlpha = 0.55f;
const Colour kBlinkGhost{1.6f, 0.35f, 0.3f, 0.45f};

// A place or angle that overflowed while the schedule was worked out spawns at 0.
float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

// The index of "stem %d" keys, or -1.
int indexOfKey(const std::string& key, const char* stem) {
    const size_t length = std::strlen(stem);
    if (key.size() <= length + 1 || key.compare(0, length, stem) != 0 || key[length] != ' ') {
        return -1;
    }
    const char* digits = key.c_str() + length + 1;
    char* end = nullptr;
    const long index = std::strtol(digits, &end, 10);
    return end != digits && *end == '\0' && index >= 0 ? static_cast<int>(index) : -1;
}

// The first token of a launcher list that is not a whole number, or null.
const char* badLauncherToken(const std::string& list, std::string& token) {
    size_t at = 0;
    while (at < list.size()) {
        while (at < list.size() && std::isspace(static_cast<unsigned char>(list[at]))) {
            ++at;
        }
        const size_t start = at;
        while (at < list.size() && !std::isspace(static_cast<unsigned char>(list[at]))) {
            ++at;
        }
        if (start == at) {
            break;
        }
        token = list.substr(start, at - start);
        char* end = nullptr;
        std::strtol(token.c_str(), &end, 10);
        if (end == token.c_str() || *end != '\0') {
            return token.c_str();
        }
    }
    return nullptr;
}

}  // namespace

CXEnemyManager::CXEnemyManager() = default;

CXEnemyManager::~CXEnemyManager() = default;

void CXEnemyManager::init(const std::string& atlasPath) {
    vertexCapacity = kVertexCapacity;
    loadAtlas(atlasPath, true, true);
    blendMode = 0;  // premultiplied colours over premultiplied textures
    objects.clear();
    pool.clear();
    objects.reserve(kPoolSize);
    pool.reserve(kPoolSize);
    for (int i = 0; i < kPoolSize; ++i) {
        auto* enemy = new OXEnemy();
        enemy->load("");
        enemy->createParts({});
        enemy->setContext(&context);
        enemy->setOwnerKind(OwnerEnemy);
        enemy->setVisible(false);
        enemy->setActive(false);
        addObject(enemy);
        pool.push_back(enemy);
    }
    spawnQueue.clear();
    spawnsDropped = false;
    piecesSkipped = false;
    launchesSkipped = false;
    nextSpawn = 0;
    spawnedEnemies.clear();
    spawnedEnemies.reserve(kPoolSize);
    enemyDefinitions.clear();
    stageClock = 0.0f;
    state = NoData;
    boss.reset();
    midBoss.reset();
    midBossTime = 0.0f;
    midBossDone = bossDone = midBossStarted = false;
    constantRepeatEnemy = nullptr;
    constantRepeatTime = 0.0f;
    constantRepeatTemplate = nullptr;
    normalPassVertexCount = 0;
    for (const std::string& sound : kSoundFiles) {
        CXSoundManager::instance().loadSound(sound);
    }
}

// ---- Definitions ----

bool CXEnemyManager::loadEnemyDefinition(const std::string& typeName) {
    if (typeName.empty() || enemyDefinitions.count(typeName) != 0) {
        return false;
    }
    Plist::Dictionary definition;
    const std::string path = "assets/plist/enemy/" + typeName + ".plist";
    if (!Plist::loadContent(path, definition) && !assetExists(path)) {
        std::printf("MISSING ENEMY DEFINITION %s\n", path.c_str());
    }
    enemydict::holdNodeTimes(definition, path);
    EnemyDefinition read = readEnemyDefinition(definition);
    preloadFirePatterns(read);
    preloadEffects(read);
    reportDefinitionProblems(typeName, definition, read);
    // The pieces it splits into, the enemies it launches and those that shield it are loaded with
    // it; the type is cached first, so a type that names itself is read once.
    const std::string pieces = read.splitInto, launched = read.launchEnemy, shielding = read.shieldedBy;
    enemyDefinitions.emplace(typeName, std::move(read));
    loadEnemyDefinition(pieces);
    loadEnemyDefinition(launched);
    loadEnemyDefinition(shielding);
    return true;
}

void CXEnemyManager::preloadFirePatterns(const EnemyDefinition& definition) {
    for (const LauncherMount& mount : definition.launchers) {
        if (context.bullets && !mount.firePattern.empty()) {
            context.bullets->loadFirePattern(mount.firePattern);
        }
    }
}

void CXEnemyManager::preloadEffects(const EnemyDefinition& definition) {
    IXShotEffects& fx = context.effects();
    auto preload = [&fx](const std::string& name) {
        if (!name.empty()) {
            fx.preloadEffect(name);
        }
    };
    preload(definition.effect);
    for (const EnemyPart& part : definition.parts) {
        preload(part.destroyEffect);
        preload(part.effect);
    }
    // Node effects too, so that no spawn reads a file.
    for (const MovementNode& node : definition.nodes) {
        if (node.effect.size() > 1) {
            preload(node.effect);
        }
    }
}

void CXEnemyManager::reportDefinitionProblems(const std::string& typeName, const Plist::Dictionary& list,
                                              const EnemyDefinition& definition) const {
    const char* name = typeName.c_str();
    const int launcherCount = static_cast<int>(definition.launchers.size());
    const int moduleCount = static_cast<int>(definition.parts.size());
    const int nodeCount = static_cast<int>(definition.nodes.size());
    for (const auto& entry : list) {
        const int launcher = indexOfKey(entry.first, "launcher");
        const int part = indexOfKey(entry.first, "module");
        const int node = indexOfKey(entry.first, "movement node");
        if (launcher > launcherCount || part > moduleCount || node > nodeCount ||
            (node >= OXEnemy::kMaxMovementNodes)) {
            std::printf("ENEMY %s: \"%s\" FOLLOWS A MISSING INDEX AND IS NOT READ\n", name,
                        entry.first.c_str());
        } else if (launcher >= OXEnemy::kLauncherSlots) {
            std::printf("ENEMY %s: \"%s\" IS IGNORED (LAUNCHER SLOTS ARE 0 TO %d)\n", name,
                        entry.first.c_str(), OXEnemy::kLauncherSlots - 1);
        } else if (part >= OXEnemy::kModuleSlots) {
            std::printf("ENEMY %s: \"%s\" IS DROPPED (AN ENEMY CARRIES %d MODULES)\n", name,
                        entry.first.c_str(), OXEnemy::kModuleSlots);
        }
    }
    if (definition.breakNode >= nodeCount && definition.breakNode > 0) {
        std::printf("ENEMY %s: \"break node\" %d NAMES NO MOVEMENT NODE, IT BREAKS FROM NODE 0\n", name,
                    definition.breakNode);
    }
    std::string token;
    for (int index = 0; index < nodeCount; ++index) {
        const MovementNode& node = definition.nodes[static_cast<size_t>(index)];
        if (node.durationMs <= 0.0f) {
            std::printf("ENEMY %s: MOVEMENT NODE %d HAS NO POSITIVE DURATION AND ENDS AT ONCE\n", name,
                        index);
        }
        for (int which = 0; which < MovementNode::LauncherListCount; ++which) {
            if (const char* bad = badLauncherToken(node.launchers[which], token)) {
                std::printf("ENEMY %s: MOVEMENT NODE %d: \"%s\" IN \"%s\" IS NOT A LAUNCHER INDEX\n", name,
                            index, bad, launcherListKey(which).c_str());
            }
        }
    }
}

OXEnemy* CXEnemyManager::freeEnemy(bool fromFront) const {
    const int count = poolCount();
    for (int step = 0; step < count; ++step) {
        OXEnemy* enemy = pool[static_cast<size_t>(fromFront ? step : count - 1 - step)];
        if (!enemy->isVisible() && !enemy->isActive()) {
            return enemy;
        }
    }
    return nullptr;
}

OXEnemy* CXEnemyManager::spawnEnemy(const Vec3& at, const std::string& typeName, float angle) {
    if (enemyDefinitions.empty()) {
        return nullptr;
    }
    const auto found = enemyDefinitions.find(typeName);
    if (found == enemyDefinitions.end() || !found->second.usable) {
        return nullptr;
    }
    const EnemyDefinition& definition = found->second;
    OXEnemy* enemy = freeEnemy(definition.bottomLayer);
    if (!enemy) {
        return nullptr;
    }
    const bool casual = context.world && context.world->isCasualPlay();
    enemy->applyDefinition(definition, at, angle, casual, numColumns, numRows);
    const auto shielding =
        definition.shieldedBy.empty() ? enemyDefinitions.end() : enemyDefinitions.find(definition.shieldedBy);
    enemy->setTypeKeys(&found->first, shielding == enemyDefinitions.end() ? nullptr : &shielding->first);
    enemy->setSpawnSerial(++spawnSerial);
    enemy->activate();
    // An enemy released and spawned again before the list's clean-up keeps its place.
    if (std::find(spawnedEnemies.begin(), spawnedEnemies.end(), enemy) == spawnedEnemies.end()) {
        spawnedEnemies.push_back(enemy);
    }
    return enemy;
}

// ---- Waves ----

bool CXEnemyManager::loadWaveData(const std::string& path) {
    spawnQueue.clear();
    formations.clear();
    nextSpawn = 0;
    constantRepeatTemplate = nullptr;
    constantRepeatEnemy = nullptr;
    constantRepeatTime = 0.0f;
    Plist::Dictionary waves;
    const std::string file = path + ".plist";
    if (!Plist::loadContent(file, waves) && !assetExists(file)) {
        std::printf("MISSING WAVE DATA %s\n", file.c_str());
    }
    std::printf("LOADING WAVE DATA\n");
    Plist::noteNamedEntries(waves);
    for (const auto& entry : waves) {
        const Plist::Dictionary* wave = Plist::asDict(entry.second);
        if (!wave) {
            std::printf("WAVE \"%s\" IS NOT A DICTIONARY\n", entry.first.c_str());
            continue;
        }
        expandWave(*wave);
    }
    std::printf("SORTING ENEMY SPAWN DATA\n");
    if (spawnQueue.size() > 1) {
        std::stable_sort(spawnQueue.begin(), spawnQueue.end(),
                         [](const SpawnEntry& a, const SpawnEntry& b) { return a.timeMs < b.timeMs; });
    }
    std::printf("ENEMY SPAWN DATA READY\n");
    state = Loaded;
    if (spawnQueue.empty()) {
        std::printf("WAVE DATA %s HAS NO ENEMIES\n", file.c_str());
        return false;
    }
    return true;
}

void CXEnemyManager::expandWave(const Plist::Dictionary& wave) {
    const Plist::Dictionary* squads = Plist::findDict(wave, kSquads);
    if (squads) {
        Plist::noteNamedEntries(*squads);
    }
    int repeat = 0;
    Plist::readWithin(wave, kRepeat, repeat, 0, 0, kMostSpawns);
    if (!squads || repeat <= 0) {
        return;
    }
    const float time = Plist::floatOr(wave, kTime, 0.0f);
    const float x = Plist::floatOr(wave, kX, 0.0f), y = Plist::floatOr(wave, kY, 0.0f);
    const float offsetX = Plist::floatOr(wave, kOffsetX, 0.0f),
                offsetY = Plist::floatOr(wave, kOffsetY, 0.0f);
    const float randomX = Plist::floatOr(wave, kRandomX, 0.0f),
                randomY = Plist::floatOr(wave, kRandomY, 0.0f);
    const float cooldown = Plist::floatOr(wave, kCooldown, 0.0f);
    const float cooldownChange = Plist::floatOr(wave, kCooldownChange, 0.0f);
    const float angle = Plist::floatOr(wave, kAngle, 0.0f),
                angleChange = Plist::floatOr(wave, kAngleChange, 0.0f);
    float gap = 0.0f;  // from the wave's time to this repetition
    for (int i = 0; i < repeat && !spawnsDropped; ++i) {
        const float fi = static_cast<float>(i);
        const float jitterX = shotmath::randomFraction() * randomX - randomX / 2.0f;
        const float jitterY = shotmath::randomFraction() * randomY - randomY / 2.0f;
        Formation formation;  // the repetition's squads that fly in formation form one
        for (const auto& entry : *squads) {
            if (spawnsDropped) {
                break;
            }
            if (const Plist::Dictionary* squad = Plist::asDict(entry.second)) {
                expandSquad(*squad, fi * offsetX + x + jitterX, fi * offsetY + y + jitterY, time + gap,
                            fi * angleChange + angle, formation);
            }
        }
        gap += fi * cooldownChange + cooldown;
    }
}

void CXEnemyManager::expandSquad(const Plist::Dictionary& squad, float originX, float originY,
                                 float baseTimeMs, float baseAngle, Formation& formation) {
    int repeat = 0;
    Plist::readWithin(squad, kRepeat, repeat, 0, 0, kMostSpawns);
    const std::string& type = Plist::textOf(squad, kType);
    loadEnemyDefinition(type);
    const float time = Plist::floatOr(squad, kTime, 0.0f);
    const float locationX = Plist::floatOr(squad, kLocationX, 0.0f),
                locationY = Plist::floatOr(squad, kLocationY, 0.0f);
    const float locationZ = Plist::floatOr(squad, kLocationZ, 0.0f);
    const float shiftX = Plist::floatOr(squad, kShiftX, 0.0f), shiftY = Plist::floatOr(squad, kShiftY, 0.0f);
    const float randomX = Plist::floatOr(squad, kRandomX, 0.0f),
                randomY = Plist::floatOr(squad, kRandomY, 0.0f);
    const float cooldown = Plist::floatOr(squad, kCooldown, 0.0f);
    const float initialCooldown = Plist::floatOr(squad, kInitialCooldown, 0.0f);
    const float angle = Plist::floatOr(squad, kAngle, 0.0f),
                angleChange = Plist::floatOr(squad, kAngleChange, 0.0f);
    float constantRepeat = 0.0f;
    const bool respawns = Plist::read(squad, kConstantRepeat, constantRepeat, 0.0f);
    bool inFormation = false;
    Plist::read(squad, kFormation, inFormation, false);
    inFormation = inFormation && repeat > 0;
    const bool leads = inFormation && formation.index < 0;
    if (leads) {
        formation.index = static_cast<int>(formations.size());
        formations.emplace_back();
    }
    float jitterX = 0.0f, jitterY = 0.0f;  // a squad without jitter widths keeps the last one
    for (int j = 0; j < repeat; ++j) {
        const float fj = static_cast<float>(j);
        if (randomX > 0.0f) {
            jitterX = shotmath::randomFraction() * randomX - randomX / 2.0f;
        }
        if (randomY > 0.0f) {
            jitterY = shotmath::randomFraction() * randomY - randomY / 2.0f;
        }
        // The wave's angle turns the formation clockwise.
        const Vec3 offset = shotmath::turned(
            {fj * shiftX + locationX + jitterX, fj * shiftY + locationY + jitterY, 0.0f}, -baseAngle);
        SpawnEntry spawn;
        spawn.timeMs = fj * cooldown + time + baseTimeMs + initialCooldown;
        spawn.at = {finiteOrZero(offset.x + originX), finiteOrZero(offset.y + originY), locationZ};
        spawn.angle = finiteOrZero(fj * angleChange + angle + baseAngle);
        spawn.type = type;
        spawn.respawns = respawns;
        spawn.respawnWindowMs = respawns ? constantRepeat : 0.0f;
        if (inFormation) {
            spawn.leads = leads && j == 0;
            if (spawn.leads) {
                formation.leaderAt = spawn.at;
            }
            spawn.formation = formation.index;
            spawn.formationOffset = spawn.at - formation.leaderAt;
        }
        if (spawnQueue.size() >= static_cast<size_t>(kMostSpawns)) {
            if (!spawnsDropped) {
                std::printf("WAVE DATA ASKS FOR MORE THAN %d SPAWNS, THE REST ARE DROPPED\n", kMostSpawns);
            }
            spawnsDropped = true;
            return;
        }
        spawnQueue.push_back(std::move(spawn));
    }
}

void CXEnemyManager::scheduleStep(float dtMs) {
    if (midBossDone) {
        stageClock += dtMs;
    } else if (stageClock < midBossTime) {
        // The clock stops on the mid-boss's time, not past it.
        stageClock = std::min(stageClock + dtMs, midBossTime);
    } else if (midBoss && !midBoss->isVisible() && !midBossStarted) {
        midBoss->start();
        midBossStarted = true;
    }

    while (nextSpawn < spawnQueue.size() && spawnQueue[nextSpawn].timeMs <= stageClock) {
        spawnFromEntry(spawnQueue[nextSpawn]);
        ++nextSpawn;
    }

    if (constantRepeatTime > 0.0f) {
        constantRepeatTime -= dtMs;
        if (constantRepeatTime > 0.0f && constantRepeatTemplate && !constantRepeatEnemyAlive()) {
            const SpawnEntry& entry = *constantRepeatTemplate;
            const Vec3 at{kConstantRepeatLeftX + kConstantRepeatWidth * shotmath::randomFraction(),
                          entry.at.y, entry.at.z};
            constantRepeatEnemy = spawnEnemy(at, entry.type, entry.angle);
            constantRepeatSerial = constantRepeatEnemy ? constantRepeatEnemy->getSpawnSerial() : 0;
        }
    }
    if (constantRepeatTime <= 0.0f) {
        constantRepeatEnemy = nullptr;
        constantRepeatTime = 0.0f;
    }
}

void CXEnemyManager::spawnFromEntry(const SpawnEntry& entry) {
    const Vec3& at = entry.at;
    const float angle = entry.angle;
    const std::string& type = entry.type;
    constantRepeatTime = entry.respawnWindowMs;
    OXEnemy* made = nullptr;
    if (entry.respawns && !constantRepeatEnemy) {
        made = constantRepeatEnemy = spawnEnemy(at, type, angle);
        constantRepeatSerial = constantRepeatEnemy ? constantRepeatEnemy->getSpawnSerial() : 0;
        constantRepeatTemplate = &entry;
    } else {
        made = spawnEnemy(at, type, angle);
    }
    if (made && entry.formation >= 0) {
        joinFormation(*made, entry);
    }
}

void CXEnemyManager::joinFormation(OXEnemy& enemy, const SpawnEntry& entry) {
    FormationLink& link = formations[static_cast<size_t>(entry.formation)];
    if (entry.leads) {
        link = {&enemy, enemy.getSpawnSerial(), false};
        enemy.setLeadsFormation(true);
        return;
    }
    const OXEnemy* leader = link.leader;
    if (leader && leader->getSpawnSerial() == link.serial && leader->isActive() && !leader->isDying()) {
        enemy.follow(*leader, entry.formationOffset);
    } else if (link.shotDown) {
        enemy.breakFormation();
    }
}

void CXEnemyManager::leaderGone(const OXEnemy& leader) {
    for (FormationLink& link : formations) {
        if (link.leader == &leader && link.serial == leader.getSpawnSerial()) {
            link.leader = nullptr;
            link.shotDown = leader.wasShotDown();
        }
    }
    for (OXEnemy* follower : pool) {
        if (follower->isActive() && follower->getLeader() == &leader) {
            if (leader.wasShotDown()) {
                follower->breakFormation();
            } else {
                follower->release();
            }
        }
    }
}

void CXEnemyManager::spawnPieces(const OXEnemy& broken) {
    // Read before the first piece spawns: it may take the broken enemy's own pool slot.
    const std::string& type = broken.getSplitType();  // in the definitions, which outlive it
    const auto found = enemyDefinitions.find(type);
    if (found == enemyDefinitions.end() || !found->second.usable) {
        return;  // a missing list was reported when the stage loaded
    }
    const int count = broken.getSplitCount();
    const float spread = broken.getSplitSpread();
    const float heading = broken.getHeading();
    const Vec3 at{broken.getX(), broken.getY(), OXEnemy::kPlayPlaneZ};
    for (int piece = 0; piece < count; ++piece) {
        // Evenly across the spread, its middle on the heading; one piece flies straight on.
        const float share =
            count > 1 ? static_cast<float>(piece) / static_cast<float>(count - 1) - 0.5f : 0.0f;
        const float angle = shotmath::wrapDirection(heading + spread * share);
        if (!spawnEnemy(at, type, angle)) {
            if (!piecesSkipped) {
                std::printf("ENEMY POOL FULL: %d PIECES OF %s SKIPPED\n", count - piece, type.c_str());
            }
            piecesSkipped = true;
            return;
        }
    }
}

void CXEnemyManager::launchFrom(const OXEnemy& carrier) {
    const std::string& type = carrier.getLaunchType();  // in the definitions, which outlive it
    const auto found = enemyDefinitions.find(type);
    if (found == enemyDefinitions.end() || !found->second.usable) {
        return;  // a missing list was reported when the stage loaded
    }
    if (!spawnEnemy(carrier.launchPoint(), type, carrier.getSpawnAngle())) {
        if (!launchesSkipped) {
            std::printf("ENEMY POOL FULL: A LAUNCH OF %s SKIPPED\n", type.c_str());
        }
        launchesSkipped = true;
    }
}

bool CXEnemyManager::shieldInField(const OXEnemy& shielded) const {
    const std::string* type = shielded.getShieldKey();
    for (const OXEnemy* enemy : pool) {
        if (enemy != &shielded && enemy->getTypeKey() == type && enemy->isActive() && !enemy->isDying() &&
            enemy->isInField()) {
            return true;
        }
    }
    return false;
}

bool CXEnemyManager::constantRepeatEnemyAlive() const {
    // A pool object spawned again for another entry is not the held enemy any more.
    return constantRepeatEnemy && constantRepeatEnemy->getSpawnSerial() == constantRepeatSerial &&
           constantRepeatEnemy->isVisible();
}

OXEnemy* CXEnemyManager::getConstantRepeatEnemy() const {
    return constantRepeatEnemy;
}

// ---- Bosses ----

std::unique_ptr<OXBoss> CXEnemyManager::makeBoss(const std::string& path) {
    auto made = std::make_unique<OXBoss>();
    made->load("");
    made->setContext(&context);
    made->setEnemyManager(this);
    made->setOwnerKind(OwnerEnemy);
    made->loadBoss(path);
    made->setVisible(false);
    made->setActive(false);
    made->setBlendMode(BlendAlpha);
    made->setUniformScaleAll(0.5f);
    made->setDone(false);
    return made;
}

void CXEnemyManager::loadBoss(const std::string& path) {
    if (!path.empty() && !boss) {
        boss = makeBoss(path);
    }
}

void CXEnemyManager::loadMidBoss(const std::string& path) {
    if (!path.empty() && !midBoss) {
        midBoss = makeBoss(path);
    }
}

bool CXEnemyManager::startBoss() {
    if (!boss) {
        return false;
    }
    boss->start();
    return true;
}

void CXEnemyManager::markBossDefeated() {
    if (!midBossDone) {
        midBossDone = true;
    } else {
        bossDone = true;
    }
}

bool CXEnemyManager::isReadyForBoss() const {
    // The mid-boss comes first: a stage without waves (boss rush) would otherwise bring both at once.
    return queuedCount() == 0 && spawnedEnemies.empty() && midBossDone && boss && !boss->isVisible() &&
           !boss->isActive();
}

bool CXEnemyManager::isStageComplete() const {
    return queuedCount() == 0 && spawnedEnemies.empty() && midBossDone && bossDone;
}

OXBoss* CXEnemyManager::currentBoss() const {
    return midBossDone ? boss.get() : midBoss.get();
}

OXEnemy* CXEnemyManager::randomTarget() const {
    const int count = spawnedCount();
    if (count == 0) {
        return nullptr;
    }
    const float r = shotmath::randomFraction();
    const int index =
        std::clamp(static_cast<int>(std::floor(static_cast<float>(count) * r + 0.5f)) - 1, 0, count - 1);
    OXEnemy* chosen = spawnedEnemies[static_cast<size_t>(index)];
    return chosen->isObstacle() ? nullptr : chosen;
}

// ---- Frame ----

void CXEnemyManager::update(float dtMs) {
    context.newFrame();
    if (state == Running) {
        scheduleStep(dtMs);
    }
    for (OXEnemy* enemy : pool) {
        if (enemy->isActive()) {
            const bool leading = enemy->isFormationLeader() && !enemy->isDying();
            enemy->tick(dtMs);
            if (leading && (!enemy->isActive() || enemy->isDying())) {
                enemy->setLeadsFormation(false);
                leaderGone(*enemy);
            }
            if (enemy->takeSplit()) {
                spawnPieces(*enemy);
            }
            if (enemy->takeLaunch()) {
                launchFrom(*enemy);
            }
        }
    }
    // Shields hold while an enemy of the shielding type is in the field.
    for (OXEnemy* enemy : pool) {
        if (enemy->isActive() && enemy->getShieldKey()) {
            enemy->setShielded(!enemy->isDying() && shieldInField(*enemy));
        }
    }
    // Followers take their places once their leaders have moved.
    for (OXEnemy* enemy : pool) {
        if (enemy->isActive() && enemy->getLeader()) {
            enemy->keepFormation();
        }
    }
    spawnedEnemies.erase(
        std::remove_if(spawnedEnemies.begin(), spawnedEnemies.end(),
                       [](const OXEnemy* enemy) { return !enemy->isActive() && !enemy->isVisible(); }),
        spawnedEnemies.end());
    if (boss && boss->isActive()) {
        boss->tick(dtMs);
    }
    if (midBoss && midBoss->isActive()) {
        midBoss->tick(dtMs);
    }
}

void CXEnemyManager::draw() {
    if (!visible) {
        return;
    }
    drawBatch();
    if (midBoss && midBoss->isVisible()) {
        midBoss->draw();
    }
    if (boss && boss->isVisible()) {
        boss->draw();
    }
}

void CXEnemyManager::drawBatch() {
    buildBatch();
    submitPass(0, normalPassVertexCount);
    submitPass(normalPassVertexCount, vertexCount - normalPassVertexCount);
}

void CXEnemyManager::submitPass(int firstVertex, int count) {
    submitVertices(firstVertex, count, blendMode, Layout::Triangles);
}

void CXEnemyManager::buildBatch() {
    vertexCount = 0;
    if (!vertices) {
        normalPassVertexCount = 0;
        return;
    }
    for (const OXEnemy* enemy : spawnedEnemies) {
        if (enemy->isVisible() && !enemy->isFlyingIn() && !enemy->isDying()) {
            writeEnemy(*enemy, false);
        }
    }
    normalPassVertexCount = vertexCount;
    for (const OXEnemy* enemy : spawnedEnemies) {
        if (enemy->isVisible() && enemy->isDying()) {
            writeEnemy(*enemy, true);
        }
    }
}

void CXEnemyManager::writeEnemy(const OXEnemy& enemy, bool dyingPass) {
    const Colour* passColour = dyingPass ? &kDyingPassColour : nullptr;
    if (enemy.isBlinkedOut()) {
        writeBlink(enemy);
        return;
    }
    for (int i = 0; i < OXEnemy::kModuleSlots; ++i) {
        const OXEnemyModule& part = enemy.module(i);
        if (part.isVisible() && part.getAnchor().z <= 0.0f) {
            writeModule(part, passColour);
        }
    }
    const int frame =
        dyingPass && enemy.showsFlickerFrame() ? enemy.getFlickerFrame() : enemy.getAtlasFrame();
    const TexCoord origin = frameOrigin(frame);
    const float du = enemy.getUnitWidth() / static_cast<float>(numColumns);
    const float dv = enemy.getUnitHeight() / static_cast<float>(numRows);
    const Vec3& extent = enemy.getSize();
    const Vec3& stretch = enemy.getScale();
    // The quad spans "unit width" cells across at the size of one cell; its
    // height is the y size, which "unit height" has already stretched.
    writeQuad(enemy.getPosition(), extent.x * enemy.getUnitWidth() * stretch.x * 0.5f * managerScale,
              extent.y * stretch.y * 0.5f * managerScale, enemy.getFacing(), origin.u, origin.v,
              origin.u + du, origin.v + dv, passColour ? *passColour : enemy.getColour());
    for (int i = 0; i < OXEnemy::kModuleSlots; ++i) {
        const OXEnemyModule& part = enemy.module(i);
        if (part.isVisible() && part.getAnchor().z > 0.0f) {
            writeModule(part, passColour);
        }
    }
    if (!dyingPass && enemy.isShielded() && enemy.getShieldFrame() >= 0) {
        // The halo rings the hull, brightening with the shimmer.
        const float reach =
            std::max(extent.x * enemy.getUnitWidth(), extent.y) * kShieldHaloScale * 0.5f * managerScale;
        const float alpha = kShieldHaloLowAlpha + (1.0f - kShieldHaloLowAlpha) * enemy.shieldGlow();
        const TexCoord cell = frameOrigin(enemy.getShieldFrame());
        writeQuad(enemy.getPosition(), reach, reach, 0.0f, cell.u, cell.v,
                  cell.u + 1.0f / static_cast<float>(numColumns), cell.v + 1.0f / static_cast<float>(numRows),
                  Colour{1.0f, 1.0f, 1.0f, alpha});
    }
}

void CXEnemyManager::writeBlink(const OXEnemy& enemy) {
    const Vec3& extent = enemy.getSize();
    const float halfWidth = extent.x * enemy.getUnitWidth() * 0.5f * managerScale;
    const float halfHeight = extent.y * 0.5f * managerScale;
    const float du = enemy.getUnitWidth() / static_cast<float>(numColumns);
    const float dv = enemy.getUnitHeight() / static_cast<float>(numRows);
    // The hull fades where it was.
    TexCoord cell = frameOrigin(enemy.getAtlasFrame());
    writeQuad(enemy.getPosition(), halfWidth, halfHeight, enemy.getFacing(), cell.u, cell.v, cell.u + du,
              cell.v + dv, enemy.getColour());
    // The marker where it will come back: the marker cell, or a faint red ghost of the hull.
    const int marker = enemy.getBlinkMarkerFrame();
    const Vec3& at = enemy.getBlinkTarget();
    const float pulse = 1.0f - enemy.getColour().a;  // grows as the hull fades
    if (marker >= 0) {
        cell = frameOrigin(marker);
        const float reach = std::max(halfWidth, halfHeight);
        writeQuad(at, reach, reach, 0.0f, cell.u, cell.v, cell.u + 1.0f / static_cast<float>(numColumns),
                  cell.v + 1.0f / static_cast<float>(numRows), Colour{1.0f, 1.0f, 1.0f, pulse});
    } else {
        writeQuad(at, halfWidth, halfHeight, enemy.getFacing(), cell.u, cell.v, cell.u + du, cell.v + dv,
                  Colour{kBlinkGhost.r, kBlinkGhost.g, kBlinkGhost.b, kBlinkGhost.a * pulse});
    }
}

void CXEnemyManager::writeModule(const OXEnemyModule& part, const Colour* override) {
    const OXEnemyModule::TexRect& cell = part.getTexRect();
    const Vec3& extent = part.getSize();
    const Vec3& stretch = part.getScale();
    writeQuad(part.getPosition(), extent.x * stretch.x * 0.5f * managerScale,
              extent.y * stretch.y * 0.5f * managerScale, part.getRotation().z, cell.u, cell.v,
              cell.u + cell.width, cell.v + cell.height, override ? *override : part.getColour());
}

void CXEnemyManager::writeQuad(const Vec3& centre, float halfWidth, float halfHeight, float degrees, float u0,
                               float v0, float u1, float v1, const Colour& tint) {
    if (!hasRoom(6)) {
        return;
    }
    // A heading turns clockwise; the corner table turns counter-clockwise.
    const RotationCorner& corner = rotationCorner(wrapDegrees(-degrees));
    const float s = (corner.a - corner.b) * 0.5f;
    const float c = -(corner.a + corner.b) * 0.5f;
    auto at = [&](float localX, float localY, float u, float v) {
        return QuadCorner{centre.x + localX * c - localY * s, centre.y + localX * s + localY * c, 0.0f, u, v};
    };
    const QuadCorner corners[4] = {at(-halfWidth, halfHeight, u0, v0), at(halfWidth, halfHeight, u1, v0),
                                   at(-halfWidth, -halfHeight, u0, v1), at(halfWidth, -halfHeight, u1, v1)};
    emitQuad(QuadOrder::Triangles, corners, tint.r * tint.a, tint.g * tint.a, tint.b * tint.a, tint.a);
}
