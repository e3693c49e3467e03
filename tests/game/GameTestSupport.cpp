#include "tests/game/GameTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace gametest {

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
    session.setGameMode(CXGameSession::Arcade);
    session.setCasual(false);
    session.setDifficulty(1);
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
