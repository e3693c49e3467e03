// What the shooting tests share: effects that record what they were asked, a
// manager set up on a test package with the stand-ins of ShotFakes.h, and
// builders for the property lists the tests read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/IXRenderObject.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXBullet.h"
#include "tests/stg/shot/ShotFakes.h"
#include "tests/support/TestContent.h"

namespace shottest {

class RecordingEffects : public IXShotEffects {
  public:
    struct Played {
        std::string name;
        Vec3 position;
        float strength;
    };
    void preloadEffect(const std::string& name) override { preloaded.push_back(name); }
    IXRenderObject* startAttachedEffect(const std::string&, const IXRenderObject&, bool) override {
        return &handle;
    }
    void stopEffect(IXRenderObject*) override {}
    bool attachTrail(const IXRenderObject&, int, float) override { return true; }
    void detachTrail(const IXRenderObject&) override {}
    void playAt(const std::string& name, const Vec3& position, const Vec3&, float strength) override {
        played.push_back({name, position, strength});
    }

    std::vector<std::string> preloaded;
    std::vector<Played> played;

  private:
    IXRenderObject handle;  // what startAttachedEffect hands out
};

// A manager on the test package's atlas with a world, a ship at (160, 100)
// and recording effects.
struct Stage {
    Stage();
    ~Stage();
    // Runs `frames` updates at the fixed step.
    void run(int frames, float dtMs = kStep);
    // The one live bullet of the enemy pool fired last, for single-shot tests.
    OXBullet* lastEnemyBullet();

    FakeShip ship;
    FakeWorld world;
    RecordingEffects effects;
    CXBulletManager manager;
};

// Property-list builders.
using testfiles::boolean;
using testfiles::dict;
using testfiles::integer;
using testfiles::Keys;
using testfiles::plist;
using testfiles::real;
using testfiles::text;

// Runs `body` and returns what it printed.
template <typename Body>
std::string printedBy(Body body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

}  // namespace shottest
