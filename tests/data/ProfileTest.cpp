// The user profile on disk: what a stored list loads as, that a save keeps every value, that no
// broken file crashes the game or costs the player a good profile, and experience and ranks.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "PlistTestSupport.h"
#include "data/CXUserProfile.h"
#include "data/GameVersion.h"
#include "data/PlistRead.h"

namespace {

namespace fs = std::filesystem;
using plisttest::TempDir;

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class ProfileFileTest : public ::testing::Test {
  protected:
    ProfileFileTest() { profile.setPath(path); }

    // The console lines of a load of the profile file.
    std::string load() {
        testing::internal::CaptureStdout();
        profile.load();
        return testing::internal::GetCapturedStdout();
    }
    std::string save(bool expected = true) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(profile.save(), expected);
        return testing::internal::GetCapturedStdout();
    }
    // Stores a list as the profile file and loads it.
    std::string loadList(Plist::Dictionary list) {
        writeWholeFile(path, plisttest::writeBinaryToString(list));
        return load();
    }

    TempDir folder;
    const std::string path = folder.file("vortalis2/profile/save.osf");
    CXUserProfile profile;
};

const char kFresh[] = "No user profile found. Creating new profile.\n";

// ---- What a stored list loads as ----

struct StockCase {
    Plist::Dictionary stored;
    int weapon, missiles, options, bombs, lives, continues;
};

TEST_F(ProfileFileTest, StockIsClampedInOrderEachLimitLeavingRoomForTheOnesBefore) {
    const StockCase cases[] = {
        {{{"weapon", 4}, {"missiles", 3}, {"options", 2}}, 4, 1, 0, 0, 0, 0},
        {{{"weapon", 1}, {"missiles", 2}, {"options", 9}}, 1, 2, 2, 0, 0, 0},
        {{{"continues", 12}, {"lives", -1}, {"bombs", 6}}, 0, 0, 0, 5, 0, 9},
    };
    for (const StockCase& c : cases) {
        Plist::Dictionary stored = c.stored;
        stored["pc version"] = true;
        EXPECT_EQ(loadList(stored), "User profile loaded.\n");
        EXPECT_EQ(profile.weapon, c.weapon);
        EXPECT_EQ(profile.missiles, c.missiles);
        EXPECT_EQ(profile.options, c.options);
        EXPECT_EQ(profile.bombs, c.bombs);
        EXPECT_EQ(profile.lives, c.lives);
        EXPECT_EQ(profile.continues, c.continues);
    }
}

// Values of the wrong type read as zero, numbers out of range are brought back into it, scores
// take every integer width, and a profile written before the visibility options loads them off.
TEST_F(ProfileFileTest, HostileValuesLoadAsUsableOnes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Keys an older profile lacks read as nothing reached or cleared.
    profile.bulletContrast = profile.hitboxMarker = profile.hiddenStageReached = true;
    profile.trueRouteCleared[2] = true;
    loadList({{"pc version", true},
              {"arcade reach hard", 9},  // past the hidden stage
              {"classic reach easy", -3},
              {"lives", 3.0},        // a real is not an integer
              {"show tutorial", 1},  // an integer is not a flag
              {"weapon", std::string("5")},
              {"high score", int64_t{9876543210}},
              {"arcade score med", -5},  // 32-bit, sign-extended
              {"score C 9 3", std::numeric_limits<int64_t>::max()},
              {"music volume", nan},
              {"sfx volume", inf},
              {"screen scale", -inf},
              {"background dimming", 2.0f},
              {"times played", -4},
              {"level", 42},
              {"ctrl 1", 99},
              {"aspect ratio", 7},  // the display choices are held to the nearest they have
              {"screen orientation", -2},
              {"background mode", 5}});
    EXPECT_EQ(profile.lives, 0);
    EXPECT_FALSE(profile.showTutorial);
    EXPECT_EQ(profile.weapon, 0);
    EXPECT_EQ(profile.highScore, 9876543210);
    EXPECT_EQ(profile.arcadeBest(Difficulty::Normal, false), -5);
    EXPECT_EQ(profile.scoreTables[2][9][3], std::numeric_limits<int64_t>::max());
    EXPECT_EQ(profile.musicVolume, 0.5f);
    EXPECT_EQ(profile.sfxVolume, 0.5f);
    EXPECT_EQ(profile.screenScale, 1.0f);
    EXPECT_EQ(profile.backgroundDimming, CXUserProfile::kMostDimming);
    EXPECT_EQ(profile.timesPlayed, 0);
    EXPECT_EQ(profile.level, 9);
    EXPECT_EQ(profile.bindingCode(1), 0);
    EXPECT_EQ(profile.aspectRatio, Aspect16x9);
    EXPECT_EQ(profile.screenOrientation, ScreenUpright);
    EXPECT_EQ(profile.backgroundMode, BackgroundMirrored);
    EXPECT_FALSE(profile.bulletContrast);
    EXPECT_FALSE(profile.hitboxMarker);
    EXPECT_EQ(profile.arcadeReach[2], CXUserProfile::kReachedHiddenStage);
    EXPECT_EQ(profile.classicReach[0], 0);
    EXPECT_FALSE(profile.hiddenStageReached);
    EXPECT_FALSE(profile.trueRouteCleared[2]);
}

// A damaged attack record is mended where its boss and phase still name an attack, else
// skipped, with one line each; the other records and the rest of the profile load as stored.
TEST_F(ProfileFileTest, DamagedAttackRecordsAreMendedOrSkippedAndTheProfileLoads) {
    const auto attack = [](Plist::Value boss, Plist::Value phase, Plist::Value tries, Plist::Value captures) {
        return Plist::Dictionary{
            {"boss", boss},   {"phase", phase},       {"name", std::string("BAD\x1b[2J")},    {"stage", 99},
            {"tries", tries}, {"captures", captures}, {"best ms", Plist::Array{0, 100, 0, 0}}};
    };
    const Plist::Array four = {4, 4, 4, 4};
    const Plist::Array stored = {
        attack(std::string("boss_gantry"), 1, Plist::Array{3, std::string("7"), -4},
               Plist::Array{9, 0, 0, 0}),
        std::string("not a record"),
        attack(std::string("../../etc/passwd"), 1, four, four),
        attack(std::string("boss_gantry"), -1, four, four),
        attack(std::string("boss_gantry"), 1, four, four),  // the same attack again
    };
    const std::string console = loadList({{"pc version", true}, {"lives", 4}, {"attacks", stored}});
    EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 6) << console;
    EXPECT_EQ(console.find('\x1b'), std::string::npos);
    EXPECT_EQ(profile.lives, 4);
    ASSERT_EQ(profile.attacks.size(), 1u);
    // Counts that are not counts read as 0, short lists are filled with 0, no more captures
    // than tries and no best time without a capture; the stage is held to the game's.
    const CXUserProfile::AttackRecord& mended = profile.attacks[0];
    EXPECT_EQ(std::vector<int>(mended.tries, mended.tries + 4), (std::vector<int>{3, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>(mended.captures, mended.captures + 4), (std::vector<int>{3, 0, 0, 0}));
    EXPECT_EQ(mended.bestMs[1], 0);
    EXPECT_EQ(mended.name, "BAD?[2J");
    EXPECT_EQ(mended.stage, 5);

    EXPECT_EQ(loadList({{"pc version", true}, {"lives", 4}, {"attacks", 7}}),
              "PROFILE ATTACK RECORDS SKIPPED: \"attacks\" IS NOT A LIST\nUser profile loaded.\n");
    EXPECT_TRUE(profile.attacks.empty());
    EXPECT_EQ(profile.lives, 4);
}

TEST_F(ProfileFileTest, AListWithoutATruePcVersionIsNoProfileAndIsNotMovedAside) {
    for (const Plist::Dictionary& stored :
         {Plist::Dictionary{{"lives", 5}}, Plist::Dictionary{{"pc version", false}, {"lives", 5}}}) {
        EXPECT_EQ(loadList(stored), kFresh);
        EXPECT_EQ(profile.lives, 2);
        EXPECT_FALSE(fs::exists(path + ".corrupt"));
    }
}

// ---- Saving ----

// Sets every field away from its reset value, each differently.
void fillEveryField(CXUserProfile& p) {
    p.tokens = 7;
    p.weapon = 2;
    p.missiles = 1;
    p.options = 1;
    p.bombs = 4;
    p.lives = 5;
    p.continues = 8;
    p.highScore = 9876543210;
    for (int t = 0; t < 3; ++t) {
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 4; ++c) {
                p.scoreTables[t][r][c] = 10000000000LL * t + 100 * r + c + 1;
            }
        }
    }
    for (int d = 0; d < 4; ++d) {
        p.bossScore[d] = 11 + d;
        p.arcadeScore[d] = 5000000000LL + d;
        p.classicScore[d] = 31 + d;
        p.gamesBeaten[0][d] = 40 + d;
        p.gamesBeaten[1][d] = 50 + d;
        p.arcadeReach[d] = 1 + d;
        p.classicReach[d] = 2 + d;
        p.bossReach[d] = 6 - d;
        p.trueRouteCleared[d] = d >= 2;
        for (int s = 0; s < 10; ++s) {
            p.stagesBeaten[0][d][s] = (d + s) % 2;
            p.stagesBeaten[1][d][s] = (d + s + 1) % 2;
        }
    }
    p.hiddenStageReached = true;
    p.timesPlayed = 61;
    p.timesPlayedCasual = 62;
    p.graphicSetting = 1;
    p.musicVolume = 0.25f;
    p.sfxVolume = 0.75f;
    p.touchSensitivity = 0.3f;
    p.screenScale = 0.6f;
    p.bufferScale = 0.9f;
    p.autoTrance = false;
    p.backgroundDimming = 0.4f;
    p.bulletContrast = true;
    p.hitboxMarker = true;
    p.leftControl = false;
    p.showTutorial = false;
    p.useShootUpgrades = false;
    p.level = 6;
    p.expToLevel = 1234;
    p.upgradePoints = 500;
    p.aspectRatio = Aspect16x9;
    p.prizeAlpha = 0.4f;
    for (int i = 0; i < CXUserProfile::kBindingCount; ++i) {
        p.controls[i] = 20 + i;
    }
    p.backgroundMode = BackgroundNone;
    p.screenOrientation = ScreenTurned180;
    p.controlScreenMode = true;
    p.tranceWarning = false;
    p.attacks = {{"boss_vigil", 1, "CURLING CURTAINS", 0, {4, 7, 0, 1}, {1, 2, 0, 0}, {41000, 38500, 0, 0}},
                 {"boss_vortalis", 7, "INTO THE VORTEX", 5, {0, 0, 3, 9}, {0, 0, 0, 2}, {0, 0, 0, 61234}}};
}

// Every stored field, as the bytes a save of it writes, for comparing two profiles whole.
std::string stored(CXUserProfile p) {
    TempDir copy;
    p.setPath(copy.file("copy.osf"));
    testing::internal::CaptureStdout();
    p.save();
    testing::internal::GetCapturedStdout();
    return readWholeFile(copy.file("copy.osf"));
}

TEST_F(ProfileFileTest, ASavedProfileLoadsBackWithEveryValue) {
    fillEveryField(profile);
    const std::string expected = stored(profile);
    ASSERT_NE(expected, stored(CXUserProfile()));
    // The folders are made on the first save.
    EXPECT_EQ(save(), "User profile saved.\n");
    EXPECT_EQ(readWholeFile(path).substr(0, 8), "bplist00");

    CXUserProfile loaded;
    loaded.setPath(path);
    testing::internal::CaptureStdout();
    loaded.load();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "User profile loaded.\n");
    EXPECT_EQ(stored(loaded), expected);

    // A fresh profile's values come back too ("show tutorial" on, "trance warning" on).
    profile.reset();
    save();
    load();
    EXPECT_EQ(stored(profile), stored(CXUserProfile()));
}

// A bug report can tell which game last saved a profile; profiles saved before the version was
// kept, or with a damaged one, load whole.
TEST_F(ProfileFileTest, AProfileNamesTheVersionOfTheGameThatLastSavedIt) {
    EXPECT_EQ(loadList({{"pc version", true}, {"lives", 4}}), "User profile loaded.\n");
    EXPECT_EQ(profile.lives, 4);
    EXPECT_EQ(profile.savedByVersion, "") << "an older profile names no version";

    save();
    EXPECT_EQ(profile.savedByVersion, gameVersion());
    const std::string bytes = readWholeFile(path);
    Plist::Dictionary written;
    Plist::parse(bytes.data(), static_cast<int64_t>(bytes.size()), written);
    const std::string* version = Plist::findString(written, "game version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(*version, gameVersion());

    EXPECT_EQ(loadList({{"pc version", true}, {"lives", 3}, {"game version", std::string("0.9.1")}}),
              "User profile loaded.\n");
    EXPECT_EQ(profile.savedByVersion, "0.9.1");
    for (const Plist::Value& damaged : {Plist::Value(int64_t{7}), Plist::Value(std::string(100, 'x'))}) {
        EXPECT_EQ(loadList({{"pc version", true}, {"lives", 5}, {"game version", damaged}}),
                  "User profile loaded.\n");
        EXPECT_EQ(profile.lives, 5);
        EXPECT_EQ(profile.savedByVersion, "");
    }
}

// ---- Broken files: never a crash, never a lost good profile ----

// Loads `bytes` as the profile: it must come out fresh, moved aside whole, and the next save
// must not touch what was moved aside.
void expectSetAside(CXUserProfile& profile, const std::string& path, const std::string& bytes,
                    const std::string& what) {
    SCOPED_TRACE(what);
    std::error_code ignored;
    fs::remove(path + ".corrupt", ignored);
    writeWholeFile(path, bytes);
    testing::internal::CaptureStdout();
    profile.load();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console.rfind("PROFILE UNREADABLE: " + path + ": ", 0), 0u) << console;
    EXPECT_NE(console.find("kept as " + path + ".corrupt.\n"), std::string::npos) << console;
    EXPECT_NE(console.find(kFresh), std::string::npos);
    EXPECT_EQ(profile.lives, 2);
    EXPECT_EQ(readWholeFile(path + ".corrupt"), bytes);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ProfileFileTest, AnUnreadableProfileIsMovedAsideAndTheGameStartsFresh) {
    std::mt19937 random(17);
    std::string noise(3000, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    const std::string cases[][2] = {
        {"", "empty"},
        {noise, "random bytes"},
        {"bplist00" + noise, "random bytes after the binary header"},
        {"<?xml version=\"1.0\"?><plist><dict><key>pc version</key><true/>", "cut-off XML"},
        {plisttest::writeBinaryToString(Plist::Array{true}), "an array, not a dictionary"},
        {std::string(5 * 1024 * 1024, ' '), "far too large"},
    };
    for (const auto& c : cases) {
        expectSetAside(profile, path, c[0], c[1]);
    }
    save();
    EXPECT_EQ(readWholeFile(path + ".corrupt"), cases[5][0]);
}

TEST_F(ProfileFileTest, AProfileCutOffAtAnyByteIsSetAsideWhole) {
    fillEveryField(profile);
    save();
    const std::string whole = readWholeFile(path);
    for (size_t length = 0; length < whole.size(); ++length) {
        expectSetAside(profile, path, whole.substr(0, length), "cut at " + std::to_string(length));
        if (HasFailure()) {
            break;
        }
    }
}

TEST_F(ProfileFileTest, AnEarlierSetAsideFileIsNeverReplaced) {
    writeWholeFile(path, "first");
    load();
    writeWholeFile(path, "second");
    EXPECT_NE(load().find("kept as " + path + ".corrupt.1.\n"), std::string::npos);
    EXPECT_EQ(readWholeFile(path + ".corrupt"), "first");
    EXPECT_EQ(readWholeFile(path + ".corrupt.1"), "second");
}

TEST_F(ProfileFileTest, AFolderWhereTheProfileShouldBeIsMovedAside) {
    fs::create_directories(path + "/inside");
    EXPECT_NE(load().find("PROFILE UNREADABLE: " + path + ": not a file\n"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(path + ".corrupt/inside"));
    EXPECT_EQ(save(), "User profile saved.\n");
}

TEST_F(ProfileFileTest, AProfileFolderThatIsAFileFailsTheSaveAndIsLeftAlone) {
    const std::string notAFolder = folder.file("vortalis2/profile");
    writeWholeFile(notAFolder, "someone's file");
    EXPECT_EQ(load(), "Can't open file: " + path + "\n" + kFresh);
    const std::string console = save(false);
    EXPECT_EQ(console.rfind("PROFILE SAVE FAILED: " + path + ": ", 0), 0u) << console;
    EXPECT_EQ(readWholeFile(notAFolder), "someone's file");
}

TEST_F(ProfileFileTest, ASaveThatCannotWriteLeavesThePreviousFileAsItWas) {
    profile.lives = 4;
    save();
    const std::string previous = readWholeFile(path);
    const std::string profileFolder = fs::path(path).parent_path();
    const std::string console = folder.file("console.txt");
    chmod(profileFolder.c_str(), 0555);
    // The superuser writes anywhere: the save runs as an ordinary user in a child process.
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen(console.c_str(), "w", stdout)) {
            _exit(4);
        }
        if (geteuid() == 0) {
            chmod(folder.path().c_str(), 0755);
            chmod(fs::path(profileFolder).parent_path().c_str(), 0755);
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                _exit(3);
            }
        }
        profile.lives = 1;
        const bool saved = profile.save();
        std::fflush(stdout);
        _exit(saved ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(profileFolder.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readWholeFile(console), "PROFILE SAVE FAILED: " + path + ": Permission denied\n");
    EXPECT_EQ(readWholeFile(path), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(profileFolder), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileTest, AHugeListLoadsAndKeepsOnlyTheKeysOfTheProfile) {
    Plist::Dictionary stored{{"pc version", true}, {"score A 0 0", int64_t{77}}};
    for (int i = 0; i < 20000; ++i) {
        stored["score A " + std::to_string(i) + " 99"] = int64_t{i};
    }
    EXPECT_EQ(loadList(stored), "User profile loaded.\n");
    EXPECT_EQ(profile.scoreTables[0][0][0], 77);
    save();
    const std::string bytes = readWholeFile(path);
    Plist::Dictionary written;
    Plist::parse(bytes.data(), static_cast<int64_t>(bytes.size()), written);
    EXPECT_EQ(written.size(), 285u);  // with "attacks", empty, and "game version"
}

TEST_F(ProfileFileTest, TemporaryFilesLeftByACutOffSaveAreRemoved) {
    save();
    writeWholeFile(path + ".tmp-a1b2c3", "half a save");
    writeWholeFile(path + ".notes", "the player's own file");
    EXPECT_EQ(load(), "User profile loaded.\n");
    EXPECT_FALSE(fs::exists(path + ".tmp-a1b2c3"));
    EXPECT_TRUE(fs::exists(path + ".notes"));
}

// ---- Killed while saving ----

// Every field that is written in a different place of the list carries the save's number.
void stamp(CXUserProfile& p, int n) {
    p.timesPlayed = n;
    p.highScore = n * 1000003LL;
    p.scoreTables[2][9][3] = n;
    p.bossScore[0] = n;
    p.stagesBeaten[1][3][9] = n;
    p.controls[7] = n;
    p.upgradePoints = n;
    p.tranceWarning = n % 2 == 1;
}

TEST_F(ProfileFileTest, AProcessKilledWhileSavingLeavesTheOldOrTheNewProfile) {
    stamp(profile, 0);
    save();
    std::mt19937 random(2026);
    int last = 0;
    int advanced = 0;
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        if (child == 0) {
            if (!std::freopen("/dev/null", "w", stdout)) {
                _exit(1);
            }
            for (int n = last + 1;; ++n) {
                stamp(profile, n);
                profile.save();
            }
        }
        // A save takes a few milliseconds, most of them flushing to the disk: the kill lands
        // before, during or between saves.
        usleep(random() % 40000);
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        ASSERT_EQ(load(), "User profile loaded.\n") << "after kill " << kill;
        const int n = profile.timesPlayed;
        ASSERT_GE(n, last);
        CXUserProfile expected;
        stamp(expected, n);
        ASSERT_EQ(profile.highScore, expected.highScore);
        ASSERT_EQ(profile.scoreTables[2][9][3], n);
        ASSERT_EQ(profile.bossScore[0], n);
        ASSERT_EQ(profile.stagesBeaten[1][3][9], n);
        ASSERT_EQ(profile.controls[7], n);
        ASSERT_EQ(profile.upgradePoints, n);
        ASSERT_EQ(profile.tranceWarning, expected.tranceWarning);
        advanced += n > last ? 1 : 0;
        last = n;
    }
    // Only the profile is left: the load after each kill cleared the cut-off saves.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator()),
              1);
    EXPECT_GT(advanced, 0);
    std::printf("%d kills, %d saves completed, %d kills found a newer profile\n", kKills, last, advanced);
}

// ---- Experience and rank ----

struct ExperienceCase {
    int level, expToLevel, earned;
    int levelAfter, expAfter, pointsAfter;
};

TEST(ProfileExperience, ExperienceRaisesTheRankAndGrantsUpgradePoints) {
    const ExperienceCase cases[] = {
        {1, 250, 450, 2, 0, 100},    // exactly enough
        {0, 0, 5000, 4, 1300, 400},  // several ranks at once, the rest carried
        {9, 10, 5000, 9, 10, 0},     // the last rank gains nothing more
    };
    for (const ExperienceCase& c : cases) {
        CXUserProfile profile;
        profile.level = c.level;
        profile.expToLevel = c.expToLevel;
        profile.addPendingExperience(c.earned);
        profile.applyExperience();
        EXPECT_EQ(profile.level, c.levelAfter) << c.level << " + " << c.earned;
        EXPECT_EQ(profile.expToLevel, c.expAfter) << c.level << " + " << c.earned;
        EXPECT_EQ(profile.upgradePoints, c.pointsAfter) << c.level << " + " << c.earned;
    }
}

TEST(ProfileExperience, CountersOutsideTheTablesAreIgnored) {
    CXUserProfile profile;
    profile.setStageBeaten(1, Difficulty::Hard, 10, false);  // no such stage
    EXPECT_EQ(profile.stagesBeaten[0][2][9], 0);
    EXPECT_EQ(stored(profile), stored(CXUserProfile()));
}

// ---- Another reader and writer of the format: Python's plistlib (binary and XML) ----

int runPython(const std::string& arguments) {
    const std::string command = std::string(ORVALE_PYTHON) + " " + ORVALE_PROFILE_INTEROP + " " + arguments;
    return std::system(command.c_str());
}

TEST_F(ProfileFileTest, PythonsPlistlibReadsTheProfileAndWritesOneTheGameLoads) {
    fillEveryField(profile);
    save();
    // plistlib finds every key with the type of the table and the values set above.
    EXPECT_EQ(runPython("check '" + path + "'"), 0);
    for (const char* format : {"binary", "xml"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(runPython(std::string("write '") + path + "' " + format), 0);
        EXPECT_EQ(load(), "User profile loaded.\n");
        EXPECT_EQ(profile.lives, 3);
        EXPECT_EQ(profile.highScore, 12345678901234);
        EXPECT_EQ(profile.musicVolume, 0.125f);
        EXPECT_FALSE(profile.showTutorial);
        EXPECT_EQ(profile.scoreTables[1][4][2], 4200000000);
        EXPECT_EQ(profile.stagesBeaten[1][3][9], 1);
        EXPECT_EQ(profile.controls[3], 27);
        ASSERT_EQ(profile.attacks.size(), 2u);
        EXPECT_EQ(profile.attacks[1].bestMs[3], 59000);
    }
}

}  // namespace
