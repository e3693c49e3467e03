// The replay folder as the theatre shows it: the list's order and what it says of each file, the
// kept copies that nothing else writes over, a full disk that changes nothing, renaming and
// deleting, and names made clean from any bytes.
#include "stg/game/ReplayLibrary.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace replaylibrary;

// A playable replay of this package: `frames` long, saved at `date`.
Replay replayOf(int64_t date, int64_t score, int32_t frames = 600) {
    Replay replay;
    replay.content = packageContentHash();
    replay.date = date;
    replay.score = score;
    replay.frames = frames;
    replay.checks = {{frames, 1}};
    return replay;
}

void save(const Replay& replay, const std::string& path) {
    std::string problem;
    ASSERT_TRUE(replay.save(path, problem)) << problem;
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> filesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& file : fs::directory_iterator(folder)) {
        std::ifstream in(file.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[file.path().filename().string()] = bytes.str();
    }
    return files;
}

std::vector<std::string> namesListed(const std::string& folder) {
    std::vector<std::string> names;
    for (const Entry& entry : listReplays(folder)) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(ReplayLibraryTest, KeptReplaysComeFirstNewestFirstThenTheAutomaticOnes) {
    const testfiles::TempDir folder;
    Replay hard = replayOf(1000, 1234567);
    hard.difficulty = 2;
    hard.missiles = 2;
    hard.reached = 3;
    hard.hits.resize(2);
    save(hard, folder.file("last.ovr"));
    save(replayOf(900, 5), folder.file("best-arcade-normal-2.ovr"));
    save(replayOf(100, 7), folder.file("kept-20261201-100000.ovr"));
    save(replayOf(500, 8), folder.file("kept-20261205-100000.ovr"));
    Replay foreign = replayOf(2000, 9);
    foreign.content = "0000000000000000";
    save(foreign, folder.file("kept-20261206-100000.ovr"));
    folder.write("kept-20261207-100000.ovr", "bplist00 cut short");
    folder.write("notes.txt", "not a replay");

    const std::vector<Entry> entries = listReplays(folder.path());
    std::vector<std::string> files;
    for (const Entry& entry : entries) {
        files.push_back(entry.fileName);
    }
    EXPECT_EQ(files, (std::vector<std::string>{"kept-20261206-100000.ovr", "kept-20261205-100000.ovr",
                                               "kept-20261201-100000.ovr", "kept-20261207-100000.ovr",
                                               "last.ovr", "best-arcade-normal-2.ovr"}));
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].problem, "OTHER VERSION");
    EXPECT_EQ(entries[0].score, 9) << "a replay of other content still shows what it was";
    EXPECT_EQ(entries[3].problem, "DAMAGED");
    EXPECT_FALSE(entries[0].playable || entries[3].playable);
    const Entry& last = entries[4];
    EXPECT_TRUE(last.playable && !last.kept);
    EXPECT_EQ(last.difficulty, Difficulty::Hard);
    EXPECT_EQ(last.fighter, "TRACK");
    EXPECT_EQ(last.reached, 3);
    EXPECT_EQ(last.score, 1234567);
    EXPECT_EQ(last.hits, 2);
    EXPECT_TRUE(listReplays(folder.file("no-such-folder")).empty());
}

TEST(ReplayLibraryTest, KeepingNeverWritesOverAKeptReplay) {
    const testfiles::TempDir folder;
    save(replayOf(1000, 111), folder.file("last.ovr"));
    std::string first, second, problem;
    ASSERT_TRUE(keepReplay(folder.path(), folder.file("last.ovr"), "  \x01", first, problem)) << problem;
    ASSERT_TRUE(keepReplay(folder.path(), folder.file("last.ovr"), "AGAIN", second, problem)) << problem;
    EXPECT_NE(first, second) << "the same second takes a suffix";
    // The next game's automatic save leaves both copies as they were.
    save(replayOf(2000, 222), folder.file("last.ovr"));
    const std::vector<Entry> entries = listReplays(folder.path());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "AGAIN");
    EXPECT_EQ(entries[1].name, "ARCADE NORMAL 111") << "a name of nothing printable takes the generated one";
    EXPECT_TRUE(entries[0].score == 111 && entries[1].score == 111 && entries[2].score == 222);
}

TEST(ReplayLibraryTest, AFullDiskOrAFolderThatCantBeMadeChangesNothing) {
    const testfiles::TempDir folder;
    save(replayOf(1000, 111), folder.file("last.ovr"));
    std::string kept, problem;
    ASSERT_TRUE(keepReplay(folder.path(), folder.file("last.ovr"), "MINE", kept, problem)) << problem;
    const auto before = filesOf(folder.path());

    // No file may grow past a few bytes: the disk is as good as full.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{16, limit.rlim_max};
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    std::fflush(stdout);  // the console's own file may be a file too
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    std::string keptAgain;
    const bool keptOnFullDisk =
        keepReplay(folder.path(), folder.file("last.ovr"), "MORE", keptAgain, problem);
    std::string renameProblem;
    const bool renamedOnFullDisk = renameReplay(kept, "RENAMED", renameProblem);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_FALSE(keptOnFullDisk);
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(renamedOnFullDisk);
    EXPECT_FALSE(renameProblem.empty());
    EXPECT_EQ(filesOf(folder.path()), before) << "every file as it was, no temporary left";

    folder.write("a-file", "where a folder should be");
    EXPECT_FALSE(keepReplay(folder.file("a-file"), folder.file("last.ovr"), "X", keptAgain, problem));
    EXPECT_FALSE(problem.empty());
}

TEST(ReplayLibraryTest, RenamingAndDeletingTouchOnlyTheFileNamed) {
    const testfiles::TempDir folder;
    Replay replay = replayOf(1000, 111, 900);
    replay.keys = {{5, 2, true}};
    save(replay, folder.file("last.ovr"));
    std::string kept, problem;
    ASSERT_TRUE(keepReplay(folder.path(), folder.file("last.ovr"), "FIRST", kept, problem)) << problem;

    ASSERT_TRUE(renameReplay(kept, "\x1b[31m NEW\tNAME \xff", problem)) << problem;
    Replay renamed;
    ASSERT_TRUE(Replay::load(kept, renamed, problem)) << problem;
    EXPECT_EQ(renamed.name, "[31m NEWNAME");
    EXPECT_EQ(renamed.frames, 900);
    EXPECT_EQ(renamed.keys.size(), 1u) << "the game itself is untouched";

    folder.write("kept-damaged.ovr", "junk");
    EXPECT_FALSE(renameReplay(folder.file("kept-damaged.ovr"), "X", problem));
    EXPECT_EQ(filesOf(folder.path()).at("kept-damaged.ovr"), "junk");

    folder.write("notes.txt", "mine");
    EXPECT_FALSE(deleteReplay(folder.file("notes.txt"), problem)) << "only replays are deleted";
    ASSERT_TRUE(deleteReplay(kept, problem)) << problem;
    EXPECT_FALSE(deleteReplay(kept, problem)) << "a replay deleted already is not deleted again";
    EXPECT_EQ(namesListed(folder.path()), (std::vector<std::string>{"kept-damaged", "LAST GAME"}));
}

// Decodes UTF-8; false when it is not valid or holds a code the font can't draw.
bool drawableUtf8(const std::string& text, int& glyphs) {
    glyphs = 0;
    for (size_t at = 0; at < text.size(); ++glyphs) {
        const auto byte = static_cast<unsigned char>(text[at]);
        uint32_t code = byte;
        if (byte >= 0xC2 && byte <= 0xC3 && at + 1 < text.size()) {
            code = ((byte & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
            at += 2;
        } else if (byte < 0x80) {
            ++at;
        } else {
            return false;
        }
        if (!((code >= 32 && code <= 122) || (code >= 160 && code <= 255))) {
            return false;
        }
    }
    return true;
}

TEST(ReplayLibraryTest, NamesFromAnyBytesAreCleanDrawableAndShort) {
    const struct {
        std::string raw, clean;
    } cases[] = {
        {"  ACE run  ", "ACE run"},
        {"\xff\xfe"
         "AB\xc0\xaf"
         "C",
         "ABC"},  // stray bytes, an overlong slash
        {"A\tB\nC\x7f"
         "D\x1b",
         "ABCD"},  // control codes
        {"Z\xed\xa0\x80"
         "Z\xf0\x9f\x9a\x80!",
         "ZZ!"},                                // a surrogate, a glyph past 255
        {"caf\xc3\xa9 {x}~", "caf\xc3\xa9 x"},  // Latin-1 kept, 123..126 not
        {"\xc2\xa0 NBSP \xc2\xa0", "NBSP"},     // blanks of either kind trimmed
        {"CUT\xe2\x82", "CUT"},                 // a sequence cut off
        {std::string(1000, 'A'), std::string(kMaxNameGlyphs, 'A')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cleanName(c.raw), c.clean) << c.raw;
    }
    // 1000 random bytes, many times: always valid, drawable, within the length.
    std::mt19937 random(34);
    for (int round = 0; round < 200; ++round) {
        std::string raw(1000, '\0');
        for (char& byte : raw) {
            byte = static_cast<char>(random() & 0xFF);
        }
        const std::string clean = cleanName(raw);
        int glyphs = 0;
        ASSERT_TRUE(drawableUtf8(clean, glyphs)) << "round " << round;
        ASSERT_LE(glyphs, kMaxNameGlyphs);
        ASSERT_EQ(cleanName(clean), clean) << "cleaning a clean name changes nothing";
    }
    // Names made for the player fit too, whatever the score.
    Replay huge = replayOf(0, INT64_MAX);
    huge.mode = storedNumber(GameMode::FreePlay);
    huge.difficulty = 3;
    int glyphs = 0;
    EXPECT_TRUE(drawableUtf8(generatedName(huge), glyphs));
    EXPECT_LE(glyphs, kMaxNameGlyphs);
}

}  // namespace
