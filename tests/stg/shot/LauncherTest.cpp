// Launchers as a player sees them fire: salvo and bomblet fans, how volleys grow, gaps, aim and
// cooldowns; where the guns sit as their platform turns, how a platform's list of launchers is
// read, and a volley asking for more bullets than any pool holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// An enemy platform at (160, 300) carrying one launcher set up from a pattern.
struct Gun {
    explicit Gun(const std::string& pattern) {
        stage.manager.loadFirePattern(pattern);
        platform.setBulletManager(&stage.manager);
        platform.load("");
        platform.setPosition(160.0f, 300.0f, 0.0f);
        launcher = new OXLauncher();
        launcher->load("");
        launcher->setOwner(&platform);
        platform.addLauncher(launcher);
        EXPECT_TRUE(stage.manager.setupLauncher(launcher, pattern));
        launcher->start();
    }
    // Directions of the bullets fired by the next tick, in firing order.
    std::vector<float> tick(float dtMs) {
        const int before = fired;
        platform.tick(dtMs);
        std::vector<float> directions;
        for (fired = before; fired < CXBulletManager::kEnemyPoolSize; ++fired) {
            const OXBullet& bullet = stage.manager.enemyBullet(fired);
            if (bullet.isFree()) {
                break;
            }
            directions.push_back(bullet.getDirection());
        }
        return directions;
    }
    // Bullets of each tick: one short first tick, then ticks of `dtMs`.
    std::vector<size_t> volleySizes(int ticks, float dtMs) {
        std::vector<size_t> sizes{tick(kStep).size()};
        for (int i = 1; i < ticks; ++i) {
            sizes.push_back(tick(dtMs).size());
        }
        return sizes;
    }

    Stage stage;
    OXLauncherPlatform platform;
    OXLauncher* launcher = nullptr;
    int fired = 0;
};

using Angles = std::vector<float>;

TEST(SalvoAndBomblets, FirstVolleysFanEvenlyAroundTheirAngle) {
    const std::pair<const char*, Angles> cases[] = {
        {"t_salvo5", {160, 170, 180, 190, 200}},
        {"t_bomblet3", {175, 180, 185}},       // each salvo bullet splits into a bomblet fan
        {"t_bomblet4", {165, 175, 185, 195}},  // an even fan is centred too
    };
    for (const auto& [pattern, directions] : cases) {
        Gun gun(pattern);
        EXPECT_EQ(gun.tick(kStep), directions) << pattern;
    }
}

TEST(VolleySequences, VolleysFollowTheirRepeatsAndGaps) {
    const std::pair<const char*, std::vector<size_t>> cases[] = {
        {"t_repeat4", {1, 2, 3, 4, 0}},       // a repeating salvo grows by its change each volley
        {"t_gap", {1, 1, 1, 0, 1, 1, 1, 0}},  // gaps silence the volley after every third
    };
    for (const auto& [pattern, sizes] : cases) {
        Gun gun(pattern);
        EXPECT_EQ(gun.volleySizes(static_cast<int>(sizes.size()), 100.0f), sizes) << pattern;
    }
}

// The ship is straight below, then moves to the gun's right: aim type one follows it every
// volley, aim type two keeps its first aim for the whole run.
TEST(Aiming, AimTypeOneFollowsTheShipAndAimTypeTwoKeepsItsFirstAim) {
    for (const auto& [pattern, afterMove] : {std::pair{"t_aim1", 90.0f}, std::pair{"t_aim2", 180.0f}}) {
        Gun gun(pattern);
        EXPECT_EQ(gun.tick(kStep), (Angles{180})) << pattern;
        gun.stage.ship.setPosition(260.0f, 300.0f, 0.0f);
        EXPECT_EQ(gun.tick(100.0f), (Angles{afterMove})) << pattern;
        EXPECT_EQ(gun.tick(100.0f), (Angles{afterMove})) << pattern;
    }
}

struct Carrier {
    Carrier() {
        platform.setBulletManager(&stage.manager);
        platform.load("");
        platform.setPosition(100.0f, 200.0f, 0.0f);
    }
    Stage stage;
    OXLauncherPlatform platform;
};

TEST(PlatformParts, LaunchersFireFromTheirMountsAsThePlatformTurns) {
    Carrier carrier;
    auto* turned = new OXLauncher();
    turned->load("");
    turned->setMount({10.0f, 0.0f, 0.0f});
    carrier.platform.addLauncher(turned);
    carrier.platform.setPlatformRotation(90.0f);  // a quarter: ten to its right is ten below it
    carrier.platform.tick(kStep);
    EXPECT_NEAR(turned->getX(), 100.0f, 1e-4f);
    EXPECT_NEAR(turned->getY(), 190.0f, 1e-4f);
}

// A platform's list of launchers: offsets on the platform or at a playfield point, and cooldowns.
TEST(PlatformParts, LaunchersAreReadFromTheListAndFireFromTheirOffsets) {
    Carrier carrier;
    auto entry = [](const std::string& pattern, int x, const std::string& more = "") {
        return "<dict><key>fire pattern</key><string>" + pattern + "</string><key>offset x</key><real>" +
               std::to_string(x) + "</real>" + more + "</dict>";
    };
    const std::string xml =
        plist({{"hp", integer(120)},
               {"launcher 0", entry("t_single", -8, "<key>cooldown</key><real>250</real>")},
               {"launcher 1", entry("t_salvo5", 8, "<key>non relative</key><true/>")}});
    Plist::Dictionary definition;
    Plist::parse(xml.data(), static_cast<int64_t>(xml.size()), definition);
    printedBy([&] { carrier.platform.createParts(definition); });
    ASSERT_EQ(carrier.platform.launcherCount(), 2);
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

// A salvo or bomblet of INT_MAX bullets.
class HugeVolley : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(HugeVolley, IsCutToThePoolAndAFullPoolReportsOncePerBurst) {
    Stage stage;
    BulletProperties type;
    type.size = 8.0f;
    type.duration = 100000.0f;
    OXLauncher launcher;
    launcher.load("");
    launcher.setManager(&stage.manager);
    launcher.setBulletType(&type);
    launcher.setSalvo(GetParam().first);
    launcher.setBomblet(GetParam().second);
    launcher.setRepeat(3);  // three volleys in one tick: one burst
    launcher.setDelay(0.0f);
    launcher.setState(OXLauncher::Armed);
    launcher.start();

    const std::string printed = printedBy([&] { launcher.tick(kStep); });
    EXPECT_NE(printed.find("CUT TO 2000\n"), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 2) << printed;  // the cut, the full pool
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), CXBulletManager::kEnemyPoolSize);
    EXPECT_EQ(launcher.getRepeatsLeft(), 3) << "the run ended and was re-armed";

    // The next burst meets the pool still full: one line again, and the cut is not repeated.
    launcher.start();
    const std::string again = printedBy([&] { launcher.tick(kStep); });
    EXPECT_EQ(std::count(again.begin(), again.end(), '\n'), 1) << again;
}

INSTANTIATE_TEST_SUITE_P(Counts, HugeVolley, ::testing::Values(std::pair{INT_MAX, 1}, std::pair{3, INT_MAX}));

}  // namespace
