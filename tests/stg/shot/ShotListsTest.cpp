// Bullet types, beam types and fire patterns as the game reads their lists: everything a type
// needs loaded once, missing or broken lists reported by name, and the numbers of a damaged
// list kept in the range their users can turn into bullets, beams and frames without overflow.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "audio/CXSoundManager.h"
#include "stg/shot/BeamProperties.h"
#include "stg/shot/BulletProperties.h"
#include "stg/shot/FirePattern.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

TEST(BulletTypeLoading, ATypeNamingItselfThroughItsPatternLoadsOnceWithItsEffectsAndSound) {
    Stage stage;
    EXPECT_TRUE(stage.manager.loadBulletType("t_self"));
    EXPECT_FALSE(stage.manager.loadBulletType("t_self"));
    EXPECT_EQ(stage.manager.findFirePattern("t_self_fp")->bulletType, "t_self");
    EXPECT_EQ(stage.effects.preloaded, (std::vector<std::string>{"ps_self_glow", "ps_self_hit"}));
    EXPECT_TRUE(CXSoundManager::instance().isEffectLoaded("self.caf"));
    // Two patterns naming one type share its record.
    stage.manager.loadFirePattern("t_shared_a");
    const BulletProperties* shared = stage.manager.findBulletType("t_shared");
    stage.manager.loadFirePattern("t_shared_b");
    EXPECT_EQ(stage.manager.findBulletType("t_shared"), shared);
}

TEST(BulletTypeLoading, MissingAndBrokenListsAreReportedAndReadAsDefaults) {
    Stage stage;
    const std::string said = printedBy([&] {
        stage.manager.loadBulletType("t_nowhere");
        stage.manager.loadBulletType("t_broken");
        stage.manager.loadFirePattern("t_nothing");
        stage.manager.loadBeamType("t_no_beam");
    });
    for (const char* file :
         {"bp/t_nowhere.plist", "bp/t_broken.plist", "fp/t_nothing.plist", "bp/t_no_beam.plist"}) {
        EXPECT_NE(said.find(file), std::string::npos) << said;
    }
    EXPECT_FLOAT_EQ(stage.manager.findBulletType("t_nowhere")->size, 0.0f);
    stage.manager.fireBeam(180.0f, {160, 400, 0}, 0.0f, 0.0f, "t_no_beam", nullptr, nullptr);
    EXPECT_EQ(stage.manager.liveBeamCount(), 0);
}

const double kInf = std::numeric_limits<double>::infinity();

// Every count key of a pattern at once: the counts stay what the pools and the volleys can hold.
TEST(ShotListLimits, ExtremeCountsInAFirePatternStayInRange) {
    const Plist::Value extremes[] = {int64_t{2147483647},
                                     int64_t{-2147483647 - 1},
                                     int64_t{1000000000},
                                     1e30,
                                     -1e30,
                                     std::nan(""),
                                     kInf,
                                     -kInf};
    const float bullets = FirePattern::kMostBullets, volleys = FirePattern::kMostVolleys;
    testing::internal::CaptureStdout();
    for (const Plist::Value& extreme : extremes) {
        Plist::Dictionary list;
        for (const char* key :
             {"repeat", "repeat var", "salvo", "salvo var", "bomblet", "bomblet var", "repeat salvo change",
              "repeat bomblet change", "gap frequency", "gap size"}) {
            list[key] = extreme;
        }
        const FirePattern p = FirePattern::read(list);
        for (float count : {static_cast<float>(p.salvo), static_cast<float>(p.bomblet)}) {
            EXPECT_TRUE(count >= 0.0f && count <= bullets) << count;
        }
        for (float step : {p.salvoVar, p.bombletVar, p.repeatSalvoChange, p.repeatBombletChange}) {
            EXPECT_LE(std::fabs(step), bullets);
        }
        for (float count : {p.repeat, static_cast<float>(p.gapFrequency), static_cast<float>(p.gapSize)}) {
            EXPECT_TRUE(count >= 0.0f && count <= volleys) << count;
        }
        EXPECT_LE(std::fabs(p.repeatVar), volleys);
    }
    const std::string lines = testing::internal::GetCapturedStdout();
    EXPECT_NE(lines.find("\"bomblet\""), std::string::npos) << lines;  // what was changed is said
}

// Beam and bullet types from a damaged list: times, sizes, damage and atlas frames stay in the
// range the beam pass and the bullet frames can add up without overflow, and every rate a beam
// derives from them is a finite number.
TEST(ShotListLimits, BeamAndBulletTypesKeepTheirNumbersInRange) {
    const Plist::Value extremes[] = {
        int64_t{2147483647}, int64_t{-2147483647 - 1}, 1e30, -1e30, 3e38, 1e-40, std::nan(""), kInf};
    const char* beamKeys[] = {"duration",
                              "width start",
                              "width med",
                              "width end",
                              "width med time",
                              "width end time",
                              "warning hold time",
                              "extend speed",
                              "max length",
                              "damage",
                              "atlas frame",
                              "hit gfx frame",
                              "hit gfx frame num",
                              "direction change amount",
                              "direction change time"};
    const char* bulletKeys[] = {"damage",     "atlas frame", "flicker frame",
                                "num frames", "trail frame", "first frame"};
    constexpr int kMostFrame = 4096 * 4096;
    testing::internal::CaptureStdout();
    for (const char* key : beamKeys) {
        for (const Plist::Value& extreme : extremes) {
            // Every other key keeps a working value, so the rates are worked out from it.
            Plist::Dictionary list{{"duration", 2000.0},           {"width med", 20.0},
                                   {"width med time", 0.4},        {"width end time", 0.8},
                                   {"extend speed", 0.3},          {"max length", 600.0},
                                   {"direction change time", 0.5}, {"direction change amount", 30.0}};
            list[key] = extreme;
            const BeamProperties p = BeamProperties::read(list);
            for (float rate : {p.extendRate, p.widthRate1, p.widthRate2, p.directionChangeRate, p.damage}) {
                EXPECT_TRUE(std::isfinite(rate)) << key;
            }
            EXPECT_LE(std::fabs(p.damage), 1e9f) << key;
            for (int frame : {p.atlasFrame, p.atlasFlickerFrame, p.hitGfxFrame, p.hitGfxFrameNum}) {
                EXPECT_TRUE(frame >= -1 && frame < kMostFrame) << key << " read as " << frame;
            }
        }
    }
    for (const char* key : bulletKeys) {
        for (const Plist::Value& extreme : extremes) {
            const BulletProperties p = BulletProperties::read({{key, extreme}});
            EXPECT_LE(std::fabs(p.damage), 1e9f) << key;
            for (int frame : {p.atlasFrame, p.flickerFrame, p.numFrames, p.trailFrame, p.firstFrame}) {
                EXPECT_TRUE(frame >= 0 && frame < kMostFrame) << key << " read as " << frame;
            }
        }
    }
    testing::internal::GetCapturedStdout();
}

}  // namespace
