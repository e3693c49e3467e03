// The bullet manager with every pool live: 2000 enemy bullets testing
// against the ship, 1000 player shots testing against 100 enemies, 1500
// prizes. Measures one update per live object, the player shots' enemy test,
// the three draw batches per quad, and a bare loop doing the same moves and
// distance tests as a same-run baseline. Run by hand on an idle core.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
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

void BM_UpdateAllPools(benchmark::State& state) {
    Field field(true, true, true, true);
    const int live = field.live();
    for (auto _ : state) {
        field.update(state);
    }
    state.counters["live"] = live;
    perObject(state, live, "ns_per_object");
}
BENCHMARK(BM_UpdateAllPools)->Unit(benchmark::kMicrosecond);

void BM_UpdateEnemyBulletsOnly(benchmark::State& state) {
    Field field(true, false, false, false);
    for (auto _ : state) {
        field.update(state);
    }
    perObject(state, CXBulletManager::kEnemyPoolSize, "ns_per_bullet");
}
BENCHMARK(BM_UpdateEnemyBulletsOnly)->Unit(benchmark::kMicrosecond);

void BM_UpdatePrizesOnly(benchmark::State& state) {
    Field field(false, false, true, false);
    for (auto _ : state) {
        field.update(state);
    }
    perObject(state, CXBulletManager::kPrizePoolSize, "ns_per_prize");
}
BENCHMARK(BM_UpdatePrizesOnly)->Unit(benchmark::kMicrosecond);

// 1000 shots against 100 enemies; the same shots without enemies give the
// flight alone, so the difference is the enemy test.
void BM_PlayerShotsAgainst100Enemies(benchmark::State& state) {
    Field field(false, true, false, true);
    for (auto _ : state) {
        field.update(state);
    }
    long tests = 0;
    for (const auto& enemy : field.enemies) {
        tests += enemy->hitTests;
    }
    state.counters["hit_tests_per_update"] =
        static_cast<double>(tests) / static_cast<double>(state.iterations());
    perObject(state, CXBulletManager::kPlayerPoolSize, "ns_per_shot");
}
BENCHMARK(BM_PlayerShotsAgainst100Enemies)->Unit(benchmark::kMicrosecond);

void BM_PlayerShotsWithoutEnemies(benchmark::State& state) {
    Field field(false, true, false, false);
    for (auto _ : state) {
        field.update(state);
    }
    perObject(state, CXBulletManager::kPlayerPoolSize, "ns_per_shot");
}
BENCHMARK(BM_PlayerShotsWithoutEnemies)->Unit(benchmark::kMicrosecond);

void BM_BuildAndDrawThreePasses(benchmark::State& state) {
    CountingDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    Field field(true, true, true, true);
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
BENCHMARK(BM_BuildAndDrawThreePasses)->Unit(benchmark::kMicrosecond);

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

}  // namespace

BENCHMARK_MAIN();
