// Play must not allocate: firing, flying, grazing, hitting, cancelling and
// collecting all run on what the manager made at load. This file counts
// every allocation of the test program while a busy stretch of play runs.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotTestSupport.h"

namespace {
std::atomic<long> allocations{0};
void* countedAllocation(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace shottest;

// The recording device keeps a list of its draws; this one only counts them.
class CountingDevice : public RecordingGLDevice {
  public:
    void drawArrays(GLenum, GLint, GLsizei) override { ++drawCount; }
    int drawCount = 0;
};

TEST(NoAllocation, ABusyStretchOfPlayAllocatesNothing) {
    Stage stage;
    FakeEnemy enemy(160, 350, 40);
    stage.world.enemies = {&enemy};
    OXLauncherPlatform gun;
    gun.setBulletManager(&stage.manager);
    gun.load("");
    gun.setPosition(160, 400, 0);
    // Patterns with long names, bursts, death bursts and a ring: everything is read now.
    for (const char* pattern : {"t_shell", "t_popper", "t_salvo5", "t_bomblet3", "t_aim1"}) {
        stage.manager.loadFirePattern(pattern);
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setOwner(&gun);
        gun.addLauncher(launcher);
        stage.manager.setupLauncher(launcher, pattern);
    }
    stage.manager.loadBulletType("t_shot");
    const BulletProperties* shot = stage.manager.findBulletType("t_shot");

    CountingDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    auto playFrame = [&](int frame) {
        for (int i = 0; i < gun.launcherCount(); ++i) {
            gun.startLauncher(i);
        }
        gun.tick(kStep);
        stage.manager.fireBullet(0, {160, 120, 0}, 0, shot, nullptr);
        if (frame % 50 == 25) {
            stage.manager.cancelBulletsOfFirer(&gun, OXBullet::ScoreOrb);
            stage.manager.releasePrizes({160, 130, 0}, 40, 5, OXBullet::MultiplierOrb);
        }
        stage.manager.update(kStep);
        stage.manager.drawEnemyBullets();
        stage.manager.drawPlayerBullets();
        stage.manager.drawPrizes();
    };
    playFrame(0);  // the device's state sets fill on the first draws
    // The stand-ins' own records must not count.
    stage.effects.played.reserve(100000);
    stage.world.grazes.reserve(100000);
    stage.ship.hits.reserve(100000);

    const long before = allocations.load();
    for (int frame = 1; frame < 300; ++frame) {
        playFrame(frame);
    }
    const long during = allocations.load() - before;
    setGLDevice(nullptr);
    EXPECT_EQ(during, 0);
    EXPECT_GT(device.drawCount, 600);
    EXPECT_GT(enemy.damageTaken, 0.0f);
    EXPECT_GT(stage.ship.orbs, 0);
}

}  // namespace
