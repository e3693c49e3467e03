// The counts and sizes of fire patterns, beam types and bullet types as read from a damaged
// list: each stays in the range its users can turn into bullets, beams and frames without
// overflow, whatever the list holds.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stg/shot/BeamProperties.h"
#include "stg/shot/BulletProperties.h"
#include "stg/shot/FirePattern.h"

namespace {

struct Field {
    const char* key;
    float (*get)(const FirePattern&);
    float most;  // the largest magnitude the field may hold
    bool signedStep;
};

const Field kFields[] = {
    {"repeat", [](const FirePattern& p) { return p.repeat; }, FirePattern::kMostVolleys, false},
    {"repeat var", [](const FirePattern& p) { return p.repeatVar; }, FirePattern::kMostVolleys, true},
    {"salvo", [](const FirePattern& p) { return static_cast<float>(p.salvo); }, FirePattern::kMostBullets,
     false},
    {"salvo var", [](const FirePattern& p) { return p.salvoVar; }, FirePattern::kMostBullets, true},
    {"bomblet", [](const FirePattern& p) { return static_cast<float>(p.bomblet); }, FirePattern::kMostBullets,
     false},
    {"bomblet var", [](const FirePattern& p) { return p.bombletVar; }, FirePattern::kMostBullets, true},
    {"repeat salvo change", [](const FirePattern& p) { return p.repeatSalvoChange; },
     FirePattern::kMostBullets, true},
    {"repeat bomblet change", [](const FirePattern& p) { return p.repeatBombletChange; },
     FirePattern::kMostBullets, true},
    {"gap frequency", [](const FirePattern& p) { return static_cast<float>(p.gapFrequency); },
     FirePattern::kMostVolleys, false},
    {"gap size", [](const FirePattern& p) { return static_cast<float>(p.gapSize); },
     FirePattern::kMostVolleys, false},
};

}  // namespace

TEST(FirePatternLimits, ExtremeValuesInEveryCountKeyStayInRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const Plist::Value extremes[] = {int64_t{2147483647},
                                     int64_t{-2147483647 - 1},
                                     int64_t{1000000000},
                                     1e30,
                                     -1e30,
                                     std::nan(""),
                                     inf,
                                     -inf};
    testing::internal::CaptureStdout();
    for (const Field& field : kFields) {
        for (const Plist::Value& extreme : extremes) {
            const FirePattern p = FirePattern::read({{field.key, extreme}});
            const float value = field.get(p);
            const float low = field.signedStep ? -field.most : 0.0f;
            EXPECT_TRUE(value >= low && value <= field.most) << field.key << " read as " << value;
        }
    }
    const std::string lines = testing::internal::GetCapturedStdout();
    EXPECT_NE(lines.find("\"bomblet\""), std::string::npos) << lines;  // what was changed is said
}

// Beam and bullet types from a damaged list: times, sizes, damage and atlas frames stay in the
// range the beam pass and the bullet frames can add up without overflow, and every rate a beam
// derives from them is a finite number.
TEST(FirePatternLimits, BeamAndBulletTypesKeepTheirNumbersInRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const Plist::Value extremes[] = {
        int64_t{2147483647}, int64_t{-2147483647 - 1}, 1e30, -1e30, 3e38, 1e-40, std::nan(""), inf};
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
