// The typed accessors: which stored types each accepts, how it converts, what a miss leaves.

#include <gtest/gtest.h>

#include "PlistTestSupport.h"

namespace {

const Plist::Dictionary kDefinition{
    {"single", 0.25f},
    {"double", 7.75},
    {"integer", int64_t{3}},
    {"wide integer", (int64_t{1} << 32) + 5},
    {"negative", int64_t{-1}},
    {"int", 12},
    {"text real", std::string("7.9")},
    {"text half", std::string("2.5")},
    {"text word", std::string("fast")},
    {"flag", true},
    {"child", Plist::Dictionary{{"speed", 4.0}}},
    {"list", Plist::Array{int64_t{1}, int64_t{2}}},
};

// The accessor's result and what it left in `out`, which starts at `start`.
template <typename T, typename Accessor>
std::pair<bool, T> lookUp(Accessor accessor, const char* key, T start) {
    T out = start;
    const bool found = accessor(kDefinition, key, out);
    return {found, out};
}

}  // namespace

TEST(Accessors, FloatAcceptsNumbersAndTheIntegerPartOfText) {
    using Result = std::pair<bool, float>;
    EXPECT_EQ(lookUp(Plist::getFloat, "single", -1.0f), Result(true, 0.25f));
    EXPECT_EQ(lookUp(Plist::getFloat, "double", -1.0f), Result(true, 7.75f));
    EXPECT_EQ(lookUp(Plist::getFloat, "integer", -1.0f), Result(true, 3.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "int", -1.0f), Result(true, 12.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "text real", -1.0f), Result(true, 7.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "text half", -1.0f), Result(true, 2.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "text word", -1.0f), Result(true, 0.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "flag", -1.0f), Result(false, 0.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "missing", -1.0f), Result(false, 0.0f));
    EXPECT_EQ(lookUp(Plist::getFloat, "Double", -1.0f), Result(false, 0.0f));  // keys match exactly
}

TEST(Accessors, IntAcceptsIntegersOnly) {
    using Result = std::pair<bool, int>;
    EXPECT_EQ(lookUp(Plist::getInt, "integer", -9), Result(true, 3));
    EXPECT_EQ(lookUp(Plist::getInt, "int", -9), Result(true, 12));
    EXPECT_EQ(lookUp(Plist::getInt, "wide integer", -9), Result(true, 5));  // the low 32 bits
    EXPECT_EQ(lookUp(Plist::getInt, "negative", -9), Result(true, -1));
    for (const char* key : {"double", "single", "text real", "flag", "missing"}) {
        EXPECT_EQ(lookUp(Plist::getInt, key, -9), Result(false, 0)) << key;
    }
}

TEST(Accessors, BoolAndStringAcceptOnlyTheirOwnType) {
    EXPECT_EQ(lookUp(Plist::getBool, "flag", false), std::make_pair(true, true));
    EXPECT_EQ(lookUp(Plist::getBool, "integer", true), std::make_pair(false, false));
    EXPECT_EQ(lookUp(Plist::getString, "text word", std::string("old")),
              std::make_pair(true, std::string("fast")));
    EXPECT_EQ(lookUp(Plist::getString, "integer", std::string("old")), std::make_pair(false, std::string()));
}

TEST(Accessors, ContainersAreCopiedOutAndUntouchedOnAMiss) {
    Plist::Dictionary child;
    ASSERT_TRUE(Plist::getDict(kDefinition, "child", child));
    child["speed"] = 99.0;
    EXPECT_EQ(plisttest::describe(kDefinition.at("child")), "{speed=r:4,}");

    Plist::Dictionary keep{{"kept", true}};
    EXPECT_FALSE(Plist::getDict(kDefinition, "list", keep));
    EXPECT_FALSE(Plist::getDict(kDefinition, "missing", keep));
    EXPECT_EQ(plisttest::describe(keep), "{kept=true,}");

    Plist::Array list{true};
    EXPECT_FALSE(Plist::getArray(kDefinition, "child", list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(Plist::getArray(kDefinition, "list", list));
    EXPECT_EQ(plisttest::describe(list), "[i:1,i:2,]");
}
