// Reading values out of a loaded list: which stored types each accessor and the read form accept,
// what a miss leaves, and reals and counts a loader cannot use, refused or clamped with a line
// naming the key.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "PlistTestSupport.h"
#include "data/PlistRead.h"

namespace {

const Plist::Dictionary kDefinition{
    {"single", 0.25f},
    {"integer", int64_t{3}},
    {"wide integer", (int64_t{1} << 32) + 5},
    {"int", 12},
    {"text half", std::string("2.5")},
    {"text word", std::string("fast")},
    {"flag", true},
    {"child", Plist::Dictionary{{"speed", 4.0}}},
    {"list", Plist::Array{int64_t{1}, int64_t{2}}},
};

std::string captured(const std::function<void()>& read) {
    testing::internal::CaptureStdout();
    read();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

// The typed accessors zero their output on a miss; the read form leaves the loader's default.
// Text reads as the integer part of its number; an integer is no boolean; keys match exactly.
TEST(ReadForm, AValueOfAnAcceptedTypeElseTheDefault) {
    struct Case {
        const char* key;
        bool found;
        float asFloat;  // read form, default -1
        int asInt;      // read form, default -9
        bool intFound;  // the typed accessor
    };
    const Case cases[] = {
        {"single", true, 0.25f, -9, false},
        {"integer", true, 3.0f, 3, true},
        {"int", true, 12.0f, 12, true},
        {"wide integer", true, 4294967296.0f, 5, true},  // the low 32 bits
        {"text half", true, 2.0f, -9, false},
        {"text word", true, 0.0f, -9, false},
        {"flag", false, -1.0f, -9, false},
        {"missing", false, -1.0f, -9, false},
        {"child", false, -1.0f, -9, false},
        {"Single", false, -1.0f, -9, false},
    };
    for (const Case& c : cases) {
        float real = 0.0f;
        int whole = 0;
        EXPECT_EQ(Plist::read(kDefinition, c.key, real, -1.0f), c.found) << c.key;
        EXPECT_EQ(real, c.asFloat) << c.key;
        Plist::read(kDefinition, std::string(c.key), whole, -9);
        EXPECT_EQ(whole, c.asInt) << c.key;
        float typedReal = -1.0f;
        int typedWhole = -9;
        EXPECT_EQ(Plist::getFloat(kDefinition, c.key, typedReal), c.found) << c.key;
        EXPECT_EQ(typedReal, c.found ? c.asFloat : 0.0f) << c.key;
        EXPECT_EQ(Plist::getInt(kDefinition, c.key, typedWhole), c.intFound) << c.key;
        EXPECT_EQ(typedWhole, c.intFound ? c.asInt : 0) << c.key;
    }
    bool flag = false;
    EXPECT_TRUE(Plist::read(kDefinition, "flag", flag, false) && flag);
    EXPECT_FALSE(Plist::read(kDefinition, "integer", flag, true));
    EXPECT_TRUE(flag) << "an integer is no boolean: the default stands";
    EXPECT_EQ(Plist::textOf(kDefinition, "text word"), "fast");
    EXPECT_EQ(Plist::textOf(kDefinition, "integer"), "");
}

TEST(ReadForm, NestedContainersAreReachedInPlaceAndCopiesLeaveTheListAlone) {
    const Plist::Dictionary* child = Plist::findDict(kDefinition, "child");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child, Plist::asDict(kDefinition.at("child"))) << "no copy";
    EXPECT_EQ(Plist::floatOr(*child, "speed", 0.0f), 4.0f);
    EXPECT_EQ(Plist::findDict(kDefinition, "list"), nullptr);
    EXPECT_EQ(Plist::findArray(kDefinition, "child"), nullptr);

    Plist::Dictionary copy{{"kept", true}};
    EXPECT_FALSE(Plist::getDict(kDefinition, "list", copy));
    EXPECT_EQ(plisttest::describe(copy), "{kept=true,}") << "a miss leaves the container";
    ASSERT_TRUE(Plist::getDict(kDefinition, "child", copy));
    copy["speed"] = 99.0;
    EXPECT_EQ(plisttest::describe(kDefinition.at("child")), "{speed=r:4,}");
}

TEST(ReadLimits, RealsThatAreNotUsableNumbersKeepTheDefaultAndNameTheKey) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        Plist::Value value;
        bool accepted;
    } cases[] = {
        {std::nan(""), false},
        {-inf, false},
        {1e300, false},  // beyond a float
        {std::numeric_limits<float>::infinity(), false},
        {1e30, true},
        {-2.5, true},
    };
    for (const auto& c : cases) {
        const Plist::Dictionary dict{{"speed", c.value}};
        float field = 0.0f;
        bool found = false;
        const std::string line = captured([&] { found = Plist::read(dict, "speed", field, 3.0f); });
        EXPECT_EQ(found, c.accepted);
        EXPECT_EQ(field, c.accepted ? static_cast<float>(boost::any_cast<double>(c.value)) : 3.0f);
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
        {int64_t{2000}, 2000, false},
        {int64_t{2147483647}, 2000, true},
        {int64_t{-5}, 0, true},
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
