// The game's own bullet types and fire patterns as a stage designer combines
// them: what the content checker cannot judge from the files alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

std::vector<std::string> namesIn(const char* folder) {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(ORVALE_SHOT_ASSET_DIR) / folder)) {
        if (entry.path().extension() == ".plist") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Frames the bullet manager's own animations use: no bullet type should show them. From 64 on,
// the rows are the later stages' own families.
bool isAnimationFrame(int frame) {
    return frame == 0 || (frame >= 8 && frame <= 16) || frame == 18 || frame == 19 ||
           (frame >= 32 && frame <= 39) || (frame >= 59 && frame <= 63);
}

// What the content checker does not see: beams an enemy fires warn long enough to read, no
// bullet shows a frame the manager's own animations use, a type's own pattern can fire, and
// only player shots take the glowing pool.
TEST(ShotContent, BeamsWarnBulletsShowTheirOwnFramesAndOwnPatternsFire) {
    Stage stage;
    std::set<std::string> beamTypes;
    printedBy([&] {
        for (const std::string& name : namesIn("fp")) {
            stage.manager.loadFirePattern(name);
            const FirePattern* pattern = stage.manager.findFirePattern(name);
            if (pattern && pattern->isBeam) {
                beamTypes.insert(pattern->bulletType);
            }
        }
    });
    ASSERT_FALSE(beamTypes.empty());
    for (const std::string& name : beamTypes) {
        const BeamProperties* beam = stage.manager.findBeamType(name);
        ASSERT_NE(beam, nullptr) << name;
        EXPECT_TRUE(name.rfind("bm_player", 0) == 0 || beam->warningHoldTime >= 500.0f)
            << name << " hurts without a readable warning";
        EXPECT_FALSE(isAnimationFrame(beam->atlasFrame)) << name;
    }
    for (const std::string& name : namesIn("bp")) {
        if (beamTypes.count(name) != 0) {
            continue;
        }
        printedBy([&] { stage.manager.loadBulletType(name); });
        const BulletProperties* type = stage.manager.findBulletType(name);
        EXPECT_TRUE(type->firePattern.empty() || type->isFireOnDeath || type->firePatternDelay > 0.0f)
            << name << " would never fire its pattern";
        for (int frame = type->atlasFrame; frame <= type->atlasFrame + type->numFrames; ++frame) {
            EXPECT_FALSE(isAnimationFrame(frame)) << name << " shows frame " << frame;
        }
        EXPECT_TRUE(type->isPlayerBullet || !type->isGlow) << name << " would take a player-shot slot";
    }
}

TEST(ShotContent, EveryWeaponLevelHasAStraightAndAHomingPlayerPattern) {
    Stage stage;
    int previousShots = 0;
    for (int level = 0; level <= 5; ++level) {
        for (const std::string prefix : {"fp_player_lvl", "fp_player_homing_lvl"}) {
            const std::string name = prefix + std::to_string(level);
            ASSERT_TRUE(stage.manager.loadFirePattern(name)) << name;
            const FirePattern* pattern = stage.manager.findFirePattern(name);
            const BulletProperties* type = stage.manager.findBulletType(pattern->bulletType);
            ASSERT_NE(type, nullptr) << name;
            EXPECT_TRUE(type->isPlayerBullet && type->isGlow) << name;
            EXPECT_GT(type->damage, 0.0f) << name;
            EXPECT_EQ(type->playerSeekFactor > 0.0f, prefix == std::string("fp_player_homing_lvl")) << name;
        }
        const FirePattern* straight = stage.manager.findFirePattern("fp_player_lvl" + std::to_string(level));
        const int shots = straight->salvo * straight->bomblet;
        EXPECT_GE(shots, previousShots) << "level " << level << " fires fewer shots than the level below";
        previousShots = shots;
    }
}

TEST(ShotContent, EveryEnemyPatternFiresWhenPlayedAndThePoolsHold) {
    for (const std::string& name : namesIn("fp")) {
        if (name.rfind("fp_player", 0) == 0) {
            continue;
        }
        Stage stage;
        stage.manager.setRank(3);
        OXLauncherPlatform enemy;
        enemy.setBulletManager(&stage.manager);
        enemy.load("");
        enemy.setPosition(160, 400, 0);
        stage.manager.loadFirePattern(name);
        auto* launcher = new OXLauncher();
        launcher->load("");
        launcher->setOwner(&enemy);
        launcher->setMount({0, 0, 0});
        enemy.addLauncher(launcher);
        ASSERT_TRUE(stage.manager.setupLauncher(launcher, name)) << name;
        int most = 0;
        const std::string printed = printedBy([&] {
            for (int frame = 0; frame < 400;
                 ++frame) {  // six seconds, started every 1.5 s as a movement node would
                if (frame % 100 == 0) {
                    enemy.startLauncher(0);
                }
                enemy.tick(kStep);
                stage.manager.update(kStep);
                most = std::max(most, stage.manager.liveEnemyPoolCount() + stage.manager.liveBeamCount());
            }
        });
        EXPECT_TRUE(printed.empty()) << name << " printed " << printed.substr(0, 80);
        EXPECT_GT(most, 0) << name;
        // The densest attacks of the hardest stages put over a thousand bullets up between them;
        // one pattern alone leaves a quarter of the pool to the rest of the field.
        EXPECT_LT(most, CXBulletManager::kEnemyPoolSize * 3 / 4) << name << " alone fills most of the pool";
    }
}

}  // namespace
