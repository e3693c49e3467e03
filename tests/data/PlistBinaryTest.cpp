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

Plist::Value roundTrip(const Plist::Value& root) {
    return parseAny(writeBinaryToString(root));
}

}  // namespace

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

// Files as other writers make them: every integer width, counts given as integer objects, shared
// objects, a root that is not the first object, single-precision reals and dates.
TEST(BinaryReading, EncodingsOtherWritersUse) {
    const struct {
        BinaryFile file;
        std::string expected;
    } cases[] = {
        {{{bytes("\x10\xff", 2)}}, "i:255"},  // short widths are unsigned
        {{{bytes("\x11\xff\xff", 3)}}, "i:65535"},
        {{{bytes("\x12\xff\xff\xff\xff", 5)}}, "i:4294967295"},
        {{{bytes("\x13\xff\xff\xff\xff\xff\xff\xff\xff", 9)}}, "i:-1"},  // eight bytes are signed
        {{{"\x14" + std::string(15, '\0') + "\x2a"}}, "i:42"},           // 16 bytes keep the low 64 bits
        {{{bytes("\x5f\x11\x00\x14", 4) + "twenty characters!!!"}}, "s:twenty characters!!!"},
        {{{bytes("\xa3\x01\x01\x01", 4),
           "\x53"
           "abc"}},
         "[s:abc,s:abc,s:abc,]"},
        {{{"\x51x", bytes("\xa1\x00", 2)}, 1, 1, 1}, "[s:x,]"},
        {{{bytes("\x22\x3f\xc0\x00\x00", 5)}}, "r:1.5"},
        {{{bytes("\x22\xc2\x28\x00\x00", 5)}}, "r:-42"},
        {{{bytes("\x33\x00\x00\x00\x00\x00\x00\x00\x00", 9)}}, "date:978307200"},  // from 2001
        {{{bytes("\x33\x3f\xfc\x00\x00\x00\x00\x00\x00", 9)}}, "date:978307201"},  // 1.75 s: dropped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(describe(parseAny(c.file.build())), c.expected);
    }
}

TEST(BinaryRoundTrip, EveryTypeAtTheBoundariesOfItsEncoding) {
    for (size_t length : {14u, 15u, 16u, 255u, 256u, 70000u}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'q');
        EXPECT_EQ(describe(roundTrip(text)), "s:" + text);
        Plist::Array array;
        for (size_t index = 0; index < length; ++index) {
            array.push_back(static_cast<int64_t>(index));
        }
        EXPECT_EQ(describe(roundTrip(array)), describe(array));
        EXPECT_EQ(describe(roundTrip(Plist::Data(length, 'd'))), describe(Plist::Data(length, 'd')));
    }
    const double tiny = std::numeric_limits<double>::denorm_min();
    for (double value : {0.0, tiny, -0.0, 0.1, -1e300, 3.0e-310, std::numeric_limits<double>::infinity()}) {
        const double back = boost::any_cast<double>(roundTrip(value));
        EXPECT_EQ(std::memcmp(&back, &value, sizeof(value)), 0) << value;
    }
    EXPECT_TRUE(std::isnan(boost::any_cast<double>(roundTrip(std::nan("")))));
    for (int64_t seconds : {int64_t{0}, int64_t{-86400 * 365}, int64_t{4102444800}}) {
        EXPECT_EQ(describe(roundTrip(PlistDate(seconds))), "date:" + std::to_string(seconds));
    }
    for (int64_t value : {int64_t{255}, int64_t{256}, int64_t{65535}, int64_t{65536}, int64_t{4294967295},
                          int64_t{4294967296}, int64_t{-1}, std::numeric_limits<int64_t>::min(),
                          std::numeric_limits<int64_t>::max()}) {
        EXPECT_EQ(boost::any_cast<int64_t>(roundTrip(value)), value);
    }
    const Plist::Dictionary nested{{"boss", true},
                                   {"hidden", false},
                                   {"none", Plist::Array()},
                                   {"no keys", Plist::Dictionary()},
                                   {"empty", std::string()}};
    EXPECT_EQ(describe(roundTrip(nested)), describe(nested));
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
