// One particle system on its own: how many particles it emits over time and
// in bursts, how long they live, their alpha, colour and size curves, frame
// animation, and the system that follows an anchor.

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

struct EmissionCase {
    float spawnRate;
    float dtMs;
    int frames;
    int expectedLive;
    float expectedCarry;  // ms left in the accumulator
};

class EmissionOverTime : public ParticleSystemTest, public testing::WithParamInterface<EmissionCase> {};

TEST_P(EmissionOverTime, EmitsOneParticlePerIntervalAndCarriesTheRest) {
    const EmissionCase c = GetParam();
    Keys keys = steadyKeys();
    keys["spawnRate"] = c.spawnRate;
    make(keys);
    run(c.dtMs, c.frames);
    EXPECT_EQ(system.getLiveCount(), c.expectedLive);
    EXPECT_NEAR(system.getSpawnAccumulator(), c.expectedCarry, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Rates, EmissionOverTime,
                         testing::Values(EmissionCase{100, 16, 1, 1, 6},  // 10 ms interval: one, 6 ms kept
                                         EmissionCase{100, 16, 2, 3, 2},  // then two, 2 ms kept
                                         EmissionCase{100, 16, 10, 15,
                                                      10},  // 160 ms: 15, the 16th waits for more
                                         EmissionCase{50, 10, 10, 4, 20},  // 20 ms interval, strictly past it
                                         EmissionCase{0, 16, 100, 0, 1600}));  // rate 0 never emits

TEST_F(ParticleSystemTest, ABurstEmitsForItsDurationAndThenStopsAndABurstOfZeroEmitsNothing) {
    make(steadyKeys());
    system.burst(100.0f);
    run(10.0f, 30);
    // 10 frames of 10 ms at one per 10 ms (each strictly past the interval): 9 particles.
    EXPECT_EQ(system.getLiveCount(), 9);
    EXPECT_FALSE(system.isEmitting());

    make(steadyKeys());
    system.burst(0.0f);
    run(kStep, 5);
    EXPECT_EQ(system.getLiveCount(), 0);
    EXPECT_TRUE(system.isIdle());  // back to its pool, not held for ever
}

TEST_F(ParticleSystemTest, LiveParticlesStopAtTheMaximumAndALargeOneGetsA512RingThatHolds511WithoutStalling) {
    Keys keys = steadyKeys();
    keys["maxNumParticles"] = 5;
    make(keys);
    run(kStep, 100);
    EXPECT_EQ(system.getLiveCount(), 5);

    system.load("assets/plist/particles/t_big_ring");
    EXPECT_EQ(system.getCapacity(), 512);
    system.setActive(true);
    run(kStep, 20);
    EXPECT_EQ(system.getLiveCount(), 511);
    EXPECT_LE(system.getSpawnAccumulator(), 0.01f);
}

TEST_F(ParticleSystemTest, AParticleLivesItsLifetimeAndALongerOneOutlivesAShorterOneBefore) {
    Keys keys = steadyKeys();
    keys["minTtl"] = 100;
    keys["maxTtl"] = 1000;
    keys["spawnRate"] = 1000;
    make(keys);
    run(2.0f, 20);  // about 19 particles of random lifetimes from 100 to 1000 ms
    system.setEmitting(false);
    const int born = system.getLiveCount();
    run(10.0f, 12);  // 120 ms more: some short ones are gone, long ones stay
    const int later = system.getLiveCount();
    EXPECT_LT(later, born);
    EXPECT_GT(later, 0);
    run(10.0f, 100);  // everyone is past 1000 ms
    EXPECT_EQ(system.getLiveCount(), 0);
    EXPECT_TRUE(system.isIdle());
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

struct AlphaCase {
    float midTime;
    float fraction;
    float expected;
};

class AlphaCurve : public CurvesTest, public testing::WithParamInterface<AlphaCase> {};

TEST_P(AlphaCurve, RisesToTheMidValueAndFallsToTheEnd) {
    const AlphaCase c = GetParam();
    Keys keys = steadyKeys();
    keys["startAlpha"] = 0.0;
    keys["midAlpha"] = 1.0;
    keys["endAlpha"] = 0.2;
    keys["alphaMidTime"] = c.midTime;
    EXPECT_NEAR(particleAt(keys, c.fraction).alpha, c.expected, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Points, AlphaCurve,
                         testing::Values(AlphaCase{0.5f, 0.25f, 0.5f},   // half-way up
                                         AlphaCase{0.5f, 0.5f, 1.0f},    // the mid point
                                         AlphaCase{0.5f, 0.75f, 0.6f},   // half-way down to 0.2
                                         AlphaCase{0.2f, 0.1f, 0.5f},    // an early mid point
                                         AlphaCase{0.0f, 0.5f, 0.6f}));  // mid time 0: all mid-to-end

TEST_F(CurvesTest, ColourAndSizeAreHalfWayAtTheMiddleOfTheLife) {
    Keys keys = steadyKeys();
    keys["startColorR"] = 1;
    keys["startColorG"] = 0;
    keys["startColorB"] = 0.2;
    keys["endColorR"] = 0;
    keys["endColorG"] = 0.5;
    keys["endColorB"] = 1;
    keys["startSizeX"] = 2;
    keys["endSizeX"] = 10;
    keys["startSizeY"] = 4;
    keys["endSizeY"] = 0;
    const Particle& p = particleAt(keys, 0.5f);
    EXPECT_NEAR(p.colour.x, 0.5f, 1e-3f);
    EXPECT_NEAR(p.colour.y, 0.25f, 1e-3f);
    EXPECT_NEAR(p.colour.z, 0.6f, 1e-3f);
    EXPECT_NEAR(p.size.x, 6.0f, 1e-3f);
    EXPECT_NEAR(p.size.y, 2.0f, 1e-3f);
}

TEST_F(CurvesTest, VelocityMovesTheParticleAlongTheSystemsDirectionWhenItIsDirectional) {
    Keys keys = steadyKeys();
    keys["velocityY"] = 100;  // units per second
    keys["endVelocityY"] = 100;
    const Particle& plain = particleAt(keys, 0.5f);
    EXPECT_NEAR(plain.position.y, 150.0f, 0.5f);  // 500 ms at 100 units per second from y = 100
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
    anchor.setPosition(80.0f, 20.0f, 0.0f);
    system.tick(kStep);
    EXPECT_NEAR(system.getX(), 70.0f, 1e-3f);
    EXPECT_NEAR(system.getY(), 20.0f, 1e-3f);

    // Within its bound it lags by its follow factor.
    system.setOffset({0.0f, 0.0f, 0.0f});
    anchor.setRotation(0.0f, 0.0f, 0.0f);
    anchor.setPosition(100.0f, 100.0f, 0.0f);
    system.setPosition(100.0f, 100.0f, 0.0f);
    system.setBound({50.0f, 50.0f, 0.0f});
    anchor.setPosition(140.0f, 100.0f, 0.0f);
    system.tick(kStep);
    EXPECT_NEAR(system.getX(), 110.0f, 1e-3f);  // a quarter of the way
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
