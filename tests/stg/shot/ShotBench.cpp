// The bullet manager with every pool live: 2000 enemy bullets testing against
// the ship, 1000 player shots testing against 100 enemies, 1500 prizes. Measures
// one update per live object, and building and drawing the three bullet passes
// per quad. Run by hand on an idle core (build/orvale_shot_benchmarks).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "tests/stg/shot/ShotFakes.h"

namespace {

using shottest::kStep;
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
    Field() {
        ship.setPosition(160.0f, 40.0f, 0.0f);
        ship.invulnerable = true;  // hits do not end bullets between seeds
        world.ship = &ship;
        world.grazes.reserve(1u << 22);  // the record of grazes does not allocate in the loop
        std::srand(11);
        for (int i = 0; i < 100; ++i) {
            enemies.push_back(
                std::make_unique<shottest::FakeEnemy>(random(0, 320), random(200, 480), random(24, 48)));
            enemies.back()->ghost = true;  // never hit: the shots stay in flight
            world.enemies.push_back(enemies.back().get());
        }
        manager.setWorld(&world);
        manager.load("");
        enemyType.size = 8.0f;
        enemyType.duration = 1e9f;
        enemyType.startSpeed = 1.5f;  // slow enough that nothing leaves the field between seeds
        enemyType.damage = 1.0f;
        shotType = enemyType;
        shotType.isPlayerBullet = shotType.isGlow = true;
        shotType.size = 12.0f;
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
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            manager.fireBullet(random(0, 360), {random(40, 280), random(40, 400), 0}, 0, &enemyType, nullptr);
        }
        for (int i = 0; i < CXBulletManager::kPlayerPoolSize; ++i) {
            manager.fireBullet(random(-5, 5), {random(20, 300), random(0, 380), 0}, 0, &shotType, nullptr);
        }
        for (int i = 0; i < CXBulletManager::kPrizePoolSize; ++i) {
            manager.spawnPrize({random(20, 300), random(280, 400), 0}, OXBullet::ScoreOrb);
        }
        frames = 0;
    }
    int live() const {
        return manager.liveEnemyPoolCount() + manager.livePlayerPoolCount() + manager.livePrizeCount();
    }

    shottest::FakeShip ship;
    shottest::FakeWorld world;
    std::vector<std::unique_ptr<shottest::FakeEnemy>> enemies;
    CXBulletManager manager;
    BulletProperties enemyType, shotType;
    int frames = 0;
};

void perObject(benchmark::State& state, int objects, const char* name) {
    state.counters[name] = benchmark::Counter(static_cast<double>(state.iterations()) * objects,
                                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Update(benchmark::State& state) {
    Field field;
    const int live = field.live();
    for (auto _ : state) {
        if (++field.frames > kFramesPerSeed) {
            state.PauseTiming();
            field.seed();
            state.ResumeTiming();
        }
        field.manager.update(kStep);
    }
    long tests = 0;
    for (const auto& enemy : field.enemies) {
        tests += enemy->hitTests;
    }
    state.counters["live"] = live;
    state.counters["hit_tests_per_update"] =
        static_cast<double>(tests) / static_cast<double>(state.iterations());
    perObject(state, live, "ns_per_object");
}
BENCHMARK(BM_Update)->Name("BM_Update/AllPools")->Unit(benchmark::kMicrosecond);

void BM_BuildAndDrawThreePasses(benchmark::State& state) {
    CountingDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    Field field;
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

}  // namespace

BENCHMARK_MAIN();
