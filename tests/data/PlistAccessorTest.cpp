// The typed accessors: which stored types each accepts, how it converts, what a miss leaves.

#include <gtest/gtest.h>

#include "PlistTestSupport.h"
#include "data/PlistRead.h"

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

// The read form takes the same conversions; where the accessor zeroes, it gives the loader's default.
TEST(ReadForm, AValueOfAnAcceptedTypeElseTheDefault) {
    struct Case {
        const char* key;
        bool found;
        float asFloat;  // with default -1
        int asInt;      // with default -9
    };
    const Case cases[] = {
        {"single", true, 0.25f, -9},   {"integer", true, 3.0f, 3},   {"wide integer", true, 4294967296.0f, 5},
        {"text half", true, 2.0f, -9}, {"flag", false, -1.0f, -9},   {"missing", false, -1.0f, -9},
        {"child", false, -1.0f, -9},   {"Single", false, -1.0f, -9},
    };
    for (const Case& c : cases) {
        float real = 0.0f;
        int whole = 0;
        EXPECT_EQ(Plist::read(kDefinition, c.key, real, -1.0f), c.found) << c.key;
        EXPECT_EQ(real, c.asFloat) << c.key;
        Plist::read(kDefinition, std::string(c.key), whole, -9);
        EXPECT_EQ(whole, c.asInt) << c.key;
    }
    bool flag = false;
    EXPECT_TRUE(Plist::read(kDefinition, "flag", flag, false) && flag);
    EXPECT_FALSE(Plist::read(kDefinition, "integer", flag, true));
    EXPECT_TRUE(flag) << "an integer is no boolean: the default stands";
    EXPECT_EQ(Plist::textOf(kDefinition, "text word"), "fast");
    EXPECT_EQ(Plist::textOf(kDefinition, "integer"), "");
}

TEST(ReadForm, NestedContainersAreReachedInPlace) {
    const Plist::Dictionary* child = Plist::findDict(kDefinition, "child");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child, Plist::asDict(kDefinition.at("child"))) << "no copy";
    EXPECT_EQ(Plist::floatOr(*child, "speed", 0.0f), 4.0f);
    const Plist::Array* list = Plist::findArray(kDefinition, "list");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->size(), 2u);
    EXPECT_EQ(Plist::findDict(kDefinition, "list"), nullptr);
    EXPECT_EQ(Plist::findArray(kDefinition, "child"), nullptr);
    EXPECT_EQ(Plist::findString(kDefinition, "missing"), nullptr);
}
