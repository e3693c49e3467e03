// Bullet types and fire patterns as the game loads them: everything a type
// needs exactly once, and missing or broken lists reported by name.

#include <gtest/gtest.h>

#include "audio/CXSoundManager.h"
#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

TEST(BulletTypeLoading, ATypeNamingItselfThroughItsPatternLoadsOnceWithItsEffectsAndSound) {
    Stage stage;
    EXPECT_TRUE(stage.manager.loadBulletType("t_self"));
    EXPECT_FALSE(stage.manager.loadBulletType("t_self"));
    EXPECT_EQ(stage.manager.findFirePattern("t_self_fp")->bulletType, "t_self");
    EXPECT_EQ(stage.effects.preloaded, (std::vector<std::string>{"ps_self_glow", "ps_self_hit"}));
    EXPECT_TRUE(CXSoundManager::instance().isEffectLoaded("self.caf"));
    // Two patterns naming one type share its record.
    stage.manager.loadFirePattern("t_shared_a");
    const BulletProperties* shared = stage.manager.findBulletType("t_shared");
    stage.manager.loadFirePattern("t_shared_b");
    EXPECT_EQ(stage.manager.findBulletType("t_shared"), shared);
}

TEST(BulletTypeLoading, MissingAndBrokenListsAreReportedAndReadAsDefaults) {
    Stage stage;
    const std::string said = printedBy([&] {
        stage.manager.loadBulletType("t_nowhere");
        stage.manager.loadBulletType("t_broken");
        stage.manager.loadFirePattern("t_nothing");
    });
    for (const char* file : {"bp/t_nowhere.plist", "bp/t_broken.plist", "fp/t_nothing.plist"}) {
        EXPECT_NE(said.find(file), std::string::npos) << said;
    }
    EXPECT_FLOAT_EQ(stage.manager.findBulletType("t_nowhere")->size, 0.0f);
}

}  // namespace
