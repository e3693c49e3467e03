// What the read form refuses or clamps: reals that are not finite or do not fit a float, and
// counts outside the range a loader gives, each with a line naming the key.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "data/PlistRead.h"

namespace {

std::string captured(const std::function<void()>& read) {
    testing::internal::CaptureStdout();
    read();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(ReadLimits, RealsThatAreNotUsableNumbersKeepTheDefaultAndNameTheKey) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        Plist::Value value;
        bool accepted;
        float expected;
    } cases[] = {
        {std::nan(""), false, 3.0f},
        {inf, false, 3.0f},
        {-inf, false, 3.0f},
        {1e300, false, 3.0f},  // beyond a float
        {std::numeric_limits<float>::quiet_NaN(), false, 3.0f},
        {std::numeric_limits<float>::infinity(), false, 3.0f},
        {1e30, true, 1e30f},  // huge but a float
        {-2.5, true, -2.5f},
    };
    for (const auto& c : cases) {
        const Plist::Dictionary dict{{"speed", c.value}};
        float field = 0.0f;
        bool found = false;
        const std::string line = captured([&] { found = Plist::read(dict, "speed", field, 3.0f); });
        EXPECT_EQ(found, c.accepted);
        EXPECT_EQ(field, c.expected);
        EXPECT_EQ(line.find("\"speed\" IS NOT A USABLE NUMBER") != std::string::npos, !c.accepted) << line;
        float out = 7.0f;
        EXPECT_EQ(Plist::getFloat(dict, "speed", out), c.accepted) << "the typed accessor refuses the same";
    }
}

TEST(ReadLimits, CountsOutsideTheirRangeAreClampedWithALine) {
    const struct {
        Plist::Value value;
        int expected;
        bool clamped;
    } cases[] = {
        {int64_t{12}, 12, false},
        {int64_t{2147483647}, 2000, true},
        {int64_t{-5}, 0, true},
        {int64_t{2000}, 2000, false},
        {std::string("9999"), 7, false},
        {1.5, 7, false},  // a real: the default
    };
    for (const auto& c : cases) {
        const Plist::Dictionary dict{{"salvo", c.value}};
        int field = 0;
        const std::string line = captured([&] { Plist::readWithin(dict, "salvo", field, 7, 0, 2000); });
        EXPECT_EQ(field, c.expected) << line;
        EXPECT_EQ(line.find("\"salvo\" OUT OF RANGE") != std::string::npos, c.clamped) << line;
    }
    const Plist::Dictionary reals{{"repeat", 1e30}, {"var", std::nan("")}};
    float repeat = 0.0f, var = 0.0f;
    Plist::readWithin(reals, "repeat", repeat, 0.0f, 0.0f, 1000.0f);
    Plist::readWithin(reals, "var", var, 0.5f, -10.0f, 10.0f);
    EXPECT_EQ(repeat, 1000.0f);
    EXPECT_EQ(var, 0.5f);
}
