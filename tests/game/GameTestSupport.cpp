#include "tests/game/GameTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "data/AssetPackage.h"

namespace gametest {

namespace {
bool mounted = false;
}

bool packageMounted() {
    return mounted;
}

}  // namespace gametest

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Console lines of the game would bury gtest's own output.
    gametest::mounted = mountAssetPackage(ORVALE_PACKAGE);
    return RUN_ALL_TESTS();
}
