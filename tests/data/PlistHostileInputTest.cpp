// Damaged and hostile files are refused with a message naming the fault; none may crash, hang
// or exhaust memory. (The fuzzer hunts the rest: every damaged byte of real files and beyond.)

#include <gtest/gtest.h>

#include "PlistTestSupport.h"

using plisttest::BinaryFile;
using plisttest::bytes;
using plisttest::parseError;

namespace {

// A one-object file with one byte of its 32-byte trailer (or of the whole file, from the end
// when negative) replaced.
std::string damaged(BinaryFile file, int index, unsigned char value) {
    std::string built = file.build();
    built[index < 0 ? built.size() + index : static_cast<size_t>(index)] = static_cast<char>(value);
    return built;
}

std::string trailer(size_t index, unsigned char value, int offsetWidth = 1) {
    BinaryFile file{{"\x09"}};
    file.offsetWidth = offsetWidth;
    return damaged(file, static_cast<int>(index) - 32, value);
}

// Object k is an array holding object k + 1, 2000 deep.
std::string nestedTooDeep() {
    BinaryFile chain;
    chain.offsetWidth = 2;
    chain.referenceWidth = 2;
    for (int next = 1; next < 2000; ++next) {
        chain.objects.push_back(std::string("\xa1") + static_cast<char>(next >> 8) +
                                static_cast<char>(next & 0xFF));
    }
    chain.objects.push_back("\x09");
    return chain.build();
}

// Each level an array of 15 references to the next: 15^30 values from a few hundred bytes.
std::string sharedObjectBomb() {
    BinaryFile bomb;
    bomb.offsetWidth = 2;
    for (int level = 0; level < 30; ++level) {
        bomb.objects.push_back("\xaf\x10\x0f" + std::string(15, static_cast<char>(level + 1)));
    }
    bomb.objects.push_back("\x5e" + std::string(14, 'x'));
    return bomb.build();
}

}  // namespace

TEST(HostileInput, BinaryFilesAreRefusedNamingTheFault) {
    const std::string hugeCount = bytes("\x13\x7f\xff\xff\xff\xff\xff\xff\xff", 9);
    BinaryFile topOutside{{"\x09"}};
    topOutside.topObject = 7;
    const std::pair<std::string, std::string> cases[] = {
        {"bplist00" + std::string(31, '\0'), "too short"},
        {"bpl", "XML parsed with error"},  // shorter than the header: not binary
        {trailer(6, 0), "offset width 0 is invalid (must be 1 to 8)"},
        {trailer(7, 200), "object reference width 200 is invalid"},
        {trailer(31, 0xF0), "offset table position 240 lies outside the data"},
        {trailer(24, 0x80), "lies outside the data"},
        {trailer(31, 10), "offset table is empty"},
        {trailer(31, 10, 2), "not a multiple of the offset width"},
        {topOutside.build(), "top object 7 is not in the offset table"},
        {BinaryFile{{bytes("\xa1\x05", 2)}}.build(), "object reference 5 is not in the offset table"},
        {damaged(BinaryFile{{"\x09"}}, 9, 0xff), "object 0 lies outside the object area"},
        {damaged(BinaryFile{{"\x09"}}, 9, 0x03), "object 0 lies outside the object area"},  // the header
        {BinaryFile{{"\x5a"
                     "abc"}}
             .build(),
         "Out of bounds"},
        {BinaryFile{{"\x5f" + hugeCount}}.build(), "Out of bounds"},
        {BinaryFile{{"\xdf" + hugeCount}}.build(), "Out of bounds"},
        {BinaryFile{{bytes("\xaf\x13\xff\xff\xff\xff\xff\xff\xff\xff", 10)}}.build(), "Out of bounds"},
        {BinaryFile{{"\x33\x01"}}.build(), "Out of bounds"},
        {BinaryFile{{"\x5f\x50"}}.build(), "count of object 0 is not an integer"},
        {BinaryFile{{bytes("\xa1\x00", 2)}}.build(), "reference cycle through object 0"},
        {BinaryFile{{bytes("\xd1\x01\x02", 3), "\x51k", bytes("\xa1\x00", 2)}}.build(),
         "reference cycle through object 0"},
        {nestedTooDeep(), "nesting deeper than 512 levels"},
        {sharedObjectBomb(), "expands to too many values"},
        {BinaryFile{{bytes("\x33\x7f\xf8\x00\x00\x00\x00\x00\x00", 9)}}.build(), "date out of range"},
        {BinaryFile{{bytes("\x00", 1)}}.build(), "null byte encountered"},
        {BinaryFile{{"\x0c"}}.build(), "unknown header"},
        {BinaryFile{{bytes("\x80\x01", 2)}}.build(), "not supported"},  // a UID
        {BinaryFile{{bytes("\x21\x00\x00", 3)}}.build(), "real of 2 bytes is not supported"},
        {BinaryFile{{bytes("\xd1\x01\x02", 3), bytes("\x10\x01", 2), "\x09"}}.build(),
         "Key can't be parsed as a string"},
    };
    for (const auto& [file, message] : cases) {
        const std::string error = parseError(file);
        EXPECT_NE(error.find(message), std::string::npos) << "expected \"" << message << "\", got: " << error;
    }
}

TEST(HostileInput, XmlFilesAreRefusedNamingTheFault) {
    std::string deep = "<plist>";
    for (int level = 0; level < 5000; ++level) {
        deep += "<array>";
    }
    const std::string unclosed = deep + "</plist>";
    for (int level = 0; level < 5000; ++level) {
        deep += "</array>";
    }
    const auto plist = [](const std::string& body) { return "<plist version=\"1.0\">" + body + "</plist>"; };
    const std::pair<std::string, std::string> cases[] = {
        {"", "Empty plist data"},
        {"<dict></dict>", "XML has no plist element"},
        {"<plist> </plist>", "plist element holds no value"},
        {"<plist><dict><key>a</key></plist>", "XML parsed with error "},
        {bytes("\x00\xff\xfe<\x01>&#0;", 9), "Plist: XML"},
        {unclosed, "XML parsed with error "},
        {deep + "</plist>", "XML nesting deeper than 512 levels"},
        {plist("<dict><string>x</string></dict>"), "dictionary key expected but not found"},
        {plist("<dict><key>speed</key></dict>"), "value expected for key speed"},
        {plist("<dict><key>speed</key><key>angle</key><real>1</real></dict>"), "found another key node"},
        {plist("<dict><key>a</key><Integer>1</Integer></dict>"), "unknown node type Integer"},
        {plist("<date>2023-02-29T00:00:00Z</date>"), "date invalid"},
        {plist("<date>2023-01-01T24:00:00Z</date>"), "date invalid"},
        {plist("<date>yesterday</date>"), "date not in the form YYYY-MM-DDTHH:MM:SSZ: yesterday"},
    };
    for (const auto& [file, message] : cases) {
        const std::string error = parseError(file);
        EXPECT_NE(error.find(message), std::string::npos) << "expected \"" << message << "\", got: " << error;
    }
    Plist::Dictionary out;
    EXPECT_THROW(Plist::parse(nullptr, 10, out), std::runtime_error);
}
