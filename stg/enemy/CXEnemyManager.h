#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "engine/IXParticleManager.h"
#include "stg/enemy/EnemyContext.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/enemy/SpawnEntry.h"

class CXBulletManager;
class IXEnemyWorld;
class OXBoss;

// The enemies of a stage: the definition cache, the wave schedule expanded
// from the stage's wave file and released by the stage clock, the pool of
// 100 enemies, the list of those spawned, the mid-boss and the boss. Draws
// every enemy with its modules from the enemy atlas in one call per pass.
// Everything is made when a stage loads; play allocates nothing.
class CXEnemyManager : public IXParticleManager {
  public:
    static constexpr int kPoolSize = 100;
    // The most spawns a wave file may queue (a long stage has a few hundred); repeats past it
    // are clamped when read and further spawns dropped, with a line.
    static constexpr int kMostSpawns = 10000;
    // Room for every enemy of the pool with all its modules and its shield halo, in either pass.
    static constexpr int kVertexCapacity = kPoolSize * (2 + OXEnemy::kModuleSlots) * 6;
    enum State { NoData = 0, Loaded = 1, Running = 2 };

    CXEnemyManager();
    ~CXEnemyManager() override;

    // The enemy atlas `atlasPath` (a package path without ".plist"), a fresh
    // pool, and an empty schedule, spawned list and definition cache.
    void init(const std::string& atlasPath);
    // The game scene and the bullet manager; either may be null.
    void setWorld(IXEnemyWorld* value) { context.world = value; }
    void setBulletManager(CXBulletManager* value) { context.bullets = value; }
    IXEnemyWorld* getWorld() const { return context.world; }
    CXBulletManager* getBulletManager() const { return context.bullets; }

    // ---- Definitions ----
    // Reads "assets/plist/enemy/NAME.plist" into the cache, as the typed
    // definition every spawn of the type copies from, and loads its fire
    // patterns and effects. False for an empty or an already cached name; a
    // missing file caches an empty definition (its spawns give nothing).
    bool loadEnemyDefinition(const std::string& typeName);
    // A pooled enemy made from the type's definition at `at`, its
    // movement relative to `angle` (degrees); null for an unknown or empty
    // type or a full pool.
    OXEnemy* spawnEnemy(const Vec3& at, const std::string& typeName, float angle);

    // ---- Waves ----
    // Expands the wave file `path` (a package path without ".plist") into the
    // schedule, sorted by time; state Loaded.
    // False when the file is missing, unreadable or holds no enemy to spawn: a stage on it would
    // be cleared on its first frame.
    bool loadWaveData(const std::string& path);
    void setState(int value) { state = value; }
    int getState() const { return state; }
    void setStageClock(float ms) { stageClock = ms; }
    float getStageClock() const { return stageClock; }
    // Every entry of the schedule in spawn order; those before nextSpawnIndex() have spawned.
    const std::vector<SpawnEntry>& getSchedule() const { return spawnQueue; }
    int nextSpawnIndex() const { return static_cast<int>(nextSpawn); }
    int queuedCount() const { return static_cast<int>(spawnQueue.size() - nextSpawn); }
    OXEnemy* getConstantRepeatEnemy() const;
    float getConstantRepeatTime() const { return constantRepeatTime; }

    // ---- Bosses ----
    // Make the boss (or mid-boss) from `path` when none exists and the path is not empty.
    void loadBoss(const std::string& path);
    void loadMidBoss(const std::string& path);
    void setMidBossTime(float ms) { midBossTime = ms; }
    float getMidBossTime() const { return midBossTime; }
    void setMidBossDone(bool value) { midBossDone = value; }
    bool isMidBossDone() const { return midBossDone; }
    bool isBossDone() const { return bossDone; }
    // A stage without a boss counts it as beaten from the start.
    void setBossDone(bool value) { bossDone = value; }
    // The boss at its start position, started; false when there is none.
    bool startBoss();
    // The mid-boss first, then the boss.
    void markBossDefeated();
    // The schedule has run out, no enemy is left, the mid-boss is beaten and the boss waits offstage.
    bool isReadyForBoss() const;
    // The schedule has run out, no enemy is left and both bosses are beaten.
    bool isStageComplete() const;
    // The mid-boss until it is beaten, then the boss; either may be null.
    OXBoss* currentBoss() const;
    OXBoss* getBoss() const { return boss.get(); }
    OXBoss* getMidBoss() const { return midBoss.get(); }

    // A spawned enemy for a homing weapon, or null (none spawned, or the
    // choice fell on an obstacle).
    OXEnemy* randomTarget() const;

    // ---- Frame ----
    // The schedule (while running), every active enemy in pool order, the
    // spawned list's clean-up, then the bosses.
    void update(float dtMs) override;
    // Both passes, then the bosses draw themselves.
    void draw() override;
    void drawBatch() override;
    // The living enemies with their modules below and above them, then the dying ones.
    void buildBatch() override;

    const std::vector<OXEnemy*>& getSpawnedEnemies() const { return spawnedEnemies; }
    int spawnedCount() const { return static_cast<int>(spawnedEnemies.size()); }
    OXEnemy* spawned(int index) const { return spawnedEnemies[static_cast<size_t>(index)]; }
    int poolCount() const { return static_cast<int>(pool.size()); }
    OXEnemy* poolEnemy(int index) const { return pool[static_cast<size_t>(index)]; }
    int getNormalPassVertexCount() const { return normalPassVertexCount; }
    int getDyingPassVertexCount() const { return vertexCount - normalPassVertexCount; }

  private:
    OXEnemy* freeEnemy(bool fromFront) const;
    // The keys of `list` that its definition does not take, and its nodes' faults, each with a line.
    void reportDefinitionProblems(const std::string& typeName, const Plist::Dictionary& list,
                                  const EnemyDefinition& definition) const;
    void preloadFirePatterns(const EnemyDefinition& definition);
    void preloadEffects(const EnemyDefinition& definition);
    void expandWave(const Plist::Dictionary& wave);
    // The squads of one repetition of a wave that fly in "formation" form one formation: the
    // first enemy of the first of them in key order leads, the others follow at their places.
    struct Formation {
        int index = -1;  // in formations, once its leader is expanded
        Vec3 leaderAt{};
    };
    void expandSquad(const Plist::Dictionary& squad, float originX, float originY, float baseTimeMs,
                     float baseAngle, Formation& formation);
    void scheduleStep(float dtMs);
    void spawnFromEntry(const SpawnEntry& entry);
    // The pieces of an enemy shot down that splits, where it died; a full pool skips them.
    void spawnPieces(const OXEnemy& broken);
    // The enemy a carrier launches at its launch point; a full pool skips it.
    void launchFrom(const OXEnemy& carrier);
    // A living enemy of the type that shields `shielded` is in the field.
    bool shieldInField(const OXEnemy& shielded) const;
    // A formation's leader takes its place; a follower flies beside a living leader, on from its
    // break node when the leader was shot down, or alone when it has gone.
    void joinFormation(OXEnemy& enemy, const SpawnEntry& entry);
    // The leader was shot down (its followers break) or left the field (they leave with it).
    void leaderGone(const OXEnemy& leader);
    bool constantRepeatEnemyAlive() const;
    std::unique_ptr<OXBoss> makeBoss(const std::string& path);
    void writeEnemy(const OXEnemy& enemy, bool dyingPass);
    void writeModule(const OXEnemyModule& part, const Colour* override);
    // An enemy out of space: its hull fading and the marker of where it comes back.
    void writeBlink(const OXEnemy& enemy);
    void writeQuad(const Vec3& centre, float halfWidth, float halfHeight, float degrees, float u0, float v0,
                   float u1, float v1, const Colour& tint);
    void submitPass(int firstVertex, int count);

    EnemyContext context;                                     // shared with every enemy
    std::map<std::string, EnemyDefinition> enemyDefinitions;  // by type name, read once
    std::vector<OXEnemy*> pool;                               // the objects of the base's list, in pool order
    std::vector<OXEnemy*> spawnedEnemies;                     // in spawn order; capacity for the whole pool
    std::vector<SpawnEntry> spawnQueue;                       // sorted by time
    // The leader of each formation of the wave file while it flies, and whether it was shot down;
    // made when the file loads.
    struct FormationLink {
        const OXEnemy* leader = nullptr;
        unsigned serial = 0;
        bool shotDown = false;
    };
    std::vector<FormationLink> formations;
    bool spawnsDropped = false;    // the wave file asked for more than kMostSpawns
    bool piecesSkipped = false;    // a full pool skipped pieces; said once a stage
    bool launchesSkipped = false;  // a full pool skipped a carrier's launch; said once a stage
    size_t nextSpawn = 0;          // the first entry not yet spawned
    float stageClock = 0.0f;       // ms
    int state = NoData;
    unsigned spawnSerial = 0;

    std::unique_ptr<OXBoss> boss;
    std::unique_ptr<OXBoss> midBoss;
    float midBossTime = 0.0f;  // ms on the stage clock
    bool midBossDone = false;
    bool bossDone = false;
    bool midBossStarted = false;

    // The squad that keeps one enemy on screen while its window lasts.
    OXEnemy* constantRepeatEnemy = nullptr;
    unsigned constantRepeatSerial = 0;
    float constantRepeatTime = 0.0f;                     // ms left in the window
    const SpawnEntry* constantRepeatTemplate = nullptr;  // an entry of spawnQueue

    int normalPassVertexCount = 0;
};
