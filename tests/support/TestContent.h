#pragma once
// Content for tests: property-list text as a content author writes it, the game's own lists
// from the source tree, and one package mounted for a whole test program.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace testfiles {

// ---- Property-list text ----
inline std::string real(double value) {
    std::ostringstream out;
    out.precision(17);
    out << "<real>" << value << "</real>";
    return out.str();
}
inline std::string integer(long long value) {
    return "<integer>" + std::to_string(value) + "</integer>";
}
inline std::string text(const std::string& value) {
    return "<string>" + value + "</string>";
}
inline std::string boolean(bool value) {
    return value ? "<true/>" : "<false/>";
}
using Keys = std::vector<std::pair<std::string, std::string>>;
inline std::string dict(const Keys& keys) {
    std::string body = "<dict>";
    for (const auto& key : keys) {
        body += "<key>" + key.first + "</key>" + key.second;
    }
    return body + "</dict>";
}
// A whole file with a dictionary root.
inline std::string plist(const Keys& keys) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + dict(keys) + "</plist>";
}

// Package path -> contents.
using Files = std::map<std::string, std::string>;

// Every ".plist" below `folder` as "assets/plist/<its path below the folder>".
inline void addPropertyLists(Files& files, const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".plist") {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream contents;
            contents << in.rdbuf();
            files["assets/plist/" + std::filesystem::relative(entry.path(), folder).generic_string()] =
                contents.str();
        }
    }
}

// Mounts a package of what `makeFiles()` returns before the program's first test and unmounts
// it after the last; sound effects come from "assets/audio/" and play on the null output.
// Call it from a namespace-scope initialiser.
template <typename MakeFiles>
bool mountForTheRun(MakeFiles makeFiles) {
    class Package : public ::testing::Environment {
      public:
        explicit Package(MakeFiles source) : make(source) {}
        void SetUp() override {
            useNullAudioOutput(folder);
            makeZipPackage(folder.file("test.oap"), make());
            CXSoundManager::instance().setBasePath("assets/audio/");
            testing::internal::CaptureStdout();
            const bool mounted = mountAssetPackage(folder.file("test.oap"));
            testing::internal::GetCapturedStdout();
            ASSERT_TRUE(mounted);
        }
        void TearDown() override { unmountAssetPackage(); }

      private:
        MakeFiles make;
        TempDir folder;
    };
    ::testing::AddGlobalTestEnvironment(new Package(makeFiles));
    return true;
}

}  // namespace testfiles
