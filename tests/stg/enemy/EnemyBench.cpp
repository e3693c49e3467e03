// The enemy manager with its pool full: 100 enemies, each trailing five
// modules and firing six aimed streams at a ship. Measures the manager's update
// per enemy (the bullets' own flight is not timed). Run by hand on an idle core
// (build/orvale_enemy_benchmarks).

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "data/AssetPackage.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "tests/stg/enemy/EnemyFakes.h"
#include "tests/support/TestFiles.h"

namespace {

using enemytest::kStep;
constexpr int kUntimedFrames = 30;  // bullets are cleared after this many updates, untimed

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + body +
           "</dict></plist>";
}

std::string benchDefinition() {
    std::string body =
        "<key>size</key><real>30</real><key>hp</key><integer>1000000</integer>"
        "<key>atlas frame</key><integer>6</integer><key>flicker frame</key><integer>11</integer>"
        "<key>face direction type</key><integer>0</integer>"
        "<key>movement node "
        "0</key><dict><key>duration</key><real>100000000</real><key>speed</key><real>0.3</real>"
        "<key>direction change</key><real>36000000</real><key>hard launchers</key><string>0 1 2 3 4 "
        "5</string></dict>"
        "<key>death movement node</key><dict><key>duration</key><real>100000000</real></dict>";
    for (int slot = 0; slot < 6; ++slot) {
        body += "<key>launcher " + std::to_string(slot) +
                "</key><dict><key>fire pattern</key><string>b_stream</string>"
                "<key>offset x</key><real>" +
                std::to_string(slot * 4 - 10) + "</real></dict>";
    }
    for (int part = 0; part < 5; ++part) {
        body += "<key>module " + std::to_string(part) + "</key><dict><key>frame</key><integer>" +
                std::to_string(26 + part) +
                "</integer><key>size</key><real>12</real><key>hp</key><real>100</real>"
                "<key>anchor x</key><real>" +
                std::to_string(part * 8 - 16) + "</real><key>anchor z</key><real>" +
                std::to_string(part % 2 == 0 ? -1 : 1) +
                "</real><key>bound x</key><real>3</real>"
                "<key>bound y</key><real>3</real></dict>";
    }
    return plist(body);
}

// Mounted once for the whole run.
struct Package {
    Package() {
        testfiles::makeZipPackage(
            folder.file("bench.oap"),
            {{"assets/plist/atlas_b_enemies.plist",
              plist("<key>numColumns</key><integer>8</integer><key>numRows</key><integer>8</integer>")},
             {"assets/plist/bp/b_bullet.plist",
              plist("<key>start speed</key><real>4</real><key>size</key><real>8</real>"
                    "<key>duration</key><real>400</real>")},
             {"assets/plist/fp/b_stream.plist",
              plist("<key>bullet type</key><string>b_bullet</string><key>delay</key><real>250</real>"
                    "<key>repeat</key><integer>100000</integer><key>salvo</key><integer>1</integer>"
                    "<key>aim type</key><integer>1</integer>")},
             {"assets/plist/enemy/b_gunner.plist", benchDefinition()}});
        mountAssetPackage(folder.file("bench.oap"));
    }
    testfiles::TempDir folder;
};

struct Stage {
    explicit Stage(int enemyCount) {
        static Package package;
        ship.setPosition(160.0f, 40.0f, 0.0f);
        ship.setSize(16.0f, 16.0f, 1.0f);
        ship.invulnerable = true;  // the streams never end the run
        world.ship = &ship;
        world.level = Difficulty::Hard;
        bullets.load("assets/plist/atlas_b_enemies");
        bullets.setWorld(&world);
        bullets.setRank(2);
        enemies.setWorld(&world);
        enemies.setBulletManager(&bullets);
        enemies.init("assets/plist/atlas_b_enemies");
        enemies.loadEnemyDefinition("b_gunner");
        for (int i = 0; i < enemyCount; ++i) {
            enemies.spawnEnemy({16.0f + static_cast<float>(i % 10) * 32.0f,
                                160.0f + static_cast<float>(i / 10) * 30.0f, 0.0f},
                               "b_gunner", 180.0f + static_cast<float>(i) * 3.6f);
        }
        for (int frame = 0; frame < 20; ++frame) {
            enemies.update(kStep);
        }
        clearBullets();
    }
    void clearBullets() {
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            if (!bullets.enemyBullet(i).isFree()) {
                bullets.enemyBullet(i).release();
            }
        }
    }
    enemytest::FakeShip ship;
    enemytest::FakeWorld world;
    CXBulletManager bullets;
    CXEnemyManager enemies;
};

void BM_EnemyUpdate(benchmark::State& state) {
    RecordingGLDevice device;  // the update draws nothing
    setGLDevice(&device);
    Stage stage(CXEnemyManager::kPoolSize);
    int frames = 0;
    long fired = 0;
    for (auto _ : state) {
        stage.enemies.update(kStep);
        if (++frames % kUntimedFrames == 0) {
            state.PauseTiming();
            fired += stage.bullets.liveEnemyPoolCount();
            stage.clearBullets();
            state.ResumeTiming();
        }
    }
    const int live = stage.enemies.spawnedCount();
    state.counters["enemies"] = live;
    state.counters["bullets_per_frame"] = static_cast<double>(fired) / static_cast<double>(frames);
    state.counters["per_enemy"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * live,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    setGLDevice(nullptr);
}
BENCHMARK(BM_EnemyUpdate);

}  // namespace

BENCHMARK_MAIN();
