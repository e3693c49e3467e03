// Bosses: phases starting and ending, the bonus, invincible phases, repeat,
// the flight home, escaping, the death sequence, the per-hit score, and the
// broken boss files a stage must survive.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "data/Plist.h"

#include "stg/enemy/OXBoss.h"
#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

// The stage with no mid-boss to wait for.
struct BossStage : Stage {
    BossStage() { enemies.setMidBossDone(true); }
    OXBoss& start(const std::string& name) {
        enemies.loadBoss("assets/plist/" + name);
        enemies.startBoss();
        return *enemies.getBoss();
    }
    template <typename Done>
    void runUntil(Done done, int limit = 2000) {
        for (int i = 0; i < limit && !done(); ++i) {
            enemies.update(kStep);
        }
    }
};

std::string node(double duration, double direction = 0, double speed = 0, const Keys& more = {}) {
    Keys keys = {{"duration", real(duration)}, {"direction", real(direction)}, {"speed", real(speed)}};
    keys.insert(keys.end(), more.begin(), more.end());
    return dict(keys);
}

std::string phase(double hp, const Keys& more) {
    Keys keys = {{"hp", real(hp)}};
    keys.insert(keys.end(), more.begin(), more.end());
    return dict(keys);
}

// Comes down from y 600 to its home at y 360 in 2000 ms (invincible), then
// fights three phases: two nodes; a repeating one; a timed survival.
const Keys kBossBase = {
    {"sprite", text("spr_t_boss")},
    {"start x", real(160)},
    {"start y", real(600)},
    {"default x", real(160)},
    {"default y", real(360)},
    {"effect 0", dict({{"effect file", text("ps_boss_glow")}})},
    {"effect 1", dict({{"effect file", text("ps_boss_burst")}})},
    {"on death effect", text("1")},
    {"on death duration", real(250)},
    {"phase 0", phase(10, {{"invincibility", boolean(true)}, {"movement node 0", node(2000, 180, 1.2)}})},
    {"phase 1", phase(100, {{"show phase clear", boolean(true)},
                            {"movement node 0", node(1000)},
                            {"movement node 1", node(1000)}})},
    {"phase 2", phase(50, {{"show phase clear", boolean(true)},
                           {"repeat", boolean(true)},
                           {"movement node 0", node(500, 90, 1)}})},
    {"phase 3", phase(40, {{"show phase clear", boolean(true)},
                           {"invincibility", boolean(true)},
                           {"movement node 0", node(3000)}})},
    {"death movement node", node(2500, 180, 0.2, {{"effect", text("ps_boss_smoke")}})},
};

// A list in binary form, whole, cut short, or with a trailer that points outside it.
std::string binaryList(const Plist::Dictionary& root, const char* damage) {
    std::ostringstream out;
    Plist::writeBinary(out, root);
    std::string bytes = out.str();
    if (std::string(damage) == "truncated") {
        bytes.resize(bytes.size() / 2);
    } else if (std::string(damage) == "trailer") {
        for (size_t i = bytes.size() - 8; i < bytes.size(); ++i) {
            bytes[i] = '\x7f';  // the offset table's offset
        }
    }
    return bytes;
}

const Plist::Dictionary kSpriteList = {{"numColumns", int64_t{1}}, {"numRows", int64_t{1}}};
const Plist::Dictionary kPhases = {
    {"phase 0",
     Plist::Dictionary{{"hp", 10.0}, {"movement node 0", Plist::Dictionary{{"duration", 100.0}}}}}};

const bool files =
    addPackageFile("assets/plist/spr_t_boss.plist",
                   plist({{"numColumns", integer(1)}, {"numRows", integer(1)}})) &&
    addPackageFile("assets/plist/spr_t_cut.plist", binaryList(kSpriteList, "truncated")) &&
    addPackageFile("assets/plist/spr_t_trailer.plist", binaryList(kSpriteList, "trailer")) &&
    addPackageFile("assets/plist/t_boss_cut.plist",
                   binaryList({{"sprite", std::string("spr_t_boss")}}, "truncated")) &&
    addPackageFile("assets/plist/t_boss_trailer.plist",
                   binaryList({{"sprite", std::string("spr_t_boss")}}, "trailer")) &&
    addPackageFile("assets/plist/t_boss_cut_sprite.plist",
                   binaryList({{"sprite", std::string("spr_t_cut")}}, "whole")) &&
    addPackageFile("assets/plist/t_boss_cut_parts.plist",
                   binaryList({{"sprite", std::string("spr_t_boss")},
                               {"rune circle", std::string("spr_t_trailer")},
                               {"module 0", Plist::Dictionary{{"sprite", std::string("spr_t_cut")}}},
                               {"module 1", Plist::Dictionary{{"sprite", std::string("spr_t_trailer")}}},
                               {"phase 0", kPhases.at("phase 0")}},
                              "whole")) &&
    addPackageFile("assets/plist/t_boss.plist", plist(kBossBase)) &&
    addPackageFile("assets/plist/t_boss_escape.plist",
                   plist({{"sprite", text("spr_t_boss")},
                          {"start x", real(160)},
                          {"start y", real(360)},
                          {"on death escape", boolean(true)},
                          {"phase 0", phase(10, {{"movement node 0", node(100)}})},
                          {"phase 1", phase(10, {{"movement node 0", node(100)}})},
                          {"phase 2", phase(10, {{"movement node 0", node(100)}})}})) &&
    addPackageFile("assets/plist/t_boss_no_phases.plist",
                   plist({{"sprite", text("spr_t_boss")}, {"start x", real(160)}})) &&
    addPackageFile("assets/plist/t_boss_broken_phases.plist",
                   plist({{"sprite", text("spr_t_boss")},
                          {"start x", real(160)},
                          {"start y", real(360)},
                          {"normal modules", text("0 4")},
                          {"module 0", dict({{"sprite", text("spr_t_part")}})},
                          {"phase 0", phase(0, {{"movement node 0", node(100)}})},
                          {"phase 1", phase(10, {{"show effect", text("0 7")}})},
                          {"phase 2", phase(10, {{"movement node 0", node(100000)}})}})) &&
    addPackageFile(
        "assets/plist/t_boss_endless.plist",
        plist({{"sprite", text("spr_t_boss")},
               {"phase 0", phase(10, {{"invincibility", boolean(true)}, {"movement node 0", node(3.4e38)}})},
               {"phase 1", phase(10, {{"movement node 0", node(1000)}})}})) &&
    addPackageFile("assets/plist/t_boss_extreme.plist",
                   plist({{"sprite", text("spr_t_boss")},
                          {"start x", real(160)},
                          {"start y", real(360)},
                          {"hp", real(1e30)},
                          {"phase 0", phase(1e30, {{"bonus time", real(1e30)},
                                                   {"score factor", real(1e30)},
                                                   {"movement node 0", node(1000)}})}}));

// Beats the boss's current phase and waits until the next one has begun.
void beatPhase(BossStage& stage, OXBoss& boss) {
    const int from = boss.getPhaseIndex();
    boss.applyDamage(-boss.getHitPoints());
    stage.runUntil([&] { return boss.getPhaseIndex() > from && !boss.isTransitioning(); });
}

TEST(BossPhases, TheEntranceIsInvincibleABeatenPhaseFliesHomeRefillsAndPaysItsBonus) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss");
    EXPECT_TRUE(boss.isInvincible());
    EXPECT_FALSE(stage.world.timerShown);
    boss.applyDamage(-5.0f);
    EXPECT_FLOAT_EQ(boss.getHitPoints(), 10.0f);  // no damage
    stage.runUntil([&] { return boss.getPhaseIndex() == 1; });
    EXPECT_NEAR(boss.getY(), 360.0f, 3.0f);  // the fight starts at home
    EXPECT_FALSE(boss.isInvincible());
    EXPECT_TRUE(stage.world.timerShown);
    EXPECT_TRUE(stage.world.bonuses.empty());  // the entrance pays no bonus

    boss.setX(100.0f);
    boss.applyDamage(-100.0f);
    stage.run(1);
    EXPECT_TRUE(boss.isFlyingHome());
    EXPECT_TRUE(boss.isPhaseClearBursting());
    EXPECT_EQ(stage.world.bonuses.size(), 1u);
    stage.runUntil([&] { return !boss.isTransitioning(); });
    EXPECT_EQ(boss.getPhaseIndex(), 2);
    EXPECT_FLOAT_EQ(boss.getX(), 160.0f);
    EXPECT_FLOAT_EQ(boss.getY(), 360.0f);
    EXPECT_FLOAT_EQ(boss.getHitPoints(), 50.0f);
}

// An attack is beaten when its hit points run out, or, taking no damage, when it has been
// endured to its end; one whose script runs out is not. The entrance has no attack.
const bool attackFiles = addPackageFile(
    "assets/plist/t_boss_attacks.plist",
    plist({{"sprite", text("spr_t_boss")},
           {"start x", real(160)},
           {"start y", real(360)},
           {"default x", real(160)},
           {"default y", real(360)},
           {"phase 0", phase(10, {{"invincibility", boolean(true)}, {"movement node 0", node(300)}})},
           {"phase 1", phase(50, {{"attack name", text("RUNS OUT")}, {"movement node 0", node(600)}})},
           {"phase 2", phase(50, {{"attack name", text("SHOT DOWN")},
                                  {"repeat", boolean(true)},
                                  {"movement node 0", node(600)}})},
           {"phase 3", phase(10, {{"attack name", text("WEATHERED")},
                                  {"invincibility", boolean(true)},
                                  {"movement node 0", node(600)}})}}));

TEST(BossPhases, AnAttackIsBeatenByItsHitPointsOrEnduredNeverTimedOut) {
    ASSERT_TRUE(attackFiles);
    BossStage stage;
    OXBoss& boss = stage.start("t_boss_attacks");
    EXPECT_EQ(boss.getFileName(), "t_boss_attacks");
    stage.runUntil([&] { return boss.getPhaseIndex() == 2 && !boss.isTransitioning(); });
    stage.run(100);  // a repeating attack runs until it is shot down
    EXPECT_EQ(stage.world.attacks.size(), 3u);
    beatPhase(stage, boss);
    stage.runUntil([&] { return boss.getLife() == OXBoss::BossLife::Gone; });
    const std::vector<std::string> expected = {"t_boss_attacks 1 RUNS OUT",  "1 not beaten",
                                               "t_boss_attacks 2 SHOT DOWN", "2 beaten",
                                               "t_boss_attacks 3 WEATHERED", "3 beaten"};
    EXPECT_EQ(stage.world.attacks, expected);
}

TEST(BossPhases, ARunOutTimerLosesTheBonusAndDrainsTheMultiplier) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss");
    stage.runUntil([&] { return boss.getPhaseIndex() == 1; });
    stage.runUntil([&] { return stage.world.timeOuts > 0; });
    EXPECT_EQ(stage.world.timeOuts, 1);
    const int64_t score = stage.ship.score;
    boss.applyDamage(-10.0f);
    EXPECT_EQ(stage.ship.score, score);  // no per-hit score once the time is out
}

// A hull of three frames, broken further from phases 1 and 2; one listed phase is not there.
const bool damageFiles =
    addPackageFile("assets/plist/spr_t_hull.plist",
                   plist({{"numColumns", integer(3)}, {"numRows", integer(1)}, {"numFrames", integer(1)}})) &&
    addPackageFile("assets/plist/t_boss_damaged.plist",
                   plist({{"sprite", text("spr_t_hull")},
                          {"start x", real(160)},
                          {"start y", real(360)},
                          {"damage phases", text("1 2 9")},
                          {"phase 0", phase(10, {{"attack name", text("CLOSING DOORS")},
                                                 {"movement node 0", node(1000)}})},
                          {"phase 1", phase(10, {{"movement node 0", node(1000)}})},
                          {"phase 2", phase(10, {{"attack name", text("A NAME FAR TOO LONG FOR THE HUD")},
                                                 {"movement node 0", node(1000)}})}}));

TEST(BossDamage, TheHullLooksMoreBrokenFromEachListedPhaseAndEachPhaseNamesItsAttack) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss_damaged");
    EXPECT_EQ(boss.getHullFrame(), 0);
    EXPECT_EQ(boss.getAttackName(), "CLOSING DOORS");
    beatPhase(stage, boss);
    EXPECT_EQ(boss.getHullFrame(), 1);
    EXPECT_EQ(boss.getAttackName(), "");
    beatPhase(stage, boss);
    EXPECT_EQ(boss.getHullFrame(), 2);
    EXPECT_EQ(boss.getAttackName(), "A NAME FAR TOO LONG FOR ");
}

// A row of four hull states, broken further from phases 1, 2 and 3, each phase long enough to
// watch; it dies with a death drift.
const bool brokenHullFiles =
    addPackageFile("assets/plist/spr_t_hull_row.plist",
                   plist({{"numColumns", integer(4)}, {"numRows", integer(1)}, {"numFrames", integer(1)}})) &&
    addPackageFile("assets/plist/t_boss_breaking.plist",
                   plist({{"sprite", text("spr_t_hull_row")},
                          {"start x", real(160)},
                          {"start y", real(360)},
                          {"damage phases", text("1 2 3")},
                          {"phase 0", phase(10, {{"movement node 0", node(60000)}})},
                          {"phase 1", phase(10, {{"movement node 0", node(60000)}})},
                          {"phase 2", phase(10, {{"movement node 0", node(60000)}})},
                          {"phase 3", phase(10, {{"movement node 0", node(60000)}})},
                          {"death movement node", node(2000, 180, 0.2)}}));

long effectsPlayed(const BossStage& stage, const std::string& name) {
    return std::count(stage.effects.played.begin(), stage.effects.played.end(), name);
}

TEST(BossDamage, AWholeHullNeverSparksABrokenOneSparksMoreAsItBreaksAndDiesAtItsMostBroken) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss_breaking");
    const int frames = 200;  // about three seconds of each state
    stage.run(frames);
    EXPECT_EQ(effectsPlayed(stage, "ps_boss_damage_sparks"), 0) << "a whole hull throws no sparks";
    long before = 0;
    for (int state = 1; state <= 3; ++state) {
        beatPhase(stage, boss);
        ASSERT_EQ(boss.getHullFrame(), state);
        const long start = effectsPlayed(stage, "ps_boss_damage_sparks");
        stage.run(frames);
        const long sparks = effectsPlayed(stage, "ps_boss_damage_sparks") - start;
        EXPECT_GT(sparks, before) << "state " << state << " should spark more often than the one before";
        EXPECT_LT(sparks, frames / 10) << "state " << state << " sparks far too often";
        before = sparks;
    }
    EXPECT_GT(effectsPlayed(stage, "ps_boss_damage_smoke"), 0);

    // Beaten: it drifts down at its most broken until it explodes.
    boss.applyDamage(-boss.getHitPoints());
    stage.run(3);
    ASSERT_EQ(boss.getLife(), OXBoss::BossLife::Dying);
    EXPECT_EQ(boss.getHullFrame(), 3);
}

TEST(BossDamage, AHullWithoutDamagePhasesKeepsItsCellAndNeverSparks) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss");
    stage.runUntil([&] { return boss.getPhaseIndex() == 1; });
    beatPhase(stage, boss);
    stage.run(200);
    EXPECT_EQ(boss.getHullFrame(), 0);
    EXPECT_EQ(effectsPlayed(stage, "ps_boss_damage_sparks"), 0);
}

TEST(BossStageFlow, WithoutWavesTheBossWaitsForTheMidBoss) {
    BossStage stage;
    stage.enemies.setMidBossDone(false);
    stage.enemies.loadMidBoss("assets/plist/t_boss_escape");
    stage.enemies.loadBoss("assets/plist/t_boss");
    stage.enemies.setState(CXEnemyManager::Running);
    stage.run(2);
    ASSERT_TRUE(stage.enemies.getMidBoss()->isVisible());
    EXPECT_FALSE(stage.enemies.isReadyForBoss());
    stage.enemies.markBossDefeated();
    EXPECT_TRUE(stage.enemies.isReadyForBoss());
}

TEST(BossEscape, AnEscapingBossOfThreePhasesIsDefeatedWhenPhaseTwoBegins) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss_escape");
    stage.run(1);
    beatPhase(stage, boss);  // the first phase's script also ends it
    EXPECT_FALSE(stage.enemies.isBossDone());
    stage.runUntil([&] { return boss.getPhaseIndex() == 2; });
    EXPECT_TRUE(stage.enemies.isBossDone());
    EXPECT_TRUE(boss.isDone());
}

TEST(BossDeath, TheDeathMovementEndsInTheFinalExplosionAndTheStageGoesOn) {
    BossStage stage;
    OXBoss& boss = stage.start("t_boss");
    stage.runUntil([&] { return boss.getPhaseIndex() == 1; });
    beatPhase(stage, boss);
    beatPhase(stage, boss);
    stage.runUntil([&] { return boss.isDying(); }, 400);
    ASSERT_TRUE(boss.isDying());
    EXPECT_EQ(stage.world.defeatNotices, 1);
    EXPECT_FALSE(stage.world.timerShown);
    EXPECT_FALSE(stage.enemies.isBossDone());
    stage.run(60);  // blasts break out along the hull, a big one among the smaller ones
    EXPECT_GE(std::count_if(stage.world.explosions.begin(), stage.world.explosions.end(),
                            [](const auto& blast) { return blast.kind == ExplosionKind::Small; }),
              4);
    float left = boss.getX(), right = boss.getX(), biggest = 0.0f;
    for (const auto& blast : stage.world.hullBlasts) {
        left = std::min(left, blast.at.x);
        right = std::max(right, blast.at.x);
        biggest = std::max(biggest, blast.strength);
    }
    EXPECT_GE(stage.world.hullBlasts.size(), 4u);
    EXPECT_GT(biggest, 1.0f);
    EXPECT_GT(right - left, 30.0f);
    ASSERT_FALSE(stage.effects.started.empty());
    EXPECT_EQ(stage.effects.started.back(), "ps_boss_smoke");  // the drift trails smoke
    stage.runUntil([&] { return !boss.isActive(); });
    EXPECT_FALSE(boss.isVisible());
    EXPECT_TRUE(stage.enemies.isBossDone());
    EXPECT_EQ(stage.world.explosions.back().kind, ExplosionKind::Huge);
    // The boss no longer ticks: its death effects burst on their own, and
    // nothing stays held on it to emit where it was for the rest of the stage.
    ASSERT_FALSE(stage.effects.played.empty());
    EXPECT_EQ(stage.effects.played.back(), "ps_boss_burst");
    EXPECT_EQ(stage.effects.stopped,
              static_cast<int>(stage.effects.started.size() + stage.world.predrawStarted.size()));
}

// The HUD names the boss from its file; a file that names none still gives it a name to show.
TEST(BossBadInput, ABossFileWithoutANameCallsItsBossBoss) {
    BossStage stage;
    EXPECT_EQ(stage.start("t_boss").getName(), "BOSS");
}

TEST(BossBadInput, ABossThatCannotFightSaysSoAndCountsAsBeatenAfterItsWait) {
    for (const char* name : {"t_boss_no_phases"}) {
        BossStage stage;
        testing::internal::CaptureStdout();
        OXBoss& boss = stage.start(name);
        EXPECT_NE(testing::internal::GetCapturedStdout().find("HAS NO PHASES"), std::string::npos);
        EXPECT_FALSE(boss.canFight());
        stage.run(300);
        EXPECT_FALSE(stage.enemies.isBossDone());
        stage.run(50);  // past 5000 ms
        EXPECT_TRUE(stage.enemies.isBossDone());
        EXPECT_FALSE(boss.isVisible());
    }
}

// A boss whose list or sprite list is missing or damaged in its binary form is never waited for: the
// stage goes on to its clear. Damaged lists of its parts are reported, and it fights without them.
TEST(BossBadInput, ABossThatCannotBeShownIsSkippedAndDamagedPartsAreReported) {
    for (const char* name : {"t_boss_not_there", "t_boss_cut", "t_boss_trailer", "t_boss_cut_sprite"}) {
        BossStage stage;
        testing::internal::CaptureStdout();
        OXBoss& boss = stage.start(name);
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_NE(said.find("CANNOT BE SHOWN"), std::string::npos) << name << "\n" << said;
        EXPECT_FALSE(boss.isVisible()) << name;
        EXPECT_TRUE(stage.enemies.isStageComplete()) << name;
    }
    BossStage stage;
    testing::internal::CaptureStdout();
    OXBoss& boss = stage.start("t_boss_cut_parts");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("BAD PROPERTY LIST assets/plist/spr_t_cut.plist"), std::string::npos) << said;
    EXPECT_NE(said.find("BAD PROPERTY LIST assets/plist/spr_t_trailer.plist"), std::string::npos) << said;
    EXPECT_TRUE(boss.isVisible());
    beatPhase(stage, boss);
    stage.runUntil([&] { return stage.enemies.isStageComplete(); });
    EXPECT_TRUE(stage.enemies.isStageComplete());
}

// A boss's phase whose node lasts for ever (a damaged length) is held, and the phase ends.
TEST(BossBadInput, AHugeNodeDurationInAPhaseIsHeldAndThePhaseEnds) {
    BossStage stage;
    testing::internal::CaptureStdout();
    OXBoss& boss = stage.start("t_boss_endless");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\"duration\" OF phase 0 movement node 0"),
              std::string::npos);
    stage.runUntil([&] { return boss.getPhaseIndex() == 1; }, static_cast<int>(700000.0f / kStep));
    EXPECT_EQ(boss.getPhaseIndex(), 1);
}

TEST(BossBadInput, PhasesWithoutHitPointsOrNodesAndAbsentIndicesAreReportedAndSkipped) {
    BossStage stage;
    testing::internal::CaptureStdout();
    OXBoss& boss = stage.start("t_boss_broken_phases");
    stage.runUntil([&] { return boss.getPhaseIndex() == 2 && !boss.isTransitioning(); }, 300);
    const std::string said = testing::internal::GetCapturedStdout();
    for (const char* line :
         {"PHASE 0 HAS NO HIT POINTS", "PHASE 1 HAS NO MOVEMENT NODES", "module 4", "effect 7"}) {
        EXPECT_NE(said.find(line), std::string::npos) << line << "\n" << said;
    }
    EXPECT_EQ(boss.getPhaseIndex(), 2);  // fighting the good phase
    EXPECT_FALSE(stage.enemies.isBossDone());
    EXPECT_TRUE(boss.bossModule(0).isVisible());
}

// A damaged boss file's huge numbers are clamped when read: the phase's hit points and timer
// stay where the HUD's whole seconds can count them, and a hit scores a bounded number.
TEST(BossBadInput, HugeHitPointsTimesAndScoreFactorsAreClamped) {
    BossStage stage;
    testing::internal::CaptureStdout();
    OXBoss& boss = stage.start("t_boss_extreme");
    stage.run(1);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\"score factor\""), std::string::npos);
    EXPECT_LE(boss.getMaxHitPoints(), 1e9f);
    EXPECT_LE(boss.getPhaseTimer(), 3e9f);
    boss.applyDamage(-1e9f);
    EXPECT_GT(stage.ship.score, 0);
    EXPECT_LE(stage.ship.score, int64_t{1000000000000000});
}

}  // namespace
