// Play must not allocate: firing, flying, grazing, hitting, cancelling and
// collecting all run on what the manager made at load. This file counts
// every allocation of the test program while a busy stretch of play runs.

#include <gtest/gtest.h>

#include "engine/CXGfxManager.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/stg/shot/ShotTestSupport.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace shottest;

using CountingDevice = testfiles::CountingGLDevice;

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

    const long before = testfiles::allocationCount();
    for (int frame = 1; frame < 300; ++frame) {
        playFrame(frame);
    }
    const long during = testfiles::allocationCount() - before;
    setGLDevice(nullptr);
    EXPECT_EQ(during, 0);
    EXPECT_GT(device.drawCount, 600);
    EXPECT_GT(enemy.damageTaken, 0.0f);
    EXPECT_GT(stage.ship.orbs, 0);
}

}  // namespace
