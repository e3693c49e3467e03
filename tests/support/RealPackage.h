// For test programs below the game that draw with the game's own art (fonts, widget sheets,
// textures): their main() mounts the build's data.oap before any test runs.
#pragma once

#include <gtest/gtest.h>

#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace realpackage {

// Whether the build's data.oap was mounted for this run.
bool mounted();

// A suite that plays on a package of its own alone unmounts everything first and, when it is
// done, calls this: the build's data.oap is mounted again, as main() left it.
void mountAgain();

// A test that draws with the real art on the recording device, from clean graphics caches.
class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(mounted());
        setGLDevice(&device);
        CXGfxManager::instance().resetCaches();
    }
    void TearDown() override { setGLDevice(nullptr); }

    RecordingGLDevice device;
};

}  // namespace realpackage
