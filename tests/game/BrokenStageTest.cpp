// A first stage whose stage, wave or ship file is missing or unreadable: the game says which and
// ends back at the menus when the stage would start, instead of clearing it on its first frame,
// playing an empty stage forever or flying a ship without weapons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using BrokenStageTest = gametest::SessionTest;

struct Damage {
    const char* file;   // in the package
    bool deleted;       // else replaced by bytes that are no property list
    const char* cause;  // what the console names
};

const Damage kDamages[] = {
    {"assets/plist/stage_1.plist", true, "ITS STAGE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1.plist", false, "ITS STAGE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1_waves.plist", true, "ITS WAVE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1_waves.plist", false, "ITS WAVE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/senko_type_a.plist", true, "ITS SHIP FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/senko_type_a.plist", false, "ITS SHIP FILE IS MISSING OR UNREADABLE"},
};

// The build's package with one file deleted or damaged, written into `folder`; its path.
std::string damagedPackage(const testfiles::TempDir& folder, const Damage& damage) {
    const std::string package = folder.file("damaged.oap");
    std::string command = "cp '" ORVALE_PACKAGE "' '" + package + "' && cd '" + folder.path() + "' && ";
    if (damage.deleted) {
        command += "zip -q -d damaged.oap '" + std::string(damage.file) + "'";
    } else {
        folder.write(damage.file, "<?xml version=\"1.0\"?><plist><dict><key>level");
        command += "zip -q damaged.oap '" + std::string(damage.file) + "'";
    }
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return package;
}

}  // namespace

TEST_F(BrokenStageTest, AStageThatCannotBePlayedEndsBackAtTheMenusAndSaysWhy) {
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(std::string(damage.file) + (damage.deleted ? " deleted" : " damaged"));
        testfiles::TempDir folder;
        const gametest::PackageInPlace damaged(damagedPackage(folder, damage));
        ASSERT_TRUE(damaged.mounted());
        const int endedBefore = endings;
        testing::internal::CaptureStdout();
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
        for (int frame = 0; frame < 5; ++frame) {
            session.tick(16.7f);
        }
        const std::string lines = testing::internal::GetCapturedStdout();
        EXPECT_NE(
            lines.find(std::string("STAGE 1 CANNOT BE PLAYED: ") + damage.cause + ", BACK TO THE MENUS"),
            std::string::npos);
        EXPECT_EQ(endings, endedBefore + 1) << "the session hands control back to the menus";
        EXPECT_NE(session.getState(), CXGameSession::Playing);
        ASSERT_NE(session.getGameScene(), nullptr);
        EXPECT_NE(session.getGameScene()->getStageState(), OXScnBaseSTGGame::Cleared);
        session.tearDown();
    }
}
