#pragma once
// Counts the allocations of the test program that links this: the global
// operator new is replaced by one that counts and then allocates as usual.
// Tests that play must not allocate compare the count before and after;
// allocationCount() gives the calling thread's count (the game's thread).

#include "engine/gl/recording/RecordingGLDevice.h"

namespace testfiles {

long allocationCount();

// A recording device that keeps no list of its draws, only their number, so
// that drawing allocates nothing either.
class CountingGLDevice : public RecordingGLDevice {
  public:
    void drawArrays(GLenum, GLint, GLsizei) override { ++drawCount; }
    int drawCount = 0;
};

}  // namespace testfiles
