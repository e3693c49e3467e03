// Effects in play allocate nothing: bursts, attached effects and trails come
// from pools made at construction, and the batches are built in place.

#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/OXAnchorParticleSystem.h"
#include "tests/fx/FxTestSupport.h"
#include "tests/support/AllocationCounter.h"

namespace fxtest {
namespace {

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
