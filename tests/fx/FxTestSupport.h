// What the effect tests share: particle lists written as property lists, a
// test package holding the effects they name, console capture and the
// recording GL device.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "data/Plist.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/ParticleDefinition.h"

namespace fxtest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

// Key -> value as the list holds it; numbers are reals unless they are keys read as integers.
using Keys = std::map<std::string, double>;

// A steady emitter: long-lived white particles that stand still, one every
// 10 ms, size 2. Tests change what they look at.
Keys steadyKeys();
// The definition a particle list of `keys` (and the booleans `flags`) reads as.
ParticleDefinition definitionOf(const Keys& keys, const std::map<std::string, bool>& flags = {});

// Runs `body` and returns what it printed.
template <typename Body>
std::string printedBy(Body body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

// The recording device for the test's duration.
class FxTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    int drawCalls() const { return device.count(GLCall::DrawArrays); }

    RecordingGLDevice device;
};

}  // namespace fxtest
