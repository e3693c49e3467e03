// The first stage's particle effects and trails on the real package: the
// ship's exhaust and engine trails, and explosions that put sparks, smoke and
// streaking embers on screen, drawn beneath the enemy bullets in one call per
// pass; and a stage started past its list, with no file, still plays effects.
#include <gtest/gtest.h>

#include <string>

#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "stg/game/CXStageEffects.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/shot/CXBulletManager.h"
#include "tests/game/GameTestSupport.h"

namespace {

class StageEffectsTest : public gametest::SessionTest {
  protected:
    OXScnBaseSTGGame& play() {
        startPlaying();
        return *session.getGameScene();
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            session.tick(16.7f);
        }
    }
};

TEST_F(StageEffectsTest, TheShipFliesWithItsExhaustAndFourEngineTrails) {
    OXScnBaseSTGGame& scene = play();
    run(700);  // the opening brings the ship in
    ASSERT_FALSE(scene.getShip()->isOutOfPlay());
    EXPECT_GE(scene.getStageEffects().trails().trailsInUse(), 4);
    EXPECT_GT(scene.getStageEffects().particles().liveParticles(), 0);
}

TEST_F(StageEffectsTest, AnExplosionThrowsParticlesAndEmbersThatAllGoAgain) {
    OXScnBaseSTGGame& scene = play();
    CXStageEffects& effects = scene.getStageEffects();
    const int busyBefore = effects.particles().busySystems();
    const int trailsBefore = effects.trails().trailsInUse();
    scene.explosion(ExplosionKind::Huge, {160.0f, 300.0f, 0.0f}, 1.0f);
    EXPECT_GE(effects.particles().busySystems(), busyBefore + 6);
    EXPECT_GE(effects.trails().trailsInUse(), trailsBefore + 4);
    run(3);
    EXPECT_GT(effects.particles().liveParticles(), 40);
    run(400);  // well past every lifetime and linger
    EXPECT_LE(effects.particles().busySystems(), busyBefore);
    EXPECT_LE(effects.trails().trailsInUse(), trailsBefore);
}

TEST_F(StageEffectsTest, EffectsAreDrawnBeneathTheEnemyBulletsInOneCallPerPass) {
    RecordingGLDevice device;
    setGLDevice(&device);
    OXScnBaseSTGGame& scene = play();
    for (int i = 0; i < 3000 && scene.getBulletManager()->liveEnemyPoolCount() == 0; ++i) {
        session.tick(16.7f);
    }
    ASSERT_GT(scene.getBulletManager()->liveEnemyPoolCount(), 0);
    for (int i = 0; i < 5; ++i) {
        scene.explosion(ExplosionKind::Large, {60.0f + 40.0f * static_cast<float>(i), 240.0f, 0.0f}, 1.0f);
    }
    run(4);
    const CXParticleEffectManager& particles = scene.getStageEffects().particles();
    ASSERT_GT(particles.liveParticles(), 100);
    device.resetCounts();
    device.draws.clear();
    scene.drawObjects();
    scene.drawOverlays();
    // Whatever the number of particles, each pass is one draw of all their
    // vertices, and the enemy bullets come after every effect.
    const auto particleTexture = static_cast<GLuint>(particles.getTextureId());
    const auto trailTexture = static_cast<GLuint>(scene.getStageEffects().trails().getTextureId());
    const auto bulletTexture = static_cast<GLuint>(scene.getBulletManager()->getTextureId());
    int particleDraws = 0, lastEffect = -1, lastBullets = -1;
    for (size_t i = 0; i < device.draws.size(); ++i) {
        const GLuint texture = device.draws[i].texture;
        particleDraws += texture == particleTexture ? 1 : 0;
        if (texture == particleTexture || texture == trailTexture) {
            lastEffect = static_cast<int>(i);
        } else if (texture == bulletTexture) {
            lastBullets = static_cast<int>(i);
        }
    }
    EXPECT_GE(particleDraws, 1);  // the normal pass,
    EXPECT_LE(particleDraws, 2);  // and the predraw pass when something is beneath
    EXPECT_GT(lastEffect, 0);
    EXPECT_GT(lastBullets, lastEffect);
    setGLDevice(nullptr);
}

TEST_F(StageEffectsTest, AStageWithoutAFileStillHasItsEffectsAndAnUnknownEffectShowsNothing) {
    session.startGame(CXGameSession::kArcadeLevelList, 99);  // past the list: no stage file, no atlases
    EXPECT_EQ(session.getStageIndex(), 1) << "the start is held to the list";
    OXScnBaseSTGGame* scene = session.getGameScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_FALSE(scene->isStageLoaded());
    CXParticleEffectManager& particles = scene->getStageEffects().particles();
    EXPECT_LT(particles.getTextureId(), 0);
    const int busy = particles.busySystems();
    scene->effects().playAt("ps_not_an_effect", {}, {0, 1, 0}, 40.0f);
    EXPECT_EQ(particles.busySystems(), busy);
    scene->explosion(ExplosionKind::Huge, {160.0f, 240.0f, 0.0f}, 1.0f);
    for (int i = 0; i < 5; ++i) {
        scene->update(gametest::kStep);
        scene->drawObjects();
        scene->drawOverlays();
    }
    EXPECT_GT(particles.liveParticles(), 0);  // the effects run, untextured
}

}  // namespace
