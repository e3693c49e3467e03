#include "tools/vortalis2-bench/StressFill.h"

#include <algorithm>

#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/StageEffects.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"

namespace {
const char* const kEnemyType = "bp_round_red";
const char* const kPlayerType = "bp_player_shot";
const char* const kBeamType = "bm_pillar_cyan";
const char* const kEffect = "ps_explosion_sparks";  // a burst of many short-lived sparks
constexpr float kEffectMs = 2000.0f;
constexpr int kPrizeType = 0;
constexpr int kLives = 3;  // kept at least this many
}  // namespace

void StressFill::prepare(CXBulletManager& bullets, CXParticleEffectManager& particles) {
    particles.preloadEffect(kEffect);
    bullets.loadBulletType(kEnemyType);
    bullets.loadBulletType(kPlayerType);
    bullets.loadBeamType(kBeamType);
    enemyType = bullets.findBulletType(kEnemyType);
    playerType = bullets.findBulletType(kPlayerType);
}

float StressFill::next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f;
}

void StressFill::topUp(CXGameSession& session) {
    OXScnBaseSTGGame* scene = session.getGameScene();
    if (!scene || session.getState() != CXGameSession::State::Playing) {
        return;
    }
    session.run().lives = std::max(session.run().lives, kLives);
    CXBulletManager& bullets = *scene->getBulletManager();
    // Each loop stops at a full pool, or at the first refusal.
    while (bullets.liveEnemyPoolCount() < CXBulletManager::kEnemyPoolSize &&
           bullets.fireBullet(next() * 360.0f, {next() * 320.0f, 240.0f + next() * 240.0f, 0.0f}, 0.0f,
                              enemyType, nullptr)) {
    }
    while (bullets.livePlayerPoolCount() < CXBulletManager::kPlayerPoolSize &&
           bullets.fireBullet(next() * 20.0f - 10.0f, {next() * 320.0f, next() * 240.0f, 0.0f}, 0.0f,
                              playerType, nullptr)) {
    }
    while (bullets.livePrizeCount() < CXBulletManager::kPrizePoolSize &&
           bullets.spawnPrize({next() * 320.0f, next() * 480.0f, 0.0f}, kPrizeType)) {
    }
    // A beam is fired whatever the pool holds (the call says nothing), so the
    // count is checked after each.
    for (int live = bullets.liveBeamCount(); live < CXBulletManager::kBeamPoolSize;) {
        bullets.fireBeam(150.0f + next() * 60.0f, {next() * 320.0f, 470.0f, 0.0f}, 0.0f, 0.0f, kBeamType,
                         nullptr, nullptr);
        const int now = bullets.liveBeamCount();
        if (now == live) {
            break;
        }
        live = now;
    }
    // Every particle system busy, and a trail on every enemy bullet the pool can follow.
    CXParticleEffectManager& particles = scene->getStageEffects().particles();
    while (particles.busySystems() < particles.poolSize() &&
           particles.play(kEffect, {next() * 320.0f, next() * 480.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, kEffectMs,
                          true)) {
    }
    CXTrailEffectManager& trails = scene->getStageEffects().trails();
    for (int i = 0;
         i < CXBulletManager::kEnemyPoolSize && trails.trailsInUse() < CXTrailEffectManager::kPoolSize; ++i) {
        const OXBullet& bullet = bullets.enemyBullet(i);
        if (!bullet.isFree() && !bullet.isDying() && !bullet.isPrize() &&
            !trails.spawnTrail(&bullet, 0, 3.0f, {0.0f, 0.0f, 0.0f})) {
            break;
        }
    }
}
