// The game's tests run on the real asset package and the recording GL device,
// both set up once for the whole program by its main().
#pragma once

#include <string>

namespace gametest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

// Whether the build's data.oap was mounted for this run.
bool packageMounted();

}  // namespace gametest
