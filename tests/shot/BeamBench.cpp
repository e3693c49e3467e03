// Sixty live beams (the whole pool): each update tests every beam against
// the ship and the blockers (enemy beams) or against 100 enemies and the
// boss (player beams). Measures the beams' update per beam, with the beams
// held at full width and length. Run by hand on an idle core.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "stg/shot/BeamProperties.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotFakes.h"

namespace {

using shottest::kStep;
constexpr int kEnemies = 100;

float random(float low, float high) {
    return low + (high - low) * static_cast<float>(std::rand() % 10000) / 10000.0f;
}

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

void BM_SixtyEnemyBeamsAgainstTheShip(benchmark::State& state) {
    beamUpdate(state, false);
}
BENCHMARK(BM_SixtyEnemyBeamsAgainstTheShip)->Unit(benchmark::kMicrosecond);

void BM_SixtyPlayerBeamsAgainstAHundredEnemiesAndTheBoss(benchmark::State& state) {
    beamUpdate(state, true);
}
BENCHMARK(BM_SixtyPlayerBeamsAgainstAHundredEnemiesAndTheBoss)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
