// The asset package: whole-file reads, property lists from the package, and streams. Finding
// the package, and a missing or damaged one, are the end-to-end run package_missing's.

#include <gtest/gtest.h>

#include "PlistTestSupport.h"
#include "data/AssetPackage.h"
#include "data/PhysfsStream.h"

using plisttest::describe;
using plisttest::TempDir;

namespace {

const char kXmlWave[] =
    "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>enemy</key><string>drone</string>"
    "<key>count</key><integer>6</integer></dict></plist>";

const char kMusic[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// A package with a binary and an XML property list, a level list, an empty file and raw bytes.
class AssetPackageTest : public testing::Test {
  protected:
    void SetUp() override {
        Plist::Dictionary bullet{{"speed", 3.5}, {"sprite", std::string("bullet_red")}};
        package = folder.file("data.oap");
        plisttest::makeZipPackage(package,
                                  {
                                      {"assets/plist/bp/red.plist", plisttest::writeBinaryToString(bullet)},
                                      {"assets/plist/wave.plist", kXmlWave},
                                      {"assets/plist/arcade_level_list.plist",
                                       plisttest::writeXmlToString(Plist::Array{std::string("stage1")})},
                                      {"assets/plist/empty.plist", ""},
                                      {"assets/audio/theme.ogg", kMusic},
                                  });
    }
    void TearDown() override { unmountAssetPackage(); }

    void mount() {
        testing::internal::CaptureStdout();
        const bool mounted = mountAssetPackage(package);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "asset package mount successful.\n");
        ASSERT_TRUE(mounted);
    }

    TempDir folder;
    std::string package;
};

}  // namespace

TEST_F(AssetPackageTest, FilesAndPropertyListsAreReadWhole) {
    mount();
    std::vector<char> contents;
    ASSERT_TRUE(readAssetFile("assets/audio/theme.ogg", contents));
    EXPECT_EQ(std::string(contents.begin(), contents.end()), kMusic);

    Plist::Dictionary bullet;
    EXPECT_TRUE(Plist::loadAsset("assets/plist/bp/red.plist", bullet));
    EXPECT_EQ(describe(bullet), "{speed=r:3.5,sprite=s:bullet_red,}");
    Plist::Dictionary wave;
    EXPECT_TRUE(Plist::loadAsset("assets/plist/wave.plist", wave));
    EXPECT_EQ(describe(wave), "{count=i:6,enemy=s:drone,}");
    Plist::Array levels;
    EXPECT_TRUE(Plist::loadAssetArray("assets/plist/arcade_level_list.plist", levels));
    EXPECT_EQ(describe(levels), "[s:stage1,]");
}

// The content tools mount what they are given without the mount's console line, name on stderr
// each place that cannot be opened, and still read from the ones that could.
TEST_F(AssetPackageTest, AToolsPackagesMountSilentlyAndABadOneIsNamed) {
    const std::string missing = folder.file("absent.oap");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool mounted = mountToolPackages("orvale-tool", {package, missing});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "orvale-tool: " + missing + ": can't be opened as a package or folder\n");
    EXPECT_FALSE(mounted);
    std::vector<char> contents;
    EXPECT_TRUE(readAssetFile("assets/audio/theme.ogg", contents));
}

TEST_F(AssetPackageTest, MissingFilesAreNotErrorsButAnEmptyPropertyListIs) {
    mount();
    std::vector<char> contents{'x'};
    EXPECT_FALSE(assetExists("assets/audio/missing.caf"));
    EXPECT_FALSE(readAssetFile("assets/audio/missing.caf", contents));
    EXPECT_TRUE(contents.empty());
    Plist::Dictionary enemy{{"kept", int64_t{1}}};
    EXPECT_FALSE(Plist::loadAsset("assets/plist/enemy/missing.plist", enemy));
    EXPECT_EQ(describe(enemy), "{kept=i:1,}");
    Plist::Array levels{true};
    EXPECT_FALSE(Plist::loadAssetArray("assets/plist/missing.plist", levels));
    EXPECT_EQ(levels.size(), 1u);

    // A zero-length property list is: an empty plist.
    contents = {'x'};
    EXPECT_TRUE(readAssetFile("assets/plist/empty.plist", contents));
    EXPECT_TRUE(contents.empty());
    Plist::Dictionary dictionary;
    try {
        Plist::loadAsset("assets/plist/empty.plist", dictionary);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Plist: Empty plist data");
    }
}

TEST_F(AssetPackageTest, StreamsOnAMissingPathOrAShutPackageReportFailureValues) {
    mount();
    testing::internal::CaptureStdout();
    {
        sf::physfs stream("assets/audio/missing.ogg");
        EXPECT_FALSE(stream.isOpen());
        char buffer[8];
        EXPECT_EQ(stream.read(buffer, sizeof(buffer)), 0);
        EXPECT_EQ(stream.seek(0), -1);
        EXPECT_EQ(stream.tell(), -1);
        EXPECT_EQ(stream.getSize(), -1);
    }
    // Only the open prints the library's error; the destructor closes nothing.
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(console.empty());
    EXPECT_EQ(console.find('\n'), console.size() - 1) << console;

    // A stream that outlives the package's shut-down fails safely.
    sf::physfs open("assets/audio/theme.ogg");
    ASSERT_TRUE(open.isOpen());
    unmountAssetPackage();
    testing::internal::CaptureStdout();
    char buffer[4];
    EXPECT_EQ(open.read(buffer, sizeof(buffer)), 0);
    EXPECT_EQ(open.getSize(), -1);
    testing::internal::GetCapturedStdout();
}

TEST_F(AssetPackageTest, StreamReadsSeeksAndTells) {
    mount();
    sf::physfs stream("assets/audio/theme.ogg");
    ASSERT_TRUE(stream.isOpen());
    const auto length = static_cast<sf::Int64>(sizeof(kMusic) - 1);
    EXPECT_EQ(stream.getSize(), length);
    EXPECT_EQ(stream.seek(10), 10);
    EXPECT_EQ(stream.tell(), 10);
    char buffer[64] = {};
    EXPECT_EQ(stream.read(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), "abcde");
    EXPECT_EQ(stream.tell(), 15);
    // A read across the end delivers what is left.
    EXPECT_EQ(stream.seek(length - 3), length - 3);
    EXPECT_EQ(stream.read(buffer, sizeof(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    EXPECT_EQ(stream.read(buffer, sizeof(buffer)), 0);
}
