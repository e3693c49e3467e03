// A fire pattern asking for more bullets than any pool holds: the volley is
// cut to what a pool can hold, the launcher's tick ends, and the full pool
// says so once per burst rather than once per bullet it cannot have.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "stg/shot/OXLauncher.h"
#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

struct HugeVolley {
    const char* name;
    int salvo;
    int bomblet;
    const char* cutLine;  // what the launcher prints the first time, before the pool's line
};

class LauncherSalvo : public ::testing::TestWithParam<HugeVolley> {};

TEST_P(LauncherSalvo, IsCutToThePoolAndAFullPoolReportsOncePerBurst) {
    Stage stage;
    BulletProperties type;
    type.size = 8.0f;
    type.duration = 100000.0f;
    OXLauncher launcher;
    launcher.load("");
    launcher.setManager(&stage.manager);
    launcher.setBulletType(&type);
    launcher.setSalvo(GetParam().salvo);
    launcher.setBomblet(GetParam().bomblet);
    launcher.setRepeat(3);  // three volleys in one tick: one burst
    launcher.setDelay(0.0f);
    launcher.setState(OXLauncher::Armed);
    launcher.start();

    const std::string printed = printedBy([&] { launcher.tick(kStep); });
    EXPECT_EQ(printed, std::string(GetParam().cutLine) + "RAN OUT OF BULLETS!\n");
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), CXBulletManager::kEnemyPoolSize);
    EXPECT_EQ(launcher.getRepeatsLeft(), 3) << "the run ended and was re-armed";

    // The next burst meets the pool still full: one line again, and the cut is not repeated.
    launcher.start();
    EXPECT_EQ(printedBy([&] { launcher.tick(kStep); }), "RAN OUT OF BULLETS!\n");
}

INSTANTIATE_TEST_SUITE_P(
    Counts, LauncherSalvo,
    ::testing::Values(HugeVolley{"Salvo5000", 5000, 1, "SALVO OF 5000 CUT TO 2000\n"},
                      HugeVolley{"SalvoOneBillion", 1000000000, 1, "SALVO OF 1000000000 CUT TO 2000\n"},
                      HugeVolley{"SalvoIntMax", INT_MAX, 1, "SALVO OF 2147483647 CUT TO 2000\n"},
                      HugeVolley{"BombletIntMax", 3, INT_MAX, "BOMBLET OF 2147483647 CUT TO 2000\n"}),
    [](const ::testing::TestParamInfo<HugeVolley>& volley) { return std::string(volley.param.name); });

}  // namespace
