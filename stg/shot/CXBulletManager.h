#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/CXTextureManager.h"
#include "engine/IXParticleManager.h"
#include "engine/VisibilityOptions.h"
#include "stg/shot/BeamProperties.h"
#include "stg/shot/BulletProperties.h"
#include "stg/shot/FirePattern.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OwnerKind.h"

class IXShootable;
class IXShotTarget;
class IXShotWorld;
class OXBeam;
class OXBullet;
class OXLauncher;
class OXLauncherPlatform;

// Owns every bullet, prize item and beam of a stage in fixed pools made once
// at load, the bullet types and fire patterns read for it, and the batches
// that draw them. Launchers fire through it; cancels, bombs and the game
// scene clear bullets through it. Nothing is allocated after load.
class CXBulletManager : public IXParticleManager {
  public:
    static constexpr int kEnemyPoolSize = 2000;
    static constexpr int kPlayerPoolSize = 1000;  // bullets of "is glow" types
    static constexpr int kPrizePoolSize = 1500;
    static constexpr int kBeamPoolSize = 60;
    static constexpr int kVertexCapacity = 27000;
    static_assert(kVertexCapacity >= kEnemyPoolSize * 12, "every enemy bullet and its outline fit one batch");

    // What bullets read from the game scene during one update, gathered once
    // at its start (and again after the ship is hit).
    struct FrameView {
        IXShotWorld* world = nullptr;
        IXShotTarget* player = nullptr;
        Vec3 playerPosition{};
        bool playerUsable = false;  // visible and alive
        bool graceActive = false;   // enemy bullets are being cleared
        bool casual = false;
        bool laserHeld = false;
        bool anyBlockers = false;  // kept current as blockers come and go
    };

    CXBulletManager();
    ~CXBulletManager() override;

    // Loads the bullet atlas `path` (without ".plist") and makes the pools.
    void load(const std::string& path) override;
    // Ticks the enemy pool, the prize pool, the player pool and the beams.
    void update(float dtMs) override;
    // The enemy-bullet pass: its own draw.
    void drawBatch() override;
    void buildBatch() override;

    void setWorld(IXShotWorld* value);
    IXShotWorld* getWorld() const { return world; }
    // The stage's effects; null hands the manager effects that show nothing.
    void setEffects(IXShotEffects* value) { effects = value ? value : &noShotEffects(); }
    // Never null.
    IXShotEffects* getEffects() const { return effects; }
    // The difficulty rank that scales fire patterns.
    void setRank(int value) { rank = value; }
    int getRank() const { return rank; }
    // Copied into every bullet fired from now on.
    void setTimeScale(float value) { timeScale = value; }
    float getTimeScale() const { return timeScale; }
    // Takes the world's current ship for the bullets.
    void setPlayer();

    // Bullet types ("assets/plist/bp/NAME"): true when a new type was read.
    bool loadBulletType(const std::string& name);
    BulletProperties* findBulletType(const std::string& name);
    // Fire patterns ("assets/plist/fp/NAME"), with their bullet types.
    bool loadFirePattern(const std::string& name);
    FirePattern* findFirePattern(const std::string& name);
    // Beam types ("assets/plist/bp/NAME"): true when a new type was read; a
    // missing file says so and keeps no type, so its patterns fire nothing.
    bool loadBeamType(const std::string& name);
    const BeamProperties* findBeamType(const std::string& name) const;
    // Configures `launcher` from the pattern scaled by the rank; armed. False
    // for a null launcher or an unknown pattern.
    bool setupLauncher(OXLauncher* launcher, const std::string& patternName);

    // The first free slot from the front (or the back), or null with the pool's message.
    OXBullet* getBullet(bool glowPool, bool fromBack);
    OXBullet* getPrize();
    OXBeam* getBeam();
    // False for a null type or a full pool.
    bool fireBullet(float direction, const Vec3& at, float speedOffset, const BulletProperties* type,
                    OXLauncherPlatform* firer);
    // Takes a free beam and fires it from `launcher` (may be null); always
    // false, as callers ignore it. Nothing fires for an unknown type or a full pool.
    bool fireBeam(float direction, const Vec3& at, float speedOffset, float beamValue,
                  const std::string& typeName, OXLauncherPlatform* owner, OXLauncher* launcher);
    void stopBeamsOf(const OXLauncher* launcher);
    void endBeamsOfOwner(const OXLauncherPlatform* owner);
    // False when the prize pool is full.
    bool spawnPrize(const Vec3& at, int prizeType);
    // `count` prizes at random points `spread` units from `around`.
    void releasePrizes(const Vec3& around, float spread, int count, int prizeType);

    // Cancels turn bullets into prizes; expiries play the expiry animation
    // ("no expire" types vanish). Each returns the number of bullets ended.
    int cancelBulletsOfFirer(const OXLauncherPlatform* firer, int prizeType);
    int cancelBulletsInRadius(const Vec3& centre, float radius, bool includeInvul, int prizeType);
    // The upright rectangle origin.x +- halfWidth, origin.y ... origin.y + height.
    int cancelBulletsInRect(const Vec3& origin, float height, float halfWidth, bool includeInvul,
                            int prizeType);
    int expireEnemyBullets(bool includeInvul);
    int expireBulletsInRadius(const Vec3& centre, float radius, bool includeInvul);
    int expireBulletsOfFirer(const OXLauncherPlatform* firer);

    // The live bullet blockers (beams stop at them).
    const std::vector<OXBullet*>& getBlockers() const { return blockers; }
    // Whether a live blocker other than `bullet` touches it.
    bool isBlocked(const OXBullet& bullet) const;
    void removeBlocker(const OXBullet* bullet);
    int blockerCount() const { return static_cast<int>(blockers.size()); }

    // "prize_pickup.caf", at most once every 64 ms; a quick run of pickups steps down in level
    // and a pause restores it.
    void playPickupSound();
    float getPickupSoundCooldown() const { return pickupSoundCooldown; }

    // Draw passes; the game scene calls them in its own order. The enemy pass
    // is the manager's own draw.
    void drawEnemyBullets() { draw(); }
    // Read at each draw: with bullet contrast, the enemy pass lays a dark outline under every
    // bullet and brightens its core, in the same batch and draw call. Not owned; null for none.
    void setVisibility(const VisibilityOptions* chosen) { visibility = chosen; }
    // How much larger than its bullet an outline is, and how much of white a core takes.
    static constexpr float kOutlineScale = 1.45f;
    static constexpr float kCoreLift = 0.35f;
    void drawPlayerBullets();
    void drawPrizes();
    // Every visible beam in three layers (a flickering glow, the body, a white
    // core with the hit sparks) in one batch and one draw call.
    void drawBeams();

    OXBullet& enemyBullet(int index);
    OXBullet& playerBullet(int index);
    OXBullet& prizeSlot(int index);
    OXBeam& beamSlot(int index);
    int liveBeamCount() const;
    int liveEnemyPoolCount() const { return enemyPool.live; }
    int livePlayerPoolCount() const { return playerPool.live; }
    int livePrizeCount() const { return prizePool.live; }

    // For the bullets during an update.
    const FrameView& frame() const { return view; }
    // Updates finished since load: a bullet's first frame is drawn by this count.
    long long updatesDone() const { return updateCount; }
    void refreshFrame();
    // Tests a player shot against the enemies in list order, then the boss;
    // the one hit takes the damage. True on a hit.
    bool strikeEnemies(const OXBullet& shot);
    // False when no shot can hit anything this update: the enemies are
    // gathered and none of them, nor the boss, can be hit.
    bool mayStrike() const { return !shootablesGathered || !bandEnemies.empty() || boss; }
    // A slot went back to its pool.
    void slotFreed(const OXBullet* bullet);

  private:
    static constexpr int kShootableBands = 32;

    // A fixed pool. Every slot below lowFree and above highFree is in use,
    // so a search for the first free slot from either end starts there.
    struct Pool {
        std::unique_ptr<OXBullet[]> slots;
        int size = 0;
        int live = 0;
        int lowFree = 0;
        int highFree = -1;
        const char* exhausted = "";
    };

    void makePool(Pool& pool, int slotCount, const char* exhausted);
    void makeBeamPool();
    void tickBeams(float dtMs);
    void writeBeamQuad(const OXBeam& beam, int frame, float halfWidth, float halfLength, const Vec3& centre,
                       const Colour& tint, bool thinSlice);
    OXBullet* take(Pool& pool, bool fromBack);
    Pool* poolOf(const OXBullet* bullet);
    void tickPool(Pool& pool, float dtMs);
    void gatherShootables();
    void sortShootablesIntoBands();
    // The band holding shots whose centre is at `y`; bandCount outside them all
    // (also for a y that is not a number).
    int bandOf(float y) const;
    bool readList(const std::string& path, const char* kind, Plist::Dictionary& out);
    // A quad as the bullet looks, as its dark outline, or with its colour lifted towards white.
    enum class QuadStyle { Plain, Outline, Core };
    template <QuadStyle style>
    void writeQuad(const OXBullet& bullet, bool rotated);
    template <QuadStyle style = QuadStyle::Plain>
    void buildPass(const Pool& pool, bool backwards, bool rotated, bool append = false);
    void submitBatch(int mode);
    // Enemy-side bullets in flight that a clear may take.
    static bool clearable(const OXBullet& bullet, bool includeInvul);
    // Ends, with `end`, every clearable bullet that is `inside`; returns how many.
    template <typename Inside, typename End>
    int endClearable(bool includeInvul, Inside inside, End end);
    auto intoPrize(int prizeType);

    Pool enemyPool, prizePool, playerPool;
    const VisibilityOptions* visibility = nullptr;
    std::unique_ptr<OXBeam[]> beamPool;
    std::map<std::string, BulletProperties> bulletTypes;
    std::map<std::string, BeamProperties> beamTypes;
    // The glow's flicker: its own numbers, not rand()'s, stepped once an update so that every
    // draw between two updates shows the same glow; each beam mixes in its slot.
    unsigned beamFlickerSeed = 1u;
    std::map<std::string, FirePattern> firePatterns;
    std::vector<OXBullet*> blockers;     // capacity for every slot, reserved at load
    std::vector<TexCoord> frameCorners;  // top-left texture coordinates of every atlas frame
    // The part of every atlas frame that draws anything: quads are cut to it.
    std::vector<CXTextureManager::DrawnCell> drawnFrames;
    // The drawn part of `frame`; the whole cell for a frame outside the atlas.
    CXTextureManager::DrawnCell drawnPart(int frame) const;
    float cellU = 1.0f, cellV = 1.0f;  // one atlas cell in texture coordinates
    int rank = 0;
    float timeScale = 1.0f;
    float pickupSoundCooldown = 0.0f;  // ms
    float pickupQuietMs = 0.0f;        // since the pickup sound last played, up to the run's gap
    int pickupRun = 0;                 // steps the pickup sound is turned down, 0 at full level
    long long updateCount = 0;

    IXShotWorld* world = nullptr;               // not owned
    IXShotEffects* effects = &noShotEffects();  // not owned
    FrameView view;

    // The enemies player shots may hit this update, gathered on first need in
    // list order: their centre, the vertical distance beyond which they are
    // not tested (their y size; infinite with live modules), how far a shot
    // can touch them, and the enemy.
    std::vector<float> shootableX;
    std::vector<float> shootableY;
    std::vector<float> shootableYSize;
    std::vector<float> shootableReach;
    std::vector<IXShootable*> shootables;
    std::vector<int> shootableBands;  // first and last band of each, two ints apiece
    // The same enemies sorted into horizontal bands of the field: band b holds,
    // in list order, every enemy a shot whose centre lies in the band may
    // pass the vertical test of, padded to whole blocks (a negative y size
    // never passes); the band after the last holds those a shot outside all
    // bands may pass (live modules). A shot only looks at its own band.
    std::vector<float> bandX;
    std::vector<float> bandY;
    std::vector<float> bandYSize;
    std::vector<float> bandReach;
    std::vector<IXShootable*> bandEnemies;
    std::array<int, kShootableBands + 2> bandStart{};  // first entry of each band; the end last
    float bandBase = 0.0f;                             // y of band 0's lower edge
    float bandScale = 0.0f;                            // bands per unit of y
    int bandCount = 1;                                 // kShootableBands, or 1 when the bands would not fit
    bool shootablesGathered = false;
    IXShootable* boss = nullptr;  // the boss when it may be hit this update
};
