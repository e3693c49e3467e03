// What the readers take that Python's plistlib (plist_interop.py) never writes: binary encodings
// of other writers, and XML as content authors type it. Every type's round trip through both
// writers is proven against plistlib by that script and against the readers by the fuzzer.

#include <gtest/gtest.h>

#include "PlistTestSupport.h"

using plisttest::BinaryFile;
using plisttest::bytes;
using plisttest::describe;
using plisttest::parseAny;

namespace {

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

}  // namespace

// Sixteen-byte integers, a root that is not the first object, single-precision reals and
// dates with fractions of a second.
TEST(BinaryReading, EncodingsOtherWritersUse) {
    const struct {
        BinaryFile file;
        std::string expected;
    } cases[] = {
        {{{"\x14" + std::string(15, '\0') + "\x2a"}}, "i:42"},           // 16 bytes keep the low 64 bits
        {{{bytes("\x13\xff\xff\xff\xff\xff\xff\xff\xff", 9)}}, "i:-1"},  // eight bytes are signed
        {{{"\x51x", bytes("\xa1\x00", 2)}, 1, 1, 1}, "[s:x,]"},
        {{{bytes("\x22\xc2\x28\x00\x00", 5)}}, "r:-42"},
        {{{bytes("\x33\x3f\xfc\x00\x00\x00\x00\x00\x00", 9)}}, "date:978307201"},  // 1.75 s: dropped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describe(parseAny(c.file.build())), c.expected);
    }
}

// Numbers as the C library reads them, text kept as written, data laid out over lines or
// followed by padding, and a later duplicate key.
TEST(XmlReading, ValuesAsContentAuthorsWriteThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"<integer>12abc</integer>", "i:12"},
        {"<integer>0x1F</integer>", "i:0"},
        {"<real>1e3</real>", "r:1000"},
        {"<string> padded </string>", "s: padded "},
        {"<string>a &amp; b &lt;c&gt;</string>", "s:a & b <c>"},
        {"<string><![CDATA[<raw>]]></string>", "s:<raw>"},
        {"<date>1969-07-20T20:17:40Z</date>", "date:-14182940"},
        {"<data>\n\tAP9h\n\tfw==\n</data>", "data:00ff617f"},
        {"<data>AP9hfw==AAAA</data>", "data:00ff617f"},
        {"<dict><key>a</key><integer>1</integer><key>a</key><integer>2</integer></dict>", "{a=i:2,}"},
    };
    for (const auto& [body, expected] : cases) {
        EXPECT_EQ(describe(parseAny(plist(body))), expected) << body;
    }
}

// A level list where a dictionary belongs, or the reverse, is refused rather than read as empty.
TEST(XmlReading, TheRootKindIsChecked) {
    const std::string arrayFile = plist("<array><string>stage 1</string></array>");
    Plist::Dictionary dictionary;
    EXPECT_THROW(Plist::parse(arrayFile.data(), static_cast<int64_t>(arrayFile.size()), dictionary),
                 std::bad_cast);
    const std::string dictFile = plist("<dict/>");
    Plist::Array levels;
    EXPECT_THROW(Plist::parseArray(dictFile.data(), static_cast<int64_t>(dictFile.size()), levels),
                 std::bad_cast);
}

// A value a format cannot hold is refused before a byte is written (a profile is never half
// written by the writer).
TEST(Writers, ValuesTheFormatCannotHoldAreRefusedBeforeWriting) {
    std::ostringstream out;
    EXPECT_THROW(Plist::writeBinary(out, Plist::Dictionary{{"count", 5u}}), std::runtime_error);
    Plist::Value deep = Plist::Array();
    for (int level = 0; level < Plist::kMaxNestingDepth; ++level) {
        deep = Plist::Array{deep};
    }
    EXPECT_THROW(Plist::writeBinary(out, deep), std::runtime_error);
    EXPECT_THROW(Plist::writeXml(out, std::string("nul\0inside", 10)), std::runtime_error);
    EXPECT_THROW(Plist::writeXml(out, PlistDate(int64_t{400000000000})), std::runtime_error);
    EXPECT_TRUE(out.str().empty());
}
