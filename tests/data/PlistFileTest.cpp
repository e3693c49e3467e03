// Property lists on the ordinary file system (the user profile) and from streams.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "PlistTestSupport.h"

using plisttest::describe;
using plisttest::TempDir;

namespace {

Plist::Dictionary profile() {
    Plist::Dictionary dictionary;
    dictionary["pc version"] = true;
    dictionary["lives"] = 2;
    dictionary["high score"] = int64_t{9876543210};
    dictionary["music volume"] = 0.5f;
    return dictionary;
}

const char kProfileAsRead[] = "{high score=i:9876543210,lives=i:2,music volume=r:0.5,pc version=true,}";

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

}  // namespace

TEST(PlistFiles, WrittenFileLoadsBack) {
    TempDir folder;
    const std::string path = folder.file("save.osf");
    ASSERT_TRUE(Plist::writeBinaryFile(path, profile()));
    EXPECT_EQ(readWholeFile(path).substr(0, 8), "bplist00");

    Plist::Dictionary loaded;
    bool ok = false;
    Plist::loadFile(path, loaded, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(describe(loaded), kProfileAsRead);
}

TEST(PlistFiles, MissingFileIsReportedOnTheConsole) {
    TempDir folder;
    const std::string path = folder.file("absent.osf");
    Plist::Dictionary loaded{{"untouched", true}};
    bool ok = true;
    testing::internal::CaptureStdout();
    Plist::loadFile(path, loaded, ok);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open file: " + path + "\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(loaded.size(), 1u);
}

TEST(PlistFiles, EmptyFileIsAnError) {
    TempDir folder;
    folder.write("empty.osf", "");
    Plist::Dictionary loaded;
    bool ok = true;
    try {
        Plist::loadFile(folder.file("empty.osf"), loaded, ok);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Can't read zero length data");
    }
    EXPECT_FALSE(ok);
}

TEST(PlistFiles, FailedWritesAreReportedAndKeepTheOldFile) {
    TempDir folder;
    EXPECT_FALSE(Plist::writeBinaryFile(folder.file("no such folder/save.osf"), profile()));

    const std::string path = folder.file("save.osf");
    ASSERT_TRUE(Plist::writeBinaryFile(path, profile()));
    const std::string before = readWholeFile(path);
    Plist::Dictionary unwritable{{"count", 5u}};
    EXPECT_THROW(Plist::writeBinaryFile(path, unwritable), std::runtime_error);
    EXPECT_EQ(readWholeFile(path), before);
}

TEST(PlistStreams, StreamIsReadFromItsCurrentPosition) {
    std::ostringstream file;
    file << "HEADER";
    Plist::writeBinary(file, profile());
    std::istringstream in(file.str());
    in.seekg(6);
    Plist::Dictionary loaded;
    Plist::parseStream(in, loaded);
    EXPECT_EQ(describe(loaded), kProfileAsRead);

    std::istringstream empty("");
    EXPECT_THROW(Plist::parseStream(empty, loaded), std::runtime_error);
}
