// Damaged and hostile files are rejected with a message; none may crash, hang or exhaust memory.

#include <gtest/gtest.h>

#include <tuple>

#include "PlistTestSupport.h"

using plisttest::BinaryFile;
using plisttest::bytes;
using plisttest::parseAny;
using plisttest::parseError;
using plisttest::writeBinaryToString;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Sets one byte of the 32-byte trailer.
std::string withTrailerByte(std::string file, size_t index, unsigned char value) {
    file[file.size() - 32 + index] = static_cast<char>(value);
    return file;
}

// Parsing may fail, but only with the reader's exceptions.
void expectParsesOrThrowsCleanly(const std::string& file) {
    try {
        parseAny(file);
    } catch (const std::runtime_error&) {
    } catch (const std::bad_cast&) {
    }
}

}  // namespace

TEST(HostileBinary, TooShortForHeaderAndTrailer) {
    EXPECT_TRUE(contains(parseError("bplist00"), "too short")) << parseError("bplist00");
    EXPECT_TRUE(contains(parseError("bplist00" + std::string(31, '\0')), "too short"));
    // Shorter than the header itself: not binary, so the XML reader reports it.
    EXPECT_TRUE(contains(parseError("bpl"), "XML parsed with error"));
}

TEST(HostileBinary, DamagedTrailerFields) {
    const std::string file = BinaryFile{{"\x09"}}.build();
    // (trailer byte, new value, expected message part)
    const std::vector<std::tuple<size_t, unsigned char, std::string>> cases{
        {6, 0, "offset width 0 is invalid (must be 1 to 8)"},
        {6, 9, "offset width 9 is invalid"},
        {7, 0, "object reference width 0 is invalid (must be 1 to 8)"},
        {7, 200, "object reference width 200 is invalid"},
        {31, 0xF0, "offset table position 240 lies outside the data"},
        {24, 0x80, "lies outside the data"},
        {31, 2, "offset table position 2 lies outside the data"},
        {31, 10, "offset table is empty"},
    };
    for (const auto& [index, value, message] : cases) {
        const std::string error = parseError(withTrailerByte(file, index, value));
        EXPECT_TRUE(contains(error, message)) << error;
    }
    BinaryFile wide{{"\x09"}};
    wide.offsetWidth = 2;
    EXPECT_TRUE(
        contains(parseError(withTrailerByte(wide.build(), 31, 10)), "not a multiple of the offset width"));
}

TEST(HostileBinary, ObjectsAndReferencesOutsideTheTables) {
    BinaryFile file{{"\x09"}};
    file.topObject = 7;
    EXPECT_EQ(parseError(file.build()), "Plist: binary top object 7 is not in the offset table");

    EXPECT_EQ(parseError(BinaryFile{{bytes("\xa1\x05", 2)}}.build()),
              "Plist: binary object reference 5 is not in the offset table");

    // Offset 0xFF points past the object area; offset 3 into the header.
    std::string pastEnd = BinaryFile{{"\x09"}}.build();
    pastEnd[9] = '\xff';
    EXPECT_EQ(parseError(pastEnd), "Plist: binary object 0 lies outside the object area");
    std::string intoHeader = BinaryFile{{"\x09"}}.build();
    intoHeader[9] = '\x03';
    EXPECT_EQ(parseError(intoHeader), "Plist: binary object 0 lies outside the object area");
}

TEST(HostileBinary, CountsLargerThanTheData) {
    EXPECT_EQ(parseError(BinaryFile{
                  {"\x5a"
                   "abc"}}.build()),
              "Out of bounds getRange");
    const std::string hugeCount = bytes("\x13\x7f\xff\xff\xff\xff\xff\xff\xff", 9);
    EXPECT_EQ(parseError(BinaryFile{{"\x5f" + hugeCount}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\x4f" + hugeCount}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\xaf" + hugeCount}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\xdf" + hugeCount}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{bytes("\xaf\x13\xff\xff\xff\xff\xff\xff\xff\xff", 10)}}.build()),
              "Out of bounds getRange");
    // An integer, date or real running past the end of the object area.
    EXPECT_EQ(parseError(BinaryFile{{"\x13\x01"}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\x33\x01"}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\x1f"}}.build()), "Out of bounds getRange");
    EXPECT_EQ(parseError(BinaryFile{{"\x5f\x50"}}.build()),
              "Plist: binary count of object 0 is not an integer");
}

TEST(HostileBinary, ReferenceCyclesAreRejected) {
    EXPECT_EQ(parseError(BinaryFile{{bytes("\xa1\x00", 2)}}.build()),
              "Plist: binary reference cycle through object 0");
    // dict 0 -> array 2 -> dict 0
    BinaryFile indirect{{bytes("\xd1\x01\x02", 3), "\x51k", bytes("\xa1\x00", 2)}};
    EXPECT_EQ(parseError(indirect.build()), "Plist: binary reference cycle through object 0");
}

TEST(HostileBinary, AbsurdNestingIsRejected) {
    // Object k is an array holding object k + 1; the last object is a boolean.
    const int levels = 2000;
    BinaryFile chain;
    chain.offsetWidth = 2;
    chain.referenceWidth = 2;
    for (int next = 1; next < levels; ++next) {
        chain.objects.push_back(std::string("\xa1") + static_cast<char>(next >> 8) +
                                static_cast<char>(next & 0xFF));
    }
    chain.objects.push_back("\x09");
    EXPECT_EQ(parseError(chain.build()), "Plist: binary nesting deeper than 512 levels");
}

TEST(HostileBinary, SharedObjectsCantExpandWithoutBound) {
    // Each level is an array of 15 references to the next: 15^30 values from a few hundred bytes.
    BinaryFile bomb;
    bomb.offsetWidth = 2;
    for (int level = 0; level < 30; ++level) {
        bomb.objects.push_back("\xaf\x10\x0f" + std::string(15, static_cast<char>(level + 1)));
    }
    bomb.objects.push_back("\x5e" + std::string(14, 'x'));
    EXPECT_EQ(parseError(bomb.build()),
              "Plist: binary data expands to too many values (objects referenced too often)");
}

TEST(HostileBinary, DatesOutsideTheRepresentableRange) {
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x33\x7f\xf8\x00\x00\x00\x00\x00\x00", 9)}}.build()),
              "Plist: binary date out of range");
    EXPECT_EQ(parseError(BinaryFile{{bytes("\x33\x7f\xef\xff\xff\xff\xff\xff\xff", 9)}}.build()),
              "Plist: binary date out of range");
}

TEST(HostileBinary, EveryDamagedByteOfARealFileFailsCleanly) {
    Plist::Dictionary tree;
    tree["name"] = std::string("sweeper");
    tree["values"] = Plist::Array{int64_t{-1}, 2.5, true, PlistDate(1000), Plist::Data{'a', 'b'}};
    tree["long"] = std::string(20, 'z');
    const std::string file = writeBinaryToString(tree);
    for (size_t position = 0; position < file.size(); ++position) {
        for (unsigned char value : {0x00, 0x01, 0x0F, 0x10, 0x5F, 0x7F, 0x80, 0xAF, 0xDF, 0xFF}) {
            std::string damaged = file;
            damaged[position] = static_cast<char>(value);
            expectParsesOrThrowsCleanly(damaged);
        }
    }
    for (size_t length = 0; length < file.size(); ++length) {
        expectParsesOrThrowsCleanly(file.substr(0, length));
    }
}

TEST(HostileXml, AbsurdNestingIsRejected) {
    std::string deep = "<plist>";
    for (int level = 0; level < 5000; ++level) {
        deep += "<array>";
    }
    EXPECT_EQ(parseError(deep + "</plist>").rfind("Plist: XML parsed with error ", 0), 0u);
    for (int level = 0; level < 5000; ++level) {
        deep += "</array>";
    }
    EXPECT_EQ(parseError(deep + "</plist>"), "Plist: XML nesting deeper than 512 levels");
}

TEST(HostileXml, BinaryGarbageIsAnXmlError) {
    const std::string garbage = bytes("\x00\xff\xfe<\x01>&#0;", 9);
    EXPECT_TRUE(contains(parseError(garbage), "Plist: XML")) << parseError(garbage);
}
