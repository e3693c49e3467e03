#include "tests/stg/game/GameTestSupport.h"

#include <gtest/gtest.h>

#include <physfs.h>

#include <cstdio>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace gametest {

PackageInPlace::PackageInPlace(const std::string& package) {
    char** searchPath = PHYSFS_isInit() ? PHYSFS_getSearchPath() : nullptr;
    for (char** entry = searchPath; entry != nullptr && *entry != nullptr; ++entry) {
        before.emplace_back(*entry);
    }
    PHYSFS_freeList(searchPath);
    unmountAssetPackage();
    isMounted = mountAssetPackage(package);
}

PackageInPlace::~PackageInPlace() {
    unmountAssetPackage();
    for (const std::string& package : before) {
        mountAssetPackage(package);
    }
}

namespace {
bool mounted = false;
}

bool packageMounted() {
    return mounted;
}

void SessionTest::SetUp() {
    ASSERT_TRUE(packageMounted());
    session.setProfile(&profile);
    session.setEndHandler([](void* ended) { ++*static_cast<int*>(ended); }, &endings);
    session.setScreenSize(450, 600);
    session.choices().mode = GameMode::Arcade;
    session.choices().casual = false;
    session.choices().difficulty = Difficulty::Normal;
}

void SessionTest::TearDown() {
    session.tearDown();
    session.setProfile(nullptr);
    session.setEndHandler(nullptr, nullptr);
}

void SessionTest::startPlaying() {
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    session.tick(16.7f);
}

}  // namespace gametest

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Console lines of the game would bury gtest's own output.
    const testfiles::TempDir audioConfig;
    testfiles::useNullAudioOutput(audioConfig);
    gametest::mounted = mountAssetPackage(ORVALE_PACKAGE);
    CXSoundManager::instance().setBasePath("assets/audio/");
    return RUN_ALL_TESTS();
}
