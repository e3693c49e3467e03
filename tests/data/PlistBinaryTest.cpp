// The binary form: what the writer produces, and that the reader gets every value back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "PlistTestSupport.h"

using plisttest::BinaryFile;
using plisttest::bytes;
using plisttest::describe;
using plisttest::parseAny;
using plisttest::parseError;
using plisttest::writeBinaryToString;

namespace {

// A tree with every value type, nesting and the boundary values of each encoding.
Plist::Dictionary sampleTree() {
    Plist::Dictionary enemy;
    enemy["name"] = std::string("gunship");
    enemy["hit points"] = int64_t{1200};
    enemy["speed"] = 2.75;
    enemy["boss"] = true;
    enemy["hidden"] = false;
    enemy["created"] = PlistDate(1614834367);
    enemy["checksum"] = Plist::Data{'\x00', '\xff', 'a', '\x7f'};
    enemy["empty text"] = std::string();
    enemy["long text"] = std::string(300, 'w');

    Plist::Array launchers;
    for (int index = 0; index < 20; ++index) {
        Plist::Dictionary launcher;
        launcher["angle"] = static_cast<double>(index) * 18.5;
        launcher["delay"] = int64_t{index} * 100000;
        launchers.push_back(launcher);
    }
    enemy["launchers"] = launchers;
    enemy["nothing"] = Plist::Array();
    enemy["no keys"] = Plist::Dictionary();

    Plist::Array integers;
    for (int64_t value : {int64_t{0}, int64_t{255}, int64_t{256}, int64_t{65535}, int64_t{65536},
                          int64_t{4294967295}, int64_t{4294967296}, int64_t{-1},
                          std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()}) {
        integers.push_back(value);
    }
    enemy["integers"] = integers;
    return enemy;
}

Plist::Value roundTrip(const Plist::Value& root) {
    return parseAny(writeBinaryToString(root));
}

// The byte after the header: the marker of the root object (the writer places it first).
unsigned char rootMarker(const Plist::Value& root) {
    return static_cast<unsigned char>(writeBinaryToString(root)[8]);
}

unsigned char referenceWidthOf(const std::string& file) {
    return static_cast<unsigned char>(file[file.size() - 32 + 7]);
}

}  // namespace

TEST(BinaryRoundTrip, GeneratedTreeComesBackUnchanged) {
    const Plist::Dictionary tree = sampleTree();
    Plist::Dictionary back;
    const std::string file = writeBinaryToString(tree);
    Plist::parse(file.data(), static_cast<int64_t>(file.size()), back);
    EXPECT_EQ(describe(back), describe(tree));
}

TEST(BinaryRoundTrip, ValuesBuiltByCodeComeBackAsTheReaderTypes) {
    Plist::Dictionary settings;
    settings["volume"] = 0.65f;
    settings["lives"] = 3;
    settings["small"] = static_cast<short>(-2);
    settings["score"] = 123456789012LL;
    const Plist::Dictionary back = boost::any_cast<Plist::Dictionary>(roundTrip(settings));
    EXPECT_EQ(boost::any_cast<double>(back.at("volume")), static_cast<double>(0.65f));
    EXPECT_EQ(boost::any_cast<int64_t>(back.at("lives")), 3);
    EXPECT_EQ(boost::any_cast<int64_t>(back.at("small")), -2);
    EXPECT_EQ(boost::any_cast<int64_t>(back.at("score")), 123456789012LL);
}

TEST(BinaryIntegers, ShortWidthsAreUnsignedAndEightBytesAreSigned) {
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x10\xff", 2)}}.build())), "i:255");
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x11\xff\xff", 3)}}.build())), "i:65535");
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x12\xff\xff\xff\xff", 5)}}.build())), "i:4294967295");
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x13\xff\xff\xff\xff\xff\xff\xff\xff", 9)}}.build())),
              "i:-1");
    // A 16-byte integer keeps its low 64 bits.
    const std::string wide = "\x14" + std::string(15, '\0') + "\x2a";
    EXPECT_EQ(describe(parseAny(BinaryFile{{wide}}.build())), "i:42");
}

TEST(BinaryIntegers, WriterPicksTheSmallestWidthThatHoldsTheValue) {
    EXPECT_EQ(rootMarker(int64_t{0}), 0x10);
    EXPECT_EQ(rootMarker(int64_t{255}), 0x10);
    EXPECT_EQ(rootMarker(int64_t{256}), 0x11);
    EXPECT_EQ(rootMarker(int64_t{65535}), 0x11);
    EXPECT_EQ(rootMarker(int64_t{65536}), 0x12);
    EXPECT_EQ(rootMarker(int64_t{4294967295}), 0x12);
    EXPECT_EQ(rootMarker(int64_t{4294967296}), 0x13);
    EXPECT_EQ(rootMarker(int64_t{-1}), 0x13);
}

TEST(BinaryCounts, FifteenAndMoreElementsUseAFollowingIntegerCount) {
    EXPECT_EQ(rootMarker(std::string(14, 'a')), 0x5E);
    const std::string file = writeBinaryToString(std::string(15, 'a'));
    EXPECT_EQ(bytes(file.data() + 8, 3), bytes("\x5f\x10\x0f", 3));
    EXPECT_EQ(rootMarker(Plist::Data(14)), 0x4E);
    EXPECT_EQ(rootMarker(Plist::Data(15)), 0x4F);
    EXPECT_EQ(rootMarker(Plist::Array(14, int64_t{1})), 0xAE);
    EXPECT_EQ(rootMarker(Plist::Array(15, int64_t{1})), 0xAF);

    for (size_t length : {14u, 15u, 16u, 255u, 256u, 70000u}) {
        const std::string text(length, 'q');
        EXPECT_EQ(describe(roundTrip(text)), "s:" + text) << length;
        Plist::Array array(length, std::string("x"));
        EXPECT_EQ(boost::any_cast<Plist::Array>(roundTrip(array)).size(), length);
    }
}

TEST(BinaryCounts, PayloadStartsAfterTheCountInteger) {
    // Count 20 given as a 2-byte integer object.
    const std::string text = "twenty characters!!!";
    const std::string object = bytes("\x5f\x11\x00\x14", 4) + text;
    EXPECT_EQ(describe(parseAny(BinaryFile{{object}}.build())), "s:" + text);
}

TEST(BinaryReferences, WidthGrowsAfter256Objects) {
    // An array of n elements is n + 1 objects.
    EXPECT_EQ(referenceWidthOf(writeBinaryToString(Plist::Array(254, true))), 1);  // 255 objects
    EXPECT_EQ(referenceWidthOf(writeBinaryToString(Plist::Array(255, true))), 1);  // 256 objects
    EXPECT_EQ(referenceWidthOf(writeBinaryToString(Plist::Array(256, true))), 2);  // 257 objects
    Plist::Array array;
    for (int64_t index = 0; index < 70000; ++index) {
        array.push_back(index);
        if (array.size() == 255 || array.size() == 256 || array.size() == 70000) {
            EXPECT_EQ(describe(roundTrip(array)), describe(array)) << array.size();
        }
    }
}

TEST(BinaryReferences, SharedObjectsAreReadForEachReference) {
    // Other writers store an equal value once and reference it from several places.
    BinaryFile file{{bytes("\xa3\x01\x01\x01", 4),
                     "\x53"
                     "abc"}};
    EXPECT_EQ(describe(parseAny(file.build())), "[s:abc,s:abc,s:abc,]");
}

TEST(BinaryReferences, TopObjectOfTheTrailerIsTheRoot) {
    BinaryFile file{
        {"\x51"
         "x",
         bytes("\xa1\x00", 2)}};
    file.topObject = 1;
    EXPECT_EQ(describe(parseAny(file.build())), "[s:x,]");
}

TEST(BinaryReals, ZeroUsesTheShortFormAndEverythingElseReadsBackExactly) {
    const std::string zero = writeBinaryToString(0.0);
    EXPECT_EQ(bytes(zero.data() + 8, 5), bytes("\x22\x00\x00\x00\x00", 5));
    EXPECT_EQ(describe(parseAny(zero)), "r:0");
    EXPECT_EQ(rootMarker(1.5), 0x23);

    const double tiny = std::numeric_limits<double>::denorm_min();
    for (double value : {tiny, -0.0, 0.1, -1e300, 3.0e-310, std::numeric_limits<double>::infinity()}) {
        const double back = boost::any_cast<double>(roundTrip(value));
        EXPECT_EQ(std::memcmp(&back, &value, sizeof(value)), 0) << value;
    }
    EXPECT_TRUE(std::isnan(boost::any_cast<double>(roundTrip(std::nan("")))));
}

TEST(BinaryReals, FourByteRealIsSinglePrecision) {
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x22\x3f\xc0\x00\x00", 5)}}.build())), "r:1.5");
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x22\xc2\x28\x00\x00", 5)}}.build())), "r:-42");
}

TEST(BinaryDates, CountFromTheYear2001AndDropFractions) {
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x33\x00\x00\x00\x00\x00\x00\x00\x00", 9)}}.build())),
              "date:978307200");
    // 1.75 seconds after 2001.
    EXPECT_EQ(describe(parseAny(BinaryFile{{bytes("\x33\x3f\xfc\x00\x00\x00\x00\x00\x00", 9)}}.build())),
              "date:978307201");
    const std::string file = writeBinaryToString(PlistDate(978307200 + 2));
    EXPECT_EQ(bytes(file.data() + 8, 9), bytes("\x33\x40\x00\x00\x00\x00\x00\x00\x00", 9));
    for (int64_t seconds : {int64_t{0}, int64_t{-86400 * 365}, int64_t{4102444800}}) {
        EXPECT_EQ(describe(roundTrip(PlistDate(seconds))), "date:" + std::to_string(seconds));
    }
}

TEST(BinaryErrors, MarkersTheReaderDoesNotKnow) {
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x00", 1)}}.build()),
              "Plist: null byte encountered, unsure how to parse");
    EXPECT_EQ(parseError(BinaryFile{{"\x0f"}}.build()), "Plist: fill byte encountered, unsure how to parse");
    EXPECT_EQ(parseError(BinaryFile{{"\x0c"}}.build()), "Plist: unknown header \x0c");
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x61\x00\x41", 3)}}.build()), "This type is not supported");
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x80\x01", 2)}}.build()), "This type is not supported");  // UID
    EXPECT_EQ(parseError(BinaryFile{{bytes("\xd1\x01\x02", 3), bytes("\x10\x01", 2), "\x09"}}.build()),
              "Error parsing dictionary.  Key can't be parsed as a string");
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x21\x00\x00", 3)}}.build()),
              "Plist: binary real of 2 bytes is not supported");
}

TEST(BinaryErrors, NotTheBinaryHeaderIsReadAsXml) {
    const std::string otherVersion = "bplist01" + std::string(40, '\0');
    EXPECT_EQ(parseError(otherVersion).rfind("Plist: XML parsed with error ", 0), 0u)
        << parseError(otherVersion);
}

TEST(BinaryWriterErrors, UnsupportedTypesAndDepthAreRefused) {
    Plist::Dictionary tree;
    tree["count"] = 5u;
    std::ostringstream out;
    try {
        Plist::writeBinary(out, tree);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Plist Error: Can't serialize type unsigned int");
    }
    EXPECT_TRUE(out.str().empty());

    Plist::Value deep = Plist::Array();
    for (int level = 0; level < Plist::kMaxNestingDepth; ++level) {
        deep = Plist::Array{deep};
    }
    EXPECT_THROW(Plist::writeBinary(out, deep), std::runtime_error);
}
