// Bullet types and fire patterns as a content author writes them: keys,
// defaults, conversions, and loading everything a type needs exactly once.

#include <gtest/gtest.h>

#include "audio/CXSoundManager.h"
#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

TEST(BulletTypeKeys, DefaultsAndConversionsFollowTheAccessors) {
    Stage stage;
    stage.manager.loadBulletType("t_shared");
    const BulletProperties* plain = stage.manager.findBulletType("t_shared");
    EXPECT_TRUE(plain->isEffectGlow && plain->isFocusTrack);
    EXPECT_FLOAT_EQ(plain->hitBoxScale, 0.6f);
    EXPECT_FLOAT_EQ(plain->volume, 1.0f);

    stage.manager.loadBulletType("t_keys");
    const BulletProperties* type = stage.manager.findBulletType("t_keys");
    EXPECT_EQ(type->firstFrame, 63);                         // "first frame" 1 stands for frame 63
    EXPECT_FALSE(type->isFocusTrack || type->isEffectGlow);  // stored false stays false
    EXPECT_EQ(type->atlasFrame, 0);                          // a real is not an integer
    EXPECT_FLOAT_EQ(type->startSpeed, 7.0f);                 // a numeric string is a float
    EXPECT_FLOAT_EQ(type->damage, 2.0f);                     // so is an integer
    EXPECT_FALSE(type->randomFrame);                         // an integer is not a boolean
    stage.manager.loadBulletType("t_frames");
    EXPECT_EQ(stage.manager.findBulletType("t_frames")->firstFrame, 2);
    EXPECT_EQ(stage.manager.findBulletType("t_frames")->flickerFrame, 20);  // the atlas frame
}

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
    EXPECT_EQ(printedBy([&] { stage.manager.loadBulletType("t_nowhere"); }),
              "MISSING BULLET TYPE assets/plist/bp/t_nowhere.plist\n");
    EXPECT_FLOAT_EQ(stage.manager.findBulletType("t_nowhere")->size, 0.0f);
    const std::string broken = printedBy([&] { stage.manager.loadBulletType("t_broken"); });
    EXPECT_EQ(broken.rfind("BAD PROPERTY LIST assets/plist/bp/t_broken.plist: ", 0), 0u) << broken;
    EXPECT_EQ(printedBy([&] { stage.manager.loadFirePattern("t_nothing"); }),
              "MISSING FIRE PATTERN assets/plist/fp/t_nothing.plist\n");
}

TEST(FirePatternKeys, CountsStoredAsRealsReadAsZeroAndBombletDefaultsToOneUnlessItVaries) {
    Stage stage;
    stage.manager.loadFirePattern("t_reals");
    EXPECT_EQ(stage.manager.findFirePattern("t_reals")->salvo, 0);
    EXPECT_FLOAT_EQ(stage.manager.findFirePattern("t_reals")->repeat, 3.0f);  // takes any number
    EXPECT_EQ(stage.manager.findFirePattern("t_reals")->bomblet, 1);
    stage.manager.loadFirePattern("t_bombletvar");
    EXPECT_EQ(stage.manager.findFirePattern("t_bombletvar")->bomblet, 0);
}

}  // namespace
