// The XML form: reading what content authors write, and the XML writer.

#include <gtest/gtest.h>

#include "PlistTestSupport.h"

using plisttest::describe;
using plisttest::parseAny;
using plisttest::parseError;
using plisttest::writeXmlToString;

namespace {

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n" +
           body + "\n</plist>\n";
}

std::string read(const std::string& body) {
    return describe(parseAny(plist(body)));
}

}  // namespace

TEST(XmlReading, EveryElementType) {
    EXPECT_EQ(read("<dict>"
                   "  <key>name</key><string>gunship</string>"
                   "  <key>hp</key><integer>1200</integer>"
                   "  <key>speed</key><real>2.5</real>"
                   "  <key>boss</key><true/>"
                   "  <key>hidden</key><false/>"
                   "  <key>born</key><date>2021-03-04T05:06:07Z</date>"
                   "  <key>bytes</key><data>AP9hfw==</data>"
                   "  <key>list</key><array><integer>1</integer><array/><dict/></array>"
                   "</dict>"),
              "{born=date:1614834367,boss=true,bytes=data:00ff617f,hidden=false,hp=i:1200,"
              "list=[i:1,[],{},],name=s:gunship,speed=r:2.5,}");
}

// Numbers as the C library reads them, text kept as written, UTC calendar dates, data laid out
// over lines or followed by padding, and a later duplicate key.
TEST(XmlReading, ValuesAsContentAuthorsWriteThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"<integer>12abc</integer>", "i:12"},
        {"<integer>  -42</integer>", "i:-42"},
        {"<integer>0x1F</integer>", "i:0"},
        {"<integer>9223372036854775807</integer>", "i:9223372036854775807"},
        {"<real>1e3</real>", "r:1000"},
        {"<real>-0.125</real>", "r:-0.125"},
        {"<string/>", "s:"},
        {"<string>  </string>", "s:  "},
        {"<string> padded </string>", "s: padded "},
        {"<string>a &amp; b &lt;c&gt;</string>", "s:a & b <c>"},
        {"<string><![CDATA[<raw>]]></string>", "s:<raw>"},
        {"<string>caf\xc3\xa9</string>", "s:caf\xc3\xa9"},
        {"<dict><key/><string>empty key</string></dict>", "{=s:empty key,}"},
        {"<date>1970-01-01T00:00:00Z</date>", "date:0"},
        {"<date>1969-07-20T20:17:40Z</date>", "date:-14182940"},
        {"<date>2024-02-29T23:59:59Z</date>", "date:1709251199"},
        {"<data>\n\tAP9h\n\tfw==\n</data>", "data:00ff617f"},
        {"<data>AP9hfw==AAAA</data>", "data:00ff617f"},
        {"<data></data>", "data:"},
        {"<dict><key>a</key><integer>1</integer><key>a</key><integer>2</integer></dict>", "{a=i:2,}"},
    };
    for (const auto& [body, expected] : cases) {
        EXPECT_EQ(read(body), expected) << body;
    }
}

TEST(XmlReading, RootKindIsChecked) {
    const std::string arrayFile = plist("<array><string>stage 1</string></array>");
    Plist::Array levels;
    Plist::parseArray(arrayFile.data(), static_cast<int64_t>(arrayFile.size()), levels);
    ASSERT_EQ(levels.size(), 1u);

    Plist::Dictionary dictionary;
    EXPECT_THROW(Plist::parse(arrayFile.data(), static_cast<int64_t>(arrayFile.size()), dictionary),
                 std::bad_cast);
    const std::string dictFile = plist("<dict/>");
    EXPECT_THROW(Plist::parseArray(dictFile.data(), static_cast<int64_t>(dictFile.size()), levels),
                 std::bad_cast);
}

TEST(XmlReading, ParseReplacesThePreviousContents) {
    Plist::Dictionary dictionary;
    dictionary["stale"] = true;
    const std::string file = plist("<dict><key>fresh</key><true/></dict>");
    Plist::parse(file.data(), static_cast<int64_t>(file.size()), dictionary);
    EXPECT_EQ(describe(dictionary), "{fresh=true,}");
}

TEST(XmlErrors, MessagesNameTheProblem) {
    EXPECT_EQ(parseError(plist("<dict><string>x</string></dict>")),
              "Plist: XML dictionary key expected but not found");
    EXPECT_EQ(parseError(plist("<dict><key>speed</key></dict>")),
              "Plist: XML dictionary value expected for key speedbut not found");
    EXPECT_EQ(parseError(plist("<dict><key>speed</key><key>angle</key><real>1</real></dict>")),
              "Plist: XML dictionary value expected for key speedbut found another key node");
    EXPECT_EQ(parseError(plist("<dict><key>a</key><Integer>1</Integer></dict>")),
              "Plist: XML unknown node type Integer");
    EXPECT_EQ(parseError(plist("<date>2021-02-30T00:00:00Z</date>")), "PlistDate::set() date invalid");
    EXPECT_EQ(parseError(plist("<date>2023-02-29T00:00:00Z</date>")), "PlistDate::set() date invalid");
    EXPECT_EQ(parseError(plist("<date>2023-01-01T24:00:00Z</date>")), "PlistDate::set() date invalid");
    EXPECT_EQ(parseError(plist("<date>yesterday</date>")),
              "Plist: XML date not in the form YYYY-MM-DDTHH:MM:SSZ: yesterday");
    EXPECT_EQ(parseError("<dict></dict>"), "Plist: XML has no plist element");
    EXPECT_EQ(parseError("<plist> </plist>"), "Plist: XML plist element holds no value");

    const std::string broken = parseError("<plist><dict><key>a</key></plist>");
    EXPECT_EQ(broken.rfind("Plist: XML parsed with error ", 0), 0u) << broken;
    EXPECT_GT(broken.size(), std::string("Plist: XML parsed with error ").size());

    EXPECT_EQ(parseError(""), "Plist: Empty plist data");
    Plist::Dictionary out;
    EXPECT_THROW(Plist::parse(nullptr, 10, out), std::runtime_error);
}

TEST(XmlWriting, GeneratedTreeReadsBackUnchanged) {
    Plist::Dictionary tree;
    tree["text"] = std::string("a & b <c> \"d\" 'e'");
    tree["layout"] = std::string("tab\there\nnew line\r\nwindows");
    tree["control"] = std::string("\x01\x1f");
    tree["blank"] = std::string("   ");
    tree["empty"] = std::string();
    tree["utf8"] = std::string("\xe2\x98\x85 star");
    tree["key with <markup> & blanks"] = int64_t{-7};
    tree["real"] = 0.1;
    tree["whole real"] = 2.0;
    tree["huge"] = 1e300;
    tree["date"] = PlistDate(-1000000000);
    tree["data"] = Plist::Data{'\0', '\1', '\2', '\xfe', '\xff'};
    tree["nested"] = Plist::Array{Plist::Dictionary(), Plist::Array(), true, false, int64_t{9}};

    const std::string xml = writeXmlToString(tree);
    EXPECT_NE(xml.find("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\""), std::string::npos);
    EXPECT_EQ(describe(parseAny(xml)), describe(tree)) << xml;
}

TEST(XmlWriting, ValuesXmlCannotHoldAreRefused) {
    std::ostringstream out;
    EXPECT_THROW(Plist::writeXml(out, std::string("nul\0inside", 10)), std::runtime_error);
    EXPECT_THROW(Plist::writeXml(out, PlistDate(int64_t{400000000000})), std::runtime_error);
    EXPECT_TRUE(out.str().empty());
}
