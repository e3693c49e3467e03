// The bullet manager with every pool live: 2000 enemy bullets testing
// against the ship, 1000 player shots testing against 100 enemies, 1500
// prizes. Measures one update per live object, the player shots' enemy test,
// the three draw batches per quad, and a bare loop doing the same moves and
// distance tests as a same-run baseline; and sixty live beams (the whole
// pool) against the ship and the blockers or against 100 enemies and the
// boss, held at full width and length. Run by hand on an idle core.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/BeamProperties.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotFakes.h"

namespace {

using shottest::kStep;
constexpr int kEnemies = 100;
constexpr int kFramesPerSeed = 120;  // bullets are placed again after this many updates (1.9 s), untimed

// Counts draws without keeping a list of them.
class CountingDevice : public RecordingGLDevice {
  public:
    void drawArrays(GLenum, GLint, GLsizei) override { ++drawCount; }
    long drawCount = 0;
};

float random(float low, float high) {
    return low + (high - low) * static_cast<float>(std::rand() % 10000) / 10000.0f;
}

struct Field {
    explicit Field(bool enemyBullets, bool playerShots, bool prizes, bool withEnemies) {
        ship.setPosition(160.0f, 40.0f, 0.0f);
        ship.invulnerable = true;  // hits do not end bullets between seeds
        world.ship = &ship;
        world.grazes.reserve(1u << 22);  // the record of grazes does not allocate in the loop
        std::srand(11);
        if (withEnemies) {
            for (int i = 0; i < kEnemies; ++i) {
                enemies.push_back(
                    std::make_unique<shottest::FakeEnemy>(random(0, 320), random(200, 480), random(24, 48)));
                enemies.back()->ghost = true;  // never hit: the shots stay in flight
                world.enemies.push_back(enemies.back().get());
            }
        }
        manager.setWorld(&world);
        manager.load("");
        enemyType.size = 8.0f;
        enemyType.duration = 1e9f;
        enemyType.startSpeed = 1.5f;  // slow enough that nothing leaves the field between seeds
        enemyType.damage = 1.0f;
        shotType = enemyType;
        shotType.isPlayerBullet = shotType.isGlow = true;
        shotType.startSpeed = 1.5f;
        shotType.size = 12.0f;
        fillEnemy = enemyBullets;
        fillPlayer = playerShots;
        fillPrizes = prizes;
        seed();
    }
    void seed() {
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            manager.enemyBullet(i).release();
        }
        for (int i = 0; i < CXBulletManager::kPlayerPoolSize; ++i) {
            manager.playerBullet(i).release();
        }
        for (int i = 0; i < CXBulletManager::kPrizePoolSize; ++i) {
            manager.prizeSlot(i).release();
        }
        std::srand(5);
        for (int i = 0; fillEnemy && i < CXBulletManager::kEnemyPoolSize; ++i) {
            manager.fireBullet(random(0, 360), {random(40, 280), random(40, 400), 0}, 0, &enemyType, nullptr);
        }
        for (int i = 0; fillPlayer && i < CXBulletManager::kPlayerPoolSize; ++i) {
            manager.fireBullet(random(-5, 5), {random(20, 300), random(0, 380), 0}, 0, &shotType, nullptr);
        }
        for (int i = 0; fillPrizes && i < CXBulletManager::kPrizePoolSize; ++i) {
            manager.spawnPrize({random(20, 300), random(280, 400), 0}, OXBullet::ScoreOrb);
        }
        frames = 0;
    }
    int live() const {
        return manager.liveEnemyPoolCount() + manager.livePlayerPoolCount() + manager.livePrizeCount();
    }
    // One update; every kFramesPerSeed updates the field is laid out again, untimed.
    void update(benchmark::State& state) {
        if (++frames > kFramesPerSeed) {
            state.PauseTiming();
            seed();
            state.ResumeTiming();
        }
        manager.update(kStep);
    }

    shottest::FakeShip ship;
    shottest::FakeWorld world;
    std::vector<std::unique_ptr<shottest::FakeEnemy>> enemies;
    CXBulletManager manager;
    BulletProperties enemyType, shotType;
    bool fillEnemy = false, fillPlayer = false, fillPrizes = false;
    int frames = 0;
};

void perObject(benchmark::State& state, int objects, const char* name) {
    state.counters[name] = benchmark::Counter(static_cast<double>(state.iterations()) * objects,
                                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One update of the pools that are filled; `name` counts the time per live object. 1000 shots
// against 100 enemies, and the same shots without enemies, give the enemy test as the difference.
void BM_Update(benchmark::State& state, bool enemyBullets, bool playerShots, bool prizes, bool withEnemies,
               const char* name) {
    Field field(enemyBullets, playerShots, prizes, withEnemies);
    const int live = field.live();
    for (auto _ : state) {
        field.update(state);
    }
    long tests = 0;
    for (const auto& enemy : field.enemies) {
        tests += enemy->hitTests;
    }
    state.counters["live"] = live;
    state.counters["hit_tests_per_update"] =
        static_cast<double>(tests) / static_cast<double>(state.iterations());
    perObject(state, live, name);
}
BENCHMARK_CAPTURE(BM_Update, AllPools, true, true, true, true, "ns_per_object")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Update, EnemyBulletsOnly, true, false, false, false, "ns_per_bullet")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Update, PrizesOnly, false, false, true, false, "ns_per_prize")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Update, PlayerShotsAgainst100Enemies, false, true, false, true, "ns_per_shot")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Update, PlayerShotsWithoutEnemies, false, true, false, false, "ns_per_shot")
    ->Unit(benchmark::kMicrosecond);

void BM_BuildAndDrawThreePasses(benchmark::State& state, bool bulletContrast) {
    CountingDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    Field field(true, true, true, true);
    VisibilityOptions options;
    options.bulletContrast = bulletContrast;  // an outline under every enemy bullet
    field.manager.setVisibility(&options);
    const int quads = field.live();
    for (auto _ : state) {
        field.manager.drawEnemyBullets();
        field.manager.drawPlayerBullets();
        field.manager.drawPrizes();
        benchmark::DoNotOptimize(field.manager.getVertices());
    }
    state.counters["quads"] = quads;
    state.counters["draws_per_frame"] =
        static_cast<double>(device.drawCount) / static_cast<double>(state.iterations());
    perObject(state, quads, "ns_per_quad");
    setGLDevice(nullptr);
}
BENCHMARK_CAPTURE(BM_BuildAndDrawThreePasses, Plain, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildAndDrawThreePasses, BulletContrast, true)->Unit(benchmark::kMicrosecond);

// The floor: the same number of positions moved and tested against the ship
// in a bare loop over plain arrays.
void BM_BaselineBareLoop(benchmark::State& state) {
    const int count =
        CXBulletManager::kEnemyPoolSize + CXBulletManager::kPlayerPoolSize + CXBulletManager::kPrizePoolSize;
    std::vector<float> x(static_cast<size_t>(count)), y(x.size()), dx(x.size()), dy(x.size());
    std::srand(5);
    for (size_t i = 0; i < x.size(); ++i) {
        x[i] = random(40, 280);
        y[i] = random(20, 420);
        const float d = random(0, 6.2831853f);
        dx[i] = std::sin(d) * 3.0f * 0.035f;
        dy[i] = std::cos(d) * 3.0f * 0.035f;
    }
    const float px = 160.0f, py = 40.0f;
    long near = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < x.size(); ++i) {
            x[i] += dx[i] * kStep;
            y[i] += dy[i] * kStep;
            const float ex = x[i] - px, ey = y[i] - py;
            near += ex * ex + ey * ey <= 1024.0f ? 1 : 0;
        }
        benchmark::DoNotOptimize(near);
        benchmark::ClobberMemory();
    }
    perObject(state, count, "ns_per_position");
}
BENCHMARK(BM_BaselineBareLoop)->Unit(benchmark::kMicrosecond);

struct BeamField {
    explicit BeamField(bool playerBeams) {
        ship.setPosition(160.0f, 40.0f, 0.0f);
        ship.invulnerable = true;
        world.ship = &ship;
        std::srand(7);
        for (int i = 0; i < kEnemies; ++i) {
            enemies.push_back(
                std::make_unique<shottest::FakeEnemy>(random(0, 320), random(200, 480), random(24, 48)));
            world.enemies.push_back(enemies.back().get());
        }
        boss = std::make_unique<shottest::FakeEnemy>(160.0f, 420.0f, 96.0f);
        world.boss = boss.get();
        manager.setWorld(&world);
        manager.load("");
        owner.setOwnerKind(playerBeams ? OwnerPlayerBeam : OwnerEnemy);
        type.duration = 1e9f;  // never ends during the run
        type.widthStart = type.widthMed = type.widthEnd = 20.0f;
        type.widthEndTime = 1e9f;
        type.maxLength = 600.0f;
        type.extendRate = 600.0f;
        type.damage = 0.0f;
        type.isPenetrate = playerBeams;  // enemy beams stop at the ship, player beams pass everything
        for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
            const float x = 10.0f + 5.0f * static_cast<float>(i);
            manager.beamSlot(i).fire(type, playerBeams ? random(-30, 30) : 180.0f + random(-30, 30),
                                     {x, playerBeams ? 30.0f : 460.0f, 0.0f}, 0.0f, 0.0f, &owner, nullptr,
                                     &manager);
        }
        manager.update(kStep);  // past the first frame: full length
    }
    shottest::FakeShip ship;
    shottest::FakeWorld world;
    std::vector<std::unique_ptr<shottest::FakeEnemy>> enemies;
    std::unique_ptr<shottest::FakeEnemy> boss;
    OXLauncherPlatform owner;
    BeamProperties type;
    CXBulletManager manager;
};

void beamUpdate(benchmark::State& state, bool playerBeams) {
    BeamField field(playerBeams);
    for (auto _ : state) {
        field.manager.update(kStep);
        benchmark::ClobberMemory();
    }
    state.counters["live_beams"] = field.manager.liveBeamCount();
    state.counters["ns_per_beam"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * CXBulletManager::kBeamPoolSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(beamUpdate, SixtyEnemyBeamsAgainstTheShip, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(beamUpdate, SixtyPlayerBeamsAgainstAHundredEnemiesAndTheBoss, true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
