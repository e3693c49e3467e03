// Platforms carrying launchers: where the guns sit as the carrier turns and
// how their list of launchers is read.

#include <gtest/gtest.h>

#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

struct Carrier {
    Carrier() {
        platform.setBulletManager(&stage.manager);
        platform.load("");
        platform.setPosition(100.0f, 200.0f, 0.0f);
    }
    Stage stage;
    OXLauncherPlatform platform;
};

TEST(LauncherPlacement, APlatformTurnedAQuarterPutsAMountAtTenToItsRightTenBelowIt) {
    Carrier carrier;
    auto* launcher = new OXLauncher();
    launcher->load("");
    launcher->setMount({10.0f, 0.0f, 0.0f});
    carrier.platform.addLauncher(launcher);
    carrier.platform.setPlatformRotation(90.0f);
    carrier.platform.tick(kStep);
    EXPECT_NEAR(launcher->getX(), 100.0f, 1e-4f);
    EXPECT_NEAR(launcher->getY(), 190.0f, 1e-4f);
}

TEST(PlatformParts, LaunchersAreReadInOrderUntilTheFirstMissingIndexAndFireFromTheirMounts) {
    Carrier carrier;
    auto entry = [](const std::string& pattern, int x, const std::string& more = "") {
        return "<dict><key>fire pattern</key><string>" + pattern + "</string><key>offset x</key><real>" +
               std::to_string(x) + "</real>" + more + "</dict>";
    };
    const std::string xml =
        plist({{"hp", integer(120)},
               {"launcher 0", entry("t_single", -8, "<key>cooldown</key><real>250</real>")},
               {"launcher 1", entry("t_salvo5", 8, "<key>non relative</key><true/>")},
               {"launcher 3", entry("t_single", 0)}});
    Plist::Dictionary definition;
    Plist::parse(xml.data(), static_cast<int64_t>(xml.size()), definition);
    EXPECT_EQ(printedBy([&] { carrier.platform.createParts(definition); }),
              "LOADING LAUNCHER 0\nLOADING LAUNCHER 1\n");
    ASSERT_EQ(carrier.platform.launcherCount(), 2);
    EXPECT_FLOAT_EQ(carrier.platform.getHitPoints(), 120.0f);
    EXPECT_EQ(carrier.platform.getLauncher(2), nullptr);
    EXPECT_FALSE(carrier.platform.startLauncher(2));

    EXPECT_TRUE(carrier.platform.startLauncher(0));
    EXPECT_TRUE(carrier.platform.startLauncher(1));
    carrier.platform.tick(kStep);
    EXPECT_EQ(carrier.stage.manager.liveEnemyPoolCount(), 6);
    EXPECT_FLOAT_EQ(carrier.stage.manager.enemyBullet(0).getX(), 92.0f);  // on the platform
    EXPECT_FLOAT_EQ(carrier.stage.manager.enemyBullet(1).getX(), 8.0f);   // at the playfield point
    // The cooldown keeps the first from starting again at once.
    carrier.platform.startLauncher(0);
    EXPECT_EQ(carrier.platform.getLauncher(0)->getState(), OXLauncher::Armed);
}

}  // namespace
