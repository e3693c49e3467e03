#pragma once

#include <string>

#include "engine/CXSpriteBatchManager.h"
#include "engine/Vector.h"
#include "stg/enemy/IXEnemyWorld.h"

// How heavy an explosion looks, by what died: a popcorn craft pops small and brief, a carrier
// throws debris and smoke, a boss fills a good part of the field and keeps bursting after.
struct BlastWeight {
    float lightScale;  // the largest scale of the blast's light (a 128-px sprite)
    float lightMs;     // how long that light shows
    float ringScale;   // the shockwave ring's last scale (a 64-px sprite)
    float ringMs;      // how long the ring widens
    int sparks;        // spark streaks thrown out
    int debris;        // tumbling shards, which slow down and fade on the field
    int smoke;         // smoke puffs left behind
    float reach;       // how far sparks fly, units
    int afterBlasts;   // fireballs that burst on after the first, over about two seconds
};

// The weight of `kind`: Small (and the short pre-death burst) is a popcorn craft's, Medium a
// medium craft's, Large (and the long pre-death burst) a large one's, Huge a boss's.
const BlastWeight& blastWeightOf(ExplosionKind kind);

// The pieces of the stage's explosions that are seen and never counted: shockwave rings,
// sparks, tumbling debris, smoke, the boss's after-blasts and the graze scratch. Every choice
// among them draws from their own random sequence, neither the game's nor the other effects', so
// showing them (or not, when a pool is full) leaves the game and its particles as they are. Fixed pools:
// nothing is allocated after setup.
class BlastShow {
  public:
    static constexpr int kMostAfterBlasts = 24;

    // Loads the pools: `explosionAtlas` is the stage's explosion sheet (a package path without
    // ".plist"), for the after-blasts' fire.
    void setup(const std::string& explosionAtlas);
    // The rings, sparks, debris, smoke and after-blasts of an explosion of `kind` at `at`.
    void burst(ExplosionKind kind, const Vec3& at);
    // One shard tumbling from `at` by `delta` over `lifeMs`, slowing down and fading as it goes.
    void tumble(const Vec3& at, const Vec3& delta, float scale, float lifeMs);
    // A fireball `scale` times the explosion sheet's, with sparks and a shard.
    void fireAt(const Vec3& at, float scale);
    // A bright short scratch where an enemy bullet brushed past the ship, along `direction`.
    void scratch(const Vec3& at, const Vec3& direction);

    void tick(float dtMs);
    // Smoke and debris, which cover what lies beneath; drawn before the explosions' fire.
    void drawUnder();
    // Rings, sparks and the after-blasts' fire, drawn as light after it.
    void drawOver();

    // Readies `sprite`, of a batch cut from the explosion sheet, to play one of the sheet's
    // blasts, chosen from the pieces' own sequence so that neighbouring blasts differ.
    void pickBlast(OXSprite& sprite);
    // Readies `sprite` to show still frame `frame` of the sheet's first blast (embers, debris):
    // a sprite of a shared batch may come back from showing another cell.
    static void blastFrame(OXSprite& sprite, int frame);

    // 0 to 1 from the pieces' own random sequence (restarted by setup), for anything else
    // the explosions vary that the game never counts.
    float randomFraction();

    // After-blasts still to burst.
    int pendingAfterBlasts() const { return afterCount; }
    // Sprites showing in each pool (tests).
    int liveSprites() const;

  private:
    struct AfterBlast {
        Vec3 at;
        float dueMs;  // from now
        float scale;
    };
    static constexpr unsigned kSeed = 0x9e3779b9u;
    float spread(float value, float share);
    void sparkAt(const Vec3& at, float degrees, float reach, const Colour& tint);
    void smokeAt(const Vec3& at, float size, float lifeMs);

    CXSpriteBatchManager pieces;  // debris and smoke: normal blending
    CXSpriteBatchManager sparks;  // rings, sparks, scratches: additive
    CXSpriteBatchManager fire;    // after-blasts: the explosion sheet, additive
    bool ready = false;
    AfterBlast after[kMostAfterBlasts] = {};
    int afterCount = 0;
    unsigned seed = kSeed;
};
