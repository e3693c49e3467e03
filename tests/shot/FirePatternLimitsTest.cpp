// A fire pattern's counts as read from a damaged list: every count and per-rank step stays in
// the range a launcher can turn into whole bullets without overflow, whatever the list holds.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
    EXPECT_NE(lines.find("\"bomblet\" OUT OF RANGE (2.14748e+09), CLAMPED TO 2000"), std::string::npos)
        << lines;
    EXPECT_NE(lines.find("\"repeat\" IS NOT A USABLE NUMBER (nan)"), std::string::npos);
}

TEST(FirePatternLimits, CountsInsideTheRangeAreReadAsWritten) {
    const FirePattern p = FirePattern::read({{"repeat", 40.0},
                                             {"salvo", int64_t{36}},
                                             {"bomblet", int64_t{5}},
                                             {"bomblet var", 0.5},
                                             {"salvo var", 4.0}});
    EXPECT_EQ(p.repeat, 40.0f);
    EXPECT_EQ(p.salvo, 36);
    EXPECT_EQ(p.bomblet, 5);
    EXPECT_EQ(p.bombletVar, 0.5f);
    EXPECT_EQ(p.salvoVar, 4.0f);
}
