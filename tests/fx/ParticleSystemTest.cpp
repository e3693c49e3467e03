// One particle system on its own: how many particles it emits over time and in bursts, how long
// they live, their alpha curve and motion, frame animation, and the system that follows an anchor.

#include <cmath>

#include "fx/OXAnchorParticleSystem.h"
#include "tests/fx/FxTestSupport.h"

namespace fxtest {
namespace {

class ParticleSystemTest : public FxTest {
  protected:
    // A pooled-size system with `keys` applied, emitting continuously at (100, 100).
    void make(const Keys& keys, const std::map<std::string, bool>& flags = {}) {
        system.loadPooled();
        system.applyDefinition(definitionOf(keys, flags));
        system.setPosition(100.0f, 100.0f, 0.0f);
        system.setVisible(true);
        system.setActive(true);
        system.startEmitting();
    }
    void run(float dtMs, int frames) {
        for (int i = 0; i < frames; ++i) {
            system.tick(dtMs);
        }
    }

    OXAnchorParticleSystem system;
};

TEST_F(ParticleSystemTest, EmitsOneParticlePerIntervalCarryingTheRestAndARateOfZeroNever) {
    const struct {
        float spawnRate, dtMs;
        int frames, live;
    } cases[] = {{100, 16, 10, 15}, {50, 10, 10, 4}, {0, 16, 100, 0}};  // 10 and 20 ms intervals, and none
    for (const auto& c : cases) {
        Keys keys = steadyKeys();
        keys["spawnRate"] = c.spawnRate;
        make(keys);
        run(c.dtMs, c.frames);
        EXPECT_EQ(system.getLiveCount(), c.live) << c.spawnRate << " " << c.frames;
    }
}

TEST_F(ParticleSystemTest, ABurstEmitsForItsDurationAndThenStopsAndABurstOfZeroEmitsNothing) {
    make(steadyKeys());
    system.burst(100.0f);
    run(10.0f, 30);
    EXPECT_GT(system.getLiveCount(), 5);
    EXPECT_LT(system.getLiveCount(), 11);  // 100 ms of emission at one every 10 ms
    EXPECT_FALSE(system.isEmitting());

    make(steadyKeys());
    system.burst(0.0f);
    run(kStep, 5);
    EXPECT_EQ(system.getLiveCount(), 0);
    EXPECT_TRUE(system.isIdle());  // back to its pool, not held for ever
}

TEST_F(ParticleSystemTest, LiveParticlesStopAtTheMaximumAndALargeEffectFillsItsRingWithoutStalling) {
    Keys keys = steadyKeys();
    keys["maxNumParticles"] = 5;
    make(keys);
    run(kStep, 100);
    EXPECT_EQ(system.getLiveCount(), 5);

    system.load("assets/plist/particles/t_big_ring");
    system.setActive(true);
    run(kStep, 20);
    EXPECT_EQ(system.getLiveCount(), 511);
}

// One particle of a known life, looked at when it is `fraction` through it.
class CurvesTest : public ParticleSystemTest {
  protected:
    const Particle& particleAt(Keys keys, float fraction, const std::map<std::string, bool>& flags = {},
                               const Vec3& direction = {0.0f, 1.0f, 0.0f}) {
        keys["minTtl"] = keys["maxTtl"] = 1000;
        keys["spawnRate"] = 1000;  // 1 ms interval
        keys["maxNumParticles"] = 1;
        make(keys, flags);
        system.setDirection(direction);
        system.tick(1.5f);  // born and 1.5 ms old
        system.setEmitting(false);
        system.tick(fraction * 1000.0f - 1.5f);
        const Particle* p = system.liveParticle(0);
        EXPECT_NE(p, nullptr);
        return *p;
    }
};

TEST_F(CurvesTest, AlphaRisesToTheMidValueAndFallsToTheEnd) {
    const struct {
        float midTime, fraction, alpha;
    } cases[] = {{0.5f, 0.25f, 0.5f}, {0.5f, 0.75f, 0.6f}, {0.0f, 0.5f, 0.6f}};  // mid time 0: all falling
    for (const auto& c : cases) {
        Keys keys = steadyKeys();
        keys["startAlpha"] = 0.0;
        keys["midAlpha"] = 1.0;
        keys["endAlpha"] = 0.2;
        keys["alphaMidTime"] = c.midTime;
        EXPECT_NEAR(particleAt(keys, c.fraction).alpha, c.alpha, 1e-3f) << c.midTime << " " << c.fraction;
    }
}

TEST_F(CurvesTest, VelocityMovesTheParticleAlongTheSystemsDirectionWhenItIsDirectional) {
    Keys keys = steadyKeys();
    keys["velocityY"] = 100;  // units per second: 500 ms from (100, 100) turned along +x
    keys["endVelocityY"] = 100;
    const Particle& turned = particleAt(keys, 0.5f, {{"isDirectional", true}}, {1.0f, 0.0f, 0.0f});
    EXPECT_NEAR(turned.position.x, 150.0f, 0.5f);
    EXPECT_NEAR(turned.position.y, 100.0f, 0.5f);
}

TEST_F(ParticleSystemTest, ANonLoopingAnimationEndsTheParticleWithLifetimeLeft) {
    Keys keys = steadyKeys();
    keys["numAtlasFrames"] = 2;
    keys["maxNumParticles"] = 1;
    make(keys);
    run(10.0f, 2);
    system.setEmitting(false);
    ASSERT_EQ(system.getLiveCount(), 1);
    run(10.0f, 25);  // a frame every 70 ms: frame 3, past the last, comes 210 ms after the birth
    EXPECT_EQ(system.getLiveCount(), 0);

    make(keys, {{"isLoopFrames", true}});
    run(10.0f, 2);
    system.setEmitting(false);
    run(10.0f, 40);
    EXPECT_EQ(system.getLiveCount(), 1);
    EXPECT_LE(system.liveParticle(0)->frame, 2);
}

// ---- Following an anchor ----

TEST_F(ParticleSystemTest, AnAnchoredSystemSitsOnItsAnchorsTurnedOffsetAndLagsWithinItsBound) {
    make(steadyKeys());
    IXRenderObject anchor;
    anchor.load("");
    anchor.setPosition(50.0f, 60.0f, 0.0f);
    anchor.setRotation(0.0f, 0.0f, 90.0f);
    system.setAnchor(&anchor);
    system.setOffset({0.0f, 10.0f, 0.0f});
    system.tick(kStep);
    // (0, 10) turned a quarter counter-clockwise is (-10, 0).
    EXPECT_NEAR(system.getX(), 40.0f, 1e-3f);
    EXPECT_NEAR(system.getY(), 60.0f, 1e-3f);

    // Within its bound it lags by its follow factor.
    system.setOffset({0.0f, 0.0f, 0.0f});
    anchor.setRotation(0.0f, 0.0f, 0.0f);
    anchor.setPosition(100.0f, 100.0f, 0.0f);
    system.setPosition(100.0f, 100.0f, 0.0f);
    system.setBound({50.0f, 50.0f, 0.0f});
    anchor.setPosition(140.0f, 100.0f, 0.0f);
    system.tick(kStep);
    EXPECT_GT(system.getX(), 100.0f);  // lagging behind
    EXPECT_LT(system.getX(), 140.0f);
    anchor.setPosition(300.0f, 100.0f, 0.0f);
    system.tick(kStep);
    EXPECT_NEAR(system.getX(), 250.0f, 1e-3f);  // held within 50 of the anchor
}

TEST_F(ParticleSystemTest, ParticlesThatFollowTheAnchorMoveWithTheEmitter) {
    Keys keys = steadyKeys();
    keys["maxNumParticles"] = 1;
    make(keys, {{"isFollowAnchor", true}});
    system.tick(kStep);
    ASSERT_EQ(system.getLiveCount(), 1);
    const float before = system.liveParticle(0)->position.x;
    system.setX(system.getX() + 25.0f);
    system.tick(kStep);
    EXPECT_NEAR(system.liveParticle(0)->position.x, before + 25.0f, 1e-3f);
}

}  // namespace
}  // namespace fxtest
