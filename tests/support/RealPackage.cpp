#include "tests/support/RealPackage.h"

#include <gtest/gtest.h>

#include "data/AssetPackage.h"

namespace {
bool packageMounted = false;
}

bool realpackage::mounted() {
    return packageMounted;
}

void realpackage::mountAgain() {
    unmountAssetPackage();
    packageMounted = mountAssetPackage(ORVALE_PACKAGE);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    packageMounted = mountAssetPackage(ORVALE_PACKAGE);
    return RUN_ALL_TESTS();
}
