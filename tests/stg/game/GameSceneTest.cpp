// The game scene on the real first stage: the opening, the ship at the edges
// of the view, washes, input, death and respawn, scoring a kill,
// the visibility options, and the effects drawn beneath the bullets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "audio/CXSoundManager.h"
#include "data/CXUserProfile.h"
#include "engine/CXSpriteBatchManager.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/BlastShow.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/FieldFraming.h"
#include "stg/game/OXBomb.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/StageEffects.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "tests/stg/game/GameTestSupport.h"

namespace {

constexpr int kUp = 30, kRight = 29, kLeft = 28, kDown = 31, kBeam = 3;

class GameSceneTest : public gametest::SessionTest {
  protected:
    // Starts the first stage in `mode`.
    OXScnBaseSTGGame& start(GameMode mode) {
        session.choices().mode = mode;
        startPlaying();
        return *session.getGameScene();
    }
    // Frames until the ship takes input, at most `limit`.
    int untilControllable(int limit) {
        int frames = 0;
        while (frames < limit && !session.getShip()->isControllable()) {
            session.tick(16.7f);
            ++frames;
        }
        return frames;
    }
    float distanceMovedInTwoFrames() {
        const Vec3 before = session.getShip()->getPosition();
        session.tick(16.7f);
        session.tick(16.7f);
        const Vec3 after = session.getShip()->getPosition();
        return std::hypot(after.x - before.x, after.y - before.y);
    }
};

TEST_F(GameSceneTest, TheMothershipBringsTheFirstShipInWithoutCostingALife) {
    OXScnBaseSTGGame& scene = start(GameMode::Arcade);
    const int lives = session.run().lives;
    // Closed, the carrier is whole: the bow halves meet on the centre line and sit on the hull,
    // and the engine hangs from it.
    auto edge = [&](int part, float dx, float dy) {
        const OXSprite& s = *scene.getMothershipPart(part);
        return Vec3{s.getX() + dx * 0.5f * s.getSize().x * s.getScale().x,
                    s.getY() + dy * 0.5f * s.getSize().y * s.getScale().y, 0.0f};
    };
    EXPECT_NEAR(edge(1, 1, 0).x, scene.getMothershipPart(0)->getX(), 2.0f);
    EXPECT_NEAR(edge(2, -1, 0).x, scene.getMothershipPart(0)->getX(), 2.0f);
    EXPECT_LE(edge(1, 0, -1).y, edge(0, 0, 1).y);
    EXPECT_GE(edge(3, 0, 1).y, edge(0, 0, -1).y);
    const OXSprite& hull = *scene.getMothershipPart(0);
    const int frames = untilControllable(1000);
    EXPECT_LT(frames, 1000);
    EXPECT_FALSE(scene.getShip()->isOutOfPlay());
    EXPECT_EQ(session.run().lives, lives);
    for (int frame = 0; frame < 120; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_FALSE(hull.isVisible());  // flown off and hidden
}

TEST_F(GameSceneTest, TheOpeningClearsEnemyBulletsUntilTheShipHasControlAndLeavesItLow) {
    OXScnBaseSTGGame& scene = start(GameMode::Arcade);
    OXSTGBasePlayer& ship = *scene.getShip();
    const int bombs = session.run().bombs, lives = session.run().lives;
    // From the first frame to the moment the player has the ship, grace clears every enemy
    // bullet: the carrier's launch cannot be shot at.
    int frames = 0;
    for (; frames < 1000 && !ship.isControllable(); ++frames) {
        session.tick(16.7f);
        ASSERT_GT(scene.getBulletGrace(), 0.0f) << "frame " << frames;
    }
    ASSERT_LT(frames, 1000);
    EXPECT_LT(ship.getY(), 160.0f);  // the lower third of the 480-unit field
    EXPECT_GT(ship.getY(), framing::shipMinY());
    // Grace and the entrance's invulnerability run on a little after: no hit yet.
    EXPECT_GT(scene.getBulletGrace(), 1000.0f);
    EXPECT_TRUE(ship.isInvulnerable());
    for (int frame = 0; frame < 60; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_EQ(session.run().bombs, bombs);
    EXPECT_EQ(session.run().lives, lives);
}

// Pushed against each edge in both layouts, in the open and in a boss fight (no waves, no
// enemy bullets), the ship and its gauge labels stay whole in the leading camera's view, its
// centre between the HUD's rows; and it does reach the edge of what is seen.
class ShipEdgeTest : public GameSceneTest, public testing::WithParamInterface<std::tuple<int, int, bool>> {};

TEST_P(ShipEdgeTest, TheShipAndItsLabelsStayInViewAtTheEdge) {
    const auto [aspect, key, bossFight] = GetParam();
    profile.aspectRatio = aspectRatioFromStored(aspect);
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    OXSTGBasePlayer& ship = *scene.getShip();
    CXEnemyManager& enemies = *scene.getEnemyManager();
    enemies.setState(CXEnemyManager::Loaded);
    if (bossFight) {
        enemies.setMidBossDone(true);  // the stage's boss, not its mid-boss
        ASSERT_TRUE(enemies.startBoss());
    }
    session.run().bombs = 9;
    for (int frame = 0; frame < 200; ++frame) {  // the launch's camera shake dies down
        scene.setBulletGrace(100.0f);
        session.tick(16.7f);
    }
    ASSERT_TRUE(!bossFight || enemies.currentBoss()->isVisible());
    ASSERT_FLOAT_EQ(scene.getViewWidth(), aspect == 1 ? 270.0f : 360.0f);
    const float half = scene.getViewWidth() * 0.5f;
    float leftGap = 0.0f, rightGap = 0.0f;
    session.keyEvent(key, true);
    for (int frame = 0; frame < 150; ++frame) {
        scene.setBulletGrace(100.0f);
        session.tick(16.7f);
        ASSERT_FALSE(ship.isOutOfPlay());
        const OXTextBox& left = *ship.getLeftGaugeLabel();  // right-aligned at its x
        const OXTextBox& right = *ship.getRightGaugeLabel();
        const float viewLeft = scene.getEye().x - half, viewRight = scene.getEye().x + half;
        leftGap =
            std::min(left.getX() - left.textWidth() * left.getScale().x, ship.getX() - 14.0f) - viewLeft;
        rightGap =
            viewRight - std::max(right.getX() + right.textWidth() * right.getScale().x, ship.getX() + 14.0f);
        ASSERT_GE(leftGap, -0.01f) << "frame " << frame;
        ASSERT_GE(rightGap, -0.01f) << "frame " << frame;
        ASSERT_GE(ship.getY(), framing::kLowestShipY - 0.01f);
        ASSERT_LE(ship.getY(), framing::kHighestShipY + 0.01f);
    }
    session.keyEvent(key, false);
    // Within a label's width of the view's side (the percent may be shorter than three glyphs).
    if (key == kLeft) {
        EXPECT_LT(leftGap, framing::kGaugeLabelWidth);
    } else if (key == kRight) {
        EXPECT_LT(rightGap, framing::kGaugeLabelWidth);
    } else {
        EXPECT_NEAR(ship.getY(), key == kDown ? framing::kLowestShipY : framing::kHighestShipY, 1.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLayoutsFourEdges, ShipEdgeTest,
                         testing::Combine(testing::Values(0, 1), testing::Values(kLeft, kRight, kUp, kDown),
                                          testing::Bool()));

// The bomb's ring inverts the field under it: grown past the field it must have faded, or the
// field turns grey; and no background tint (bomb, counter-attack, trance) outlasts 600 ms.
TEST_F(GameSceneTest, TheBombFadesAsItGrowsAndNoWashCoversTheFieldForLong) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    const OXScnBaseSTGBackground& background = *session.getBackgroundScene();
    auto washed = [&] {
        const Colour& c = background.getFlashColour();
        return c.r != 1.0f || c.g != 1.0f || c.b != 1.0f;
    };
    session.run().bombs = 1;
    scene.getShip()->hit(-1.0f, {0, 1, 0});
    ASSERT_TRUE(scene.getBomb()->isDetonating());
    EXPECT_TRUE(washed());
    for (int frame = 0; frame < 20; ++frame) {  // past half the bomb's 600 ms
        session.tick(16.7f);
    }
    EXPECT_LT(scene.getBomb()->getAlpha(), 0.3f);
    for (int frame = 0; frame < 20; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_FALSE(washed());

    // A coloured or lightening wash (the counter-attack's, a boss's white flash) is cut short;
    // a boss's even dimming darkens the ground and keeps its time.
    const struct {
        Colour tint;
        bool lasts;
    } tints[] = {{{0.25f, 1.0f, 0.8f, 1.0f}, false},
                 {{2.5f, 2.5f, 2.5f, 1.0f}, false},
                 {{0.25f, 0.25f, 0.25f, 1.0f}, true}};
    for (const auto& tint : tints) {
        scene.tintBackground(tint.tint, 1500.0f);
        EXPECT_TRUE(washed());
        for (int frame = 0; frame < 40; ++frame) {
            session.tick(16.7f);
        }
        EXPECT_EQ(washed(), tint.lasts) << tint.tint.r << " " << tint.tint.g;
        for (int frame = 0; frame < 60; ++frame) {
            session.tick(16.7f);
        }
    }
}

// Everything that used to white the field out at once (a bomb, a boss's white flash and its
// event, a trance ending, the huge explosions of a boss's death) lightens the backdrop only a
// little, inverts the screen only thinly, and the player's dimming takes its share off.
TEST_F(GameSceneTest, NoFlashWhitesTheFieldOutAndDimmingDimsThem) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    const OXScnBaseSTGBackground& background = *session.getBackgroundScene();
    const auto* hud = session.overlays().hud.get();
    ASSERT_NE(hud, nullptr);
    auto storm = [&] {
        session.run().bombs = 2;
        scene.getShip()->hit(-1.0f, {0, 1, 0});
        session.tick(16.7f);  // the HUD sees the bomb
        scene.backgroundFlash({1, 1, 1, 1}, 1000.0f, 1.0f);
        scene.bossOverlay(true);
        scene.tintBackground({2.0f, 1.5f, 1.25f, 1.0f}, 1000.0f);
        for (int i = 0; i < 3; ++i) {
            scene.explosion(ExplosionKind::Huge, {160, 300, 0}, 150.0f);
        }
    };
    auto brightest = [&] {
        float lift = 0.0f, veil = 0.0f;
        for (int frame = 0; frame < 30; ++frame) {
            session.tick(16.7f);
            const Colour& c = background.getLayerTint();
            lift = std::max({lift, c.r, c.g, c.b});
            veil = std::max(veil, hud->getInvertSquare()->getAlpha());
        }
        return std::make_pair(lift, veil);
    };
    storm();
    const auto [lift, veil] = brightest();
    EXPECT_LE(lift, FlashRule::kMostLift);
    EXPECT_GT(veil, 0.0f);
    EXPECT_LE(veil, FlashRule::kThickestVeil);

    scene.bossOverlay(false);
    for (int frame = 0; frame < 300; ++frame) {  // the bomb's shield is over
        session.tick(16.7f);
    }
    session.setVisibility({0.5f, false, false});
    storm();
    const auto [dimmedLift, dimmedVeil] = brightest();
    EXPECT_LE(dimmedLift, 1.0f + (FlashRule::kMostLift - 1.0f) * 0.5f);
    EXPECT_GT(dimmedVeil, 0.0f);
    EXPECT_LE(dimmedVeil, FlashRule::kThickestVeil * 0.5f);
}

// An explosion weighs what died: a popcorn kill's light is smaller and shorter than a
// carrier's, a carrier's than a boss's, whatever strength the caller asks; the debris fades on
// the field, the boss's blast keeps bursting for a while, and then everything is gone.
TEST_F(GameSceneTest, AnExplosionsLightAndPiecesWeighWhatDied) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    struct Light {
        float largest = 0.0f;  // scale
        int frames = 0;        // frames it shows
    };
    auto lightOf = [&](ExplosionKind kind) {
        for (int frame = 0; frame < 120; ++frame) {  // past the flash rule's second
            session.tick(16.7f);
        }
        scene.explosion(kind, {160.0f, 300.0f, 0.0f}, 150.0f);
        Light light;
        for (int frame = 0; frame < 70; ++frame) {
            float shown = 0.0f;
            for (int i = 0; i < CXSpriteBatchManager::kPoolSize; ++i) {
                const OXSprite& sprite = *scene.explosionLights().sprite(i);
                const float scale = std::fabs(sprite.getScale().x);
                if (sprite.isVisible() && sprite.getColour().a > 0.02f && scale > 0.25f) {
                    shown = std::max(shown, scale);
                }
            }
            light.largest = std::max(light.largest, shown);
            light.frames += shown > 0.0f ? 1 : 0;
            session.tick(16.7f);
        }
        return light;
    };
    const Light popcorn = lightOf(ExplosionKind::Small);
    const Light carrier = lightOf(ExplosionKind::Large);
    const Light boss = lightOf(ExplosionKind::Huge);
    EXPECT_GT(popcorn.largest, 0.0f);
    EXPECT_LT(popcorn.largest * 2.0f, carrier.largest);
    EXPECT_LT(carrier.largest, boss.largest);
    EXPECT_LE(boss.largest, FlashRule::kLargestGlow);
    EXPECT_LT(popcorn.frames * 2, carrier.frames);
    EXPECT_LT(carrier.frames, boss.frames);

    // The carrier's debris is still on the field after its light is out; the boss's blast
    // bursts on for over a second, and within three seconds all of it is gone.
    scene.explosion(ExplosionKind::Large, {100.0f, 300.0f, 0.0f}, 150.0f);
    for (int frame = 0; frame < 40; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_GT(scene.blastShow().liveSprites(), 0);
    scene.explosion(ExplosionKind::Huge, {160.0f, 300.0f, 0.0f}, 150.0f);
    int burstingFrames = 0;
    for (int frame = 0; frame < 180; ++frame) {
        burstingFrames += scene.blastShow().pendingAfterBlasts() > 0 ? 1 : 0;
        session.tick(16.7f);
    }
    EXPECT_GT(burstingFrames, 60);
    EXPECT_EQ(scene.blastShow().pendingAfterBlasts(), 0);
    EXPECT_EQ(scene.blastShow().liveSprites(), 0);
}

TEST_F(GameSceneTest, NeighbouringExplosionsPlayDifferentBlastsEachWithinItsOwnFrames) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    // The sheet's blasts: frames 0-15, 32-47 and 48-63 (16-19 are the score popups).
    auto blastOf = [](int frame) { return frame < 16 ? 0 : frame >= 48 ? 2 : frame >= 32 ? 1 : -1; };
    std::set<int> blastsSeen;
    for (int i = 0; i < 8; ++i) {
        scene.explosion(ExplosionKind::Small, {40.0f + 30.0f * static_cast<float>(i), 300.0f, 0.0f}, 150.0f);
    }
    std::map<int, int> blastOfSprite;
    for (int frame = 0; frame < 60; ++frame) {
        for (int i = 0; i < CXSpriteBatchManager::kPoolSize; ++i) {
            const OXSprite& sprite = *scene.explosionLights().sprite(i);
            if (!sprite.isVisible() || std::fabs(sprite.getScale().x) < 0.25f) {
                continue;  // embers are small still frames
            }
            const int blast = blastOf(sprite.currentFrame());
            ASSERT_NE(blast, -1) << "a blast shows cell " << sprite.currentFrame();
            const auto known = blastOfSprite.emplace(i, blast).first;
            EXPECT_EQ(known->second, blast) << "a blast ran on into another's frames";
            blastsSeen.insert(blast);
        }
        session.tick(16.7f);
    }
    EXPECT_GE(blastsSeen.size(), 2u);
}

TEST_F(GameSceneTest, DiagonalMovementIsAsFastAsStraightAndTheBeamButtonSlowsIt) {
    start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);

    session.keyEvent(kUp, true);
    session.tick(16.7f);
    const float straight = distanceMovedInTwoFrames();
    session.keyEvent(kRight, true);
    session.tick(16.7f);
    const float diagonal = distanceMovedInTwoFrames();
    EXPECT_GT(straight, 5.0f);
    EXPECT_NEAR(diagonal, straight, 0.05f * straight);

    session.keyEvent(kBeam, true);
    session.tick(16.7f);
    const float slowed = distanceMovedInTwoFrames();
    EXPECT_LT(slowed, straight * 0.8f);
}

TEST_F(GameSceneTest, TheShotSoundsBrighterInATrance) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    OXSTGBasePlayer& ship = *scene.getShip();
    ship.addBreak(1000.0f);
    ship.requestTrance();
    for (int frame = 0; frame < 200 && !ship.isTranceActive(); ++frame) {
        session.tick(16.7f);
    }
    ASSERT_TRUE(ship.isTranceActive());
    CXSoundManager& sound = CXSoundManager::instance();
    const int plain = sound.effectPlayCount("bullet_shoot_1.caf");
    const int bright = sound.effectPlayCount("break_shoot.caf");
    ship.setFiring(true);
    for (int frame = 0; frame < 10 && ship.isTranceActive(); ++frame) {
        session.tick(16.7f);
    }
    EXPECT_GT(sound.effectPlayCount("break_shoot.caf"), bright);
    EXPECT_EQ(sound.effectPlayCount("bullet_shoot_1.caf"), plain);
}

TEST_F(GameSceneTest, ADeathCostsALifeRefillsTheBombsAndClearsTheField) {
    OXScnBaseSTGGame& scene = start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    const int lives = session.run().lives;
    session.run().bombs = 0;

    scene.playerDied();
    EXPECT_TRUE(scene.getShip()->isRespawning());  // the death animation: no second death
    // The wreck leaves play, and the next ship comes back into a field kept clear.
    for (bool outOfPlay : {false, true}) {
        for (int frame = 0; frame < 200 && scene.getShip()->isOutOfPlay() == outOfPlay; ++frame) {
            session.tick(16.7f);
        }
        ASSERT_NE(scene.getShip()->isOutOfPlay(), outOfPlay);
    }
    EXPECT_EQ(session.run().lives, lives - 1);
    EXPECT_EQ(session.run().bombs, session.run().startBombs);
    EXPECT_GT(scene.getBulletGrace(), 0.0f);
    // Every enemy bullet left is playing its end.
    CXBulletManager& bullets = *scene.getBulletManager();
    for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
        const OXBullet& bullet = bullets.enemyBullet(i);
        EXPECT_TRUE(bullet.isFree() || bullet.isDying() || !bullet.isEnemySide()) << "bullet " << i;
    }
}

// A dart (120 points) shot down `reach` units from the ship's centre to its
// edge, with a graze chain of 10 and a multiplier of 1.6: the score it adds.
int64_t killScore(CXGameSession& session, float reach) {
    OXScnBaseSTGGame& scene = *session.getGameScene();
    OXSTGBasePlayer& ship = *scene.getShip();
    CXEnemyManager& enemies = *scene.getEnemyManager();
    enemies.loadEnemyDefinition("popcorn_dart");
    OXEnemy* dart = enemies.spawnEnemy({160, 300, 0}, "popcorn_dart", 180);
    for (int frame = 0; frame < 300 && dart->isEntering(); ++frame) {
        session.tick(16.7f);
    }
    ship.setGrazeChain(10);
    session.tick(16.7f);  // the chain bonus follows the chain: 160
    const Vec3 at = dart->getPosition();
    ship.setPosition(at.x, at.y - (reach + dart->getSize().x), 0);
    ship.setTargetPosition(ship.getPosition());
    const int64_t before = ship.getScore();
    dart->applyDamage(-dart->getHitPoints());
    session.tick(16.7f);
    return ship.getScore() - before;
}

TEST_F(GameSceneTest, AKillNearTheShipScoresTheChainBonusTimesTheDistanceFactorAndTheMultiplier) {
    start(GameMode::FreePlay);
    ASSERT_LT(untilControllable(1000), 1000);
    OXSTGBasePlayer& ship = *session.getShip();
    ship.addMultiplier(1.0f);  // at normal's rate of 0.6
    ASSERT_FLOAT_EQ(ship.getMultiplier(), 1.6f);
    session.run().bombs = 5;

    EXPECT_NEAR(killScore(session, 100.0f), 16 * (160 + 120) * 1.6, 1.0);
    EXPECT_NEAR(killScore(session, 140.0f), 8 * (160 + 120) * 1.6, 1.0);
    EXPECT_NEAR(killScore(session, 400.0f), 1 * (160 + 120) * 1.6, 1.0);
}

}  // namespace

// The visibility options come from the profile at the start and show on the very next frame
// drawn when they change in a running stage: the background darker, every enemy bullet with a
// dark outline under a brighter core in the same single draw call, the hit box marked.
TEST_F(GameSceneTest, VisibilityOptionsShowOnTheNextFrameDrawnInARunningStage) {
    profile.bulletContrast = true;
    OXScnBaseSTGGame& scene = start(GameMode::Arcade);
    EXPECT_TRUE(session.getVisibility().bulletContrast);
    session.setVisibility({});
    ASSERT_LT(untilControllable(3000), 3000);
    RecordingGLDevice device;
    setGLDevice(&device);
    CXBulletManager& bullets = *scene.getBulletManager();
    BulletProperties type;
    type.size = 8.0f;
    type.duration = 100000.0f;
    for (int i = 0; i < 20; ++i) {
        bullets.fireBullet(180, {static_cast<float>(20 + 10 * i), 400, 0}, 0, &type, nullptr);
    }
    const int live = bullets.liveEnemyPoolCount();
    ASSERT_GT(live, 0);
    OXScnBaseSTGBackground& background = *session.getBackgroundScene();
    background.draw();
    const Colour undimmed = background.getDrawnTint();
    bullets.drawEnemyBullets();
    const float plainRed = bullets.getVertices()[0].r;
    EXPECT_FALSE(session.getShip()->showsHitboxMarker());

    session.setVisibility({0.5f, true, true});  // no tick: the stage may be paused
    background.draw();
    EXPECT_FLOAT_EQ(background.getDrawnTint().r, undimmed.r * 0.5f);
    EXPECT_FLOAT_EQ(background.getDrawnTint().a, undimmed.a);
    device.resetCounts();
    bullets.drawEnemyBullets();
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
    ASSERT_EQ(bullets.getVertexCount(), live * 12);
    const BatchVertex* v = bullets.getVertices();
    EXPECT_EQ(v[0].r + v[0].g + v[0].b, 0.0f);  // the outlines come first, black
    EXPECT_GT(v[0].a, 0.0f);
    EXPECT_GE(v[live * 6].r, plainRed);  // then every bullet, lifted towards white
    EXPECT_GT(v[live * 6].g + v[live * 6].b, 0.0f);
    EXPECT_TRUE(session.getShip()->showsHitboxMarker());

    session.setVisibility({5.0f, false, false});  // beyond the most: held to 80 %
    EXPECT_FLOAT_EQ(session.getVisibility().backgroundDimming, CXUserProfile::kMostDimming);
    setGLDevice(nullptr);
}

// Explosions' sparks, smoke and embers and the engines' trails go under the enemy bullets.
TEST_F(GameSceneTest, EffectsAreDrawnBeneathTheEnemyBullets) {
    RecordingGLDevice device;
    setGLDevice(&device);
    OXScnBaseSTGGame& scene = start(GameMode::Arcade);
    for (int i = 0; i < 3000 && scene.getBulletManager()->liveEnemyPoolCount() == 0; ++i) {
        session.tick(16.7f);
    }
    ASSERT_GT(scene.getBulletManager()->liveEnemyPoolCount(), 0);
    for (int i = 0; i < 5; ++i) {
        scene.explosion(ExplosionKind::Large, {60.0f + 40.0f * static_cast<float>(i), 240.0f, 0.0f}, 1.0f);
        session.tick(16.7f);
    }
    ASSERT_GT(scene.getStageEffects().particles().liveParticles(), 100);
    device.draws.clear();
    scene.drawObjects();
    scene.drawOverlays();
    const auto particleTexture = static_cast<GLuint>(scene.getStageEffects().particles().getTextureId());
    const auto trailTexture = static_cast<GLuint>(scene.getStageEffects().trails().getTextureId());
    const auto bulletTexture = static_cast<GLuint>(scene.getBulletManager()->getTextureId());
    int lastEffect = -1, lastBullets = -1;
    for (size_t i = 0; i < device.draws.size(); ++i) {
        const GLuint texture = device.draws[i].texture;
        if (texture == particleTexture || texture == trailTexture) {
            lastEffect = static_cast<int>(i);
        } else if (texture == bulletTexture) {
            lastBullets = static_cast<int>(i);
        }
    }
    EXPECT_GT(lastEffect, 0);
    EXPECT_GT(lastBullets, lastEffect);
    setGLDevice(nullptr);
}

// A start past the level list is held to it and loads no stage file, no atlas with it; the
// effects still run, untextured, and an unknown effect shows nothing.
TEST_F(GameSceneTest, AStageWithoutAFileStillPlaysItsEffects) {
    session.startGame(CXGameSession::kArcadeLevelList, 99);
    EXPECT_EQ(session.run().stageIndex, static_cast<int>(session.getLevelList().size()));
    OXScnBaseSTGGame* scene = session.getGameScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_FALSE(scene->isStageLoaded());
    CXParticleEffectManager& particles = scene->getStageEffects().particles();
    const int busy = particles.busySystems();
    scene->effects().playAt("ps_not_an_effect", {}, {0, 1, 0}, 40.0f);
    EXPECT_EQ(particles.busySystems(), busy);
    scene->explosion(ExplosionKind::Huge, {160.0f, 240.0f, 0.0f}, 1.0f);
    for (int i = 0; i < 5; ++i) {
        scene->update(gametest::kStep);
        scene->drawObjects();
        scene->drawOverlays();
    }
    EXPECT_GT(particles.liveParticles(), 0);
}
