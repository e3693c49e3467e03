// The stage's particle effect manager: definitions by name, bad effect files,
// the fixed pool and its exhaustion, attached effects that let go, the one
// draw call per pass whatever the number of particles, and play (trails too)
// allocating nothing.

#include <algorithm>
#include <vector>

#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/OXAnchorParticleSystem.h"
#include "tests/fx/FxTestSupport.h"
#include "tests/support/AllocationCounter.h"

namespace fxtest {
namespace {

class ParticleManagerTest : public FxTest {
  protected:
    void SetUp() override {
        FxTest::SetUp();
        manager.load("assets/plist/t_atlas");
        printedBy([&] { manager.preloadEffect("t_steady"); });
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            manager.tick(kStep);
        }
    }

    CXParticleEffectManager manager{CXParticleEffectManager::kStagePoolSize};
};

TEST_F(ParticleManagerTest, AMissingFileIsOneLineAndThenNothingAtAll) {
    EXPECT_NE(printedBy([&] { EXPECT_FALSE(manager.preloadEffect("t_not_there")); }).find("t_not_there"),
              std::string::npos);
    EXPECT_EQ(printedBy([&] { EXPECT_FALSE(manager.preloadEffect("t_not_there")); }), "");
    OXAnchorParticleSystem untouched;
    untouched.loadPooled();
    EXPECT_FALSE(manager.setupSystem("t_not_there", untouched));
    EXPECT_FALSE(manager.setupSystem("never_preloaded", untouched));
    EXPECT_TRUE(untouched.getEffectName().empty());
    EXPECT_EQ(printedBy([&] {
                  EXPECT_EQ(manager.play("t_not_there", {}, {0, 1, 0}, 100.0f, true), nullptr);
              }),
              "");
    run(5);
    manager.draw();
    EXPECT_EQ(drawCalls(), 0);
}

// Effects whose numbers make no particle worth drawing: each is refused with a line naming the
// key, and plays, attaches and draws nothing.
TEST_F(ParticleManagerTest, BadEffectFilesAreRefusedWithALineAndDrawNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"t_nan_velocity", "velocityY"}, {"t_nan_end_z", "endValVarZ"}, {"t_zero_life", "maxTtl"},
        {"t_negative_life", "minTtl"},   {"t_zero_size", "startSizeY"}, {"t_negative_size", "endSizeX"}};
    IXRenderObject anchor;
    anchor.load("");
    for (const auto& [name, key] : cases) {
        const std::string printed = printedBy([&] { EXPECT_FALSE(manager.preloadEffect(name)); });
        EXPECT_NE(printed.find(std::string(name) + " IS UNUSABLE (" + key + ")"), std::string::npos)
            << printed;
        EXPECT_EQ(manager.play(name, {}, {0, 1, 0}, -1.0f, true), nullptr);
        EXPECT_EQ(manager.attach(name, anchor, false), nullptr);
    }
    run(5);
    manager.draw();
    EXPECT_EQ(manager.liveParticles(), 0);
    EXPECT_EQ(drawCalls(), 0);
}

TEST_F(ParticleManagerTest, ThePoolNeverGrowsAndSaysOnceWhenItRunsOut) {
    IXRenderObject anchor;
    anchor.load("");
    std::vector<OXAnchorParticleSystem*> held;
    for (int i = 0; i < CXParticleEffectManager::kStagePoolSize; ++i) {
        held.push_back(manager.attach("t_steady", anchor, false));
        ASSERT_NE(held.back(), nullptr);
    }
    run(1);  // each has a particle now
    EXPECT_NE(printedBy([&] { EXPECT_EQ(manager.attach("t_steady", anchor, false), nullptr); }), "");
    EXPECT_EQ(printedBy([&] {
                  for (int i = 0; i < 10; ++i) {
                      EXPECT_EQ(manager.play("t_steady", {}, {0, 1, 0}, 50.0f, true), nullptr);
                  }
              }),
              "");

    // A stopped effect keeps its particles until they die, then is free again.
    manager.stop(held[7]);
    EXPECT_EQ(held[7]->getAnchor(), nullptr);
    EXPECT_FALSE(held[7]->isEmitting());
    EXPECT_EQ(manager.play("t_steady", {}, {0, 1, 0}, 50.0f, true), nullptr);
    held[7]->clearParticles();
    EXPECT_EQ(printedBy([&] {
                  EXPECT_EQ(manager.play("t_steady", {}, {0, 1, 0}, 50.0f, true), held[7]);
              }),
              "");
    EXPECT_EQ(manager.busySystems(), CXParticleEffectManager::kStagePoolSize);
}

TEST_F(ParticleManagerTest, AStoppedEffectLetsGoOfItsAnchorAndItsParticlesLiveOut) {
    IXRenderObject anchor;
    anchor.load("");
    anchor.setPosition(30, 40, 0);
    OXAnchorParticleSystem* system = manager.attach("t_steady", anchor, true);
    ASSERT_NE(system, nullptr);
    run(4);
    anchor.setPosition(60, 40, 0);
    run(1);
    EXPECT_EQ(system->getX(), 60.0f);
    const int live = system->getLiveCount();
    manager.stop(system);
    anchor.setPosition(200, 40, 0);
    run(1);
    EXPECT_EQ(system->getX(), 60.0f);  // stays where it was let go
    EXPECT_EQ(system->getLiveCount(), live);
    manager.stop(&anchor);  // not one of the pool's: ignored
    EXPECT_EQ(manager.busySystems(), 1);
}

// Every particle the batch can hold (6666 quads in 40000 vertices) goes out in one draw call.
TEST_F(ParticleManagerTest, AllParticlesOfAPassAreOneDrawCall) {
    const int wanted = CXParticleEffectManager::kVertexCapacity / 6;
    // Bursts of one system each hold up to 199; fill systems until `wanted` are alive.
    int live = 0;
    while (live < wanted) {
        OXAnchorParticleSystem* system = manager.play("t_steady", {100, 100, 0}, {0, 1, 0}, -1.0f, true);
        ASSERT_NE(system, nullptr);
        const int take = std::min(wanted - live, 199);
        while (system->getLiveCount() < take) {
            system->tick(10.001f);  // one particle a tick
        }
        system->setEmitting(false);
        live += system->getLiveCount();
    }
    manager.draw();
    EXPECT_EQ(manager.getVertexCount(), 6 * wanted);
    EXPECT_EQ(drawCalls(), 1);
}

TEST_F(ParticleManagerTest, PredrawEffectsAreTheirOwnPassBeneathTheRest) {
    manager.play("t_steady", {100, 100, 0}, {0, 1, 0}, -1.0f, true, true);
    manager.play("t_steady", {200, 100, 0}, {0, 1, 0}, -1.0f, true, false);
    run(3);
    manager.drawPredraw();
    EXPECT_EQ(drawCalls(), 1);
    manager.draw();
    EXPECT_EQ(drawCalls(), 2);
    const auto& calls = device.draws;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].count + calls[1].count, manager.getVertexCount());
    EXPECT_EQ(manager.getVertices()[0].x > 50.0f && manager.getVertices()[0].x < 150.0f, true);
}

// Effects in play allocate nothing: bursts, attached effects and trails come from pools made at
// construction, and the batches are built in place.
TEST(PlayAllocation, BurstsAttachedEffectsAndTrailsAllocateNothing) {
    testfiles::CountingGLDevice device;
    setGLDevice(&device);
    CXParticleEffectManager particles{CXParticleEffectManager::kStagePoolSize};
    CXTrailEffectManager trails;
    printedBy([&] {
        particles.load("assets/plist/t_atlas");
        trails.load("assets/plist/t_atlas");
        particles.preloadEffect("t_steady");
        particles.preloadEffect("t_steady_with_a_long_name");
    });
    IXRenderObject anchors[8];
    for (IXRenderObject& anchor : anchors) {
        anchor.load("");
    }
    IXRenderObject* held[8] = {};
    const std::string names[2] = {"t_steady", "t_steady_with_a_long_name"};
    auto frame = [&](int i) {
        IXRenderObject& anchor = anchors[i % 8];
        anchor.setPosition(static_cast<float>(i % 300), static_cast<float>(i % 400), 0.0f);
        particles.play(names[i % 2], anchor.getPosition(), {0, 1, 0}, 30.0f, i % 3 == 0);
        if (i % 10 == 0) {
            particles.stop(held[i / 10 % 8]);
            held[i / 10 % 8] = particles.attach(names[i / 10 % 2], anchor, false, i % 20 == 0);
            trails.releaseTrail(&anchor);
            trails.spawnTrail(&anchor, 1, 4.0f, {});
        }
        particles.tick(kStep);
        trails.tick(kStep);
        particles.drawPredraw();
        particles.draw();
        trails.draw();
    };
    for (int i = 0; i < 200; ++i) {  // every system and trail of the pools has played once
        frame(i);
    }
    const long before = testfiles::allocationCount();
    for (int i = 0; i < 2000; ++i) {
        frame(i);
    }
    EXPECT_EQ(testfiles::allocationCount() - before, 0);
    EXPECT_GT(particles.peakParticles(), 100);
    EXPECT_GT(device.drawCount, 2000);
    setGLDevice(nullptr);
}

}  // namespace
}  // namespace fxtest
