// The game's tests run on the real asset package and the recording GL device,
// both set up once for the whole program by its main().
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/CXUserProfile.h"
#include "stg/game/CXGameSession.h"

namespace gametest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

// Whether the build's data.oap was mounted for this run.
bool packageMounted();

// Mounts `package` alone for as long as it lives, then again the packages that were mounted
// before it, in their order (the game's and any test files' package beside it), so a test that
// plays on a bare or damaged package leaves the next test the packages it expects.
class PackageInPlace {
  public:
    explicit PackageInPlace(const std::string& package);
    ~PackageInPlace();
    PackageInPlace(const PackageInPlace&) = delete;
    PackageInPlace& operator=(const PackageInPlace&) = delete;
    bool mounted() const { return isMounted; }

  private:
    std::vector<std::string> before;
    bool isMounted = false;
};

// The session set up as the application leaves it before a game: its own fresh profile, a
// 450 x 600 game area, arcade play on normal, and an end handler that counts the games ended.
// Torn down after each test, so no test sees another's game.
class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts arcade play of the first stage and runs its first frame.
    void startPlaying();

    CXGameSession& session = CXGameSession::instance();
    CXUserProfile profile;
    int endings = 0;
};

}  // namespace gametest
