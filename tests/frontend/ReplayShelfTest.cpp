// The replay theatre: its list's rules on a real folder of replays (good, damaged and of
// another version; kept and automatic), the name typed from the window's text events, and the
// screen driven as a player drives it, with a stand-in for the application.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MenuTestHost.h"
#include "data/AssetPackage.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/NameDraft.h"
#include "frontend/OXScnVLReplays.h"
#include "frontend/ReplayShelf.h"
#include "stg/game/Replay.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using replaylibrary::Entry;

// A short replay of this game and content, as the session would leave it.
bool writeReplay(const std::string& path, int64_t score, const std::string& content = packageContentHash()) {
    Replay replay;
    replay.seed = 7;
    replay.frames = 60;
    replay.score = score;
    replay.content = content;
    replay.date = 1781056800;  // 2026-06-10 02:00 UTC
    std::string problem;
    fs::create_directories(fs::path(path).parent_path());
    return replay.save(path, problem);
}

// Every line a row or its particulars show fits the screen's width.
void expectLinesFit(const Entry& row) {
    std::vector<std::string> lines = ReplayShelf::detailLines(row);
    lines.push_back(ReplayShelf::nameLine(row));
    lines.push_back(ReplayShelf::dateLine(row));
    for (const std::string& line : lines) {
        NameDraft glyphs;  // counts the glyphs a player sees
        glyphs.reset(line);
        EXPECT_LE(line.size(), 2u * ReplayShelf::kLineGlyphs) << line;
        EXPECT_LE(glyphs.glyphCount(), ReplayShelf::kLineGlyphs) << line;
    }
    NameDraft name;
    name.reset(ReplayShelf::nameLine(row));
    EXPECT_LE(name.glyphCount(), ReplayShelf::kRowGlyphs);
}

class ReplayShelfTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(gametest::packageMounted()); }
    std::string folder() const { return dir.file("replays"); }
    std::string path(const std::string& name) const { return folder() + "/" + name; }
    // Keeps a copy of last.ovr under `name`; its path.
    std::string keepLast(const std::string& name) const {
        std::string kept, problem;
        EXPECT_TRUE(replaylibrary::keepReplay(folder(), path("last.ovr"), name, kept, problem)) << problem;
        return kept;
    }

    testfiles::TempDir dir;
    ReplayShelf shelf;
};

TEST_F(ReplayShelfTest, RowsShowGoodDamagedAndForeignReplaysEachForWhatItIs) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 4200));
    keepLast("MORNING RUN");
    ASSERT_TRUE(writeReplay(path("best-arcade-normal.ovr"), 9000, "0123456789abcdef"));
    dir.write("replays/kept-20260101-000000.ovr", "bplist00 this is not a replay");
    dir.write("replays/notes.txt", "not a replay file at all");
    shelf.load(folder());

    ASSERT_EQ(shelf.count(), 4);
    int damaged = 0, foreign = 0, playable = 0;
    for (int index = 0; index < shelf.count(); ++index) {
        const Entry& row = shelf.entry(index);
        expectLinesFit(row);
        const std::string status = ReplayShelf::statusText(row);
        damaged += status == "DAMAGED";
        foreign += status == "OTHER VERSION";
        playable += row.playable;
        // What the row says under its name: its status when it can't be played.
        EXPECT_EQ(ReplayShelf::dateLine(row), row.playable ? "2026-06-10 02:00 UTC" : status);
    }
    EXPECT_EQ(damaged, 1);
    EXPECT_EQ(foreign, 1);
    EXPECT_EQ(playable, 2);
    // The kept replay comes first, chosen, and is the player's to rename and delete.
    EXPECT_EQ(ReplayShelf::nameLine(shelf.entry(0)), "MORNING RUN");
    EXPECT_EQ(shelf.chosenIndex(), 0);
    EXPECT_TRUE(shelf.canWatch() && shelf.canRename() && shelf.canDelete());
    // An empty or missing folder is an empty shelf, with nothing chosen.
    shelf.load(dir.file("nowhere"));
    EXPECT_EQ(shelf.count(), 0);
    EXPECT_EQ(shelf.chosen(), nullptr);
    EXPECT_FALSE(shelf.canWatch() || shelf.askDelete());
}

TEST_F(ReplayShelfTest, ChoosingAndPagingStayOnRowsThatExist) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 100));
    for (int copy = 0; copy < 11; ++copy) {
        keepLast("RUN " + std::to_string(copy));
    }
    shelf.load(folder());  // 11 kept and last.ovr: pages of 5, 5 and 2
    ASSERT_EQ(shelf.count(), 12);
    EXPECT_EQ(shelf.pageCount(), 3);
    shelf.move(-1);
    EXPECT_EQ(shelf.chosenIndex(), 0);  // the top stops the way up
    for (int step = 0; step < 5; ++step) {
        shelf.move(1);
    }
    EXPECT_EQ(shelf.page(), 1);  // the page follows the row
    shelf.choose(8);             // the fourth row of the second page
    ASSERT_TRUE(shelf.turnPage(1));
    EXPECT_EQ(shelf.chosenIndex(), 11);  // the last page has two rows: its last
    EXPECT_EQ(shelf.rowOnPage(1), 11);
    EXPECT_EQ(shelf.rowOnPage(2), -1);
    ASSERT_TRUE(shelf.turnPage(1));  // round to the first
    EXPECT_EQ(shelf.page(), 0);
    ASSERT_TRUE(shelf.turnPage(-1));  // and back round to the last
    EXPECT_EQ(shelf.page(), 2);
    shelf.choose(99);
    EXPECT_EQ(shelf.chosenIndex(), 11);
    // Reading the folder again keeps the same file chosen, wherever it moved to.
    shelf.choose(3);
    const std::string chosenFile = shelf.chosen()->path;
    keepLast("NEWEST");
    shelf.reload();
    EXPECT_EQ(shelf.chosen()->path, chosenFile);
}

TEST_F(ReplayShelfTest, DeletingAsksAgainAndTheGamesOwnReplaysStay) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 100));
    ASSERT_TRUE(writeReplay(path("best-arcade-easy.ovr"), 200));
    const std::string kept = keepLast("KEEP ME");
    shelf.load(folder());
    ASSERT_TRUE(shelf.chooseFile(kept));

    // Asked, then not confirmed: nothing goes.
    ASSERT_TRUE(shelf.askDelete());
    shelf.cancelDelete();
    std::string problem;
    EXPECT_FALSE(shelf.confirmDelete(problem));
    EXPECT_TRUE(fs::exists(kept));
    // Asked and confirmed: only that file goes.
    ASSERT_TRUE(shelf.askDelete());
    ASSERT_TRUE(shelf.confirmDelete(problem)) << problem;
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_EQ(shelf.count(), 2);

    // The automatic ones can be watched and kept, never renamed or deleted.
    for (int index = 0; index < shelf.count(); ++index) {
        shelf.choose(index);
        EXPECT_TRUE(shelf.canWatch());
        EXPECT_TRUE(shelf.canKeep());
        EXPECT_FALSE(shelf.canRename());
        EXPECT_FALSE(shelf.askDelete());
        EXPECT_FALSE(shelf.renameChosen("MINE NOW", problem));
    }
    EXPECT_TRUE(fs::exists(path("last.ovr")) && fs::exists(path("best-arcade-easy.ovr")));
    // Keeping one makes the player's own copy, chosen, and leaves the original in place.
    ASSERT_TRUE(shelf.chooseFile(path("last.ovr")));
    ASSERT_TRUE(shelf.keep(path("last.ovr"), "MINE NOW", problem)) << problem;
    EXPECT_TRUE(shelf.canRename());
    EXPECT_EQ(shelf.chosen()->name, "MINE NOW");
    EXPECT_TRUE(fs::exists(path("last.ovr")));
}

TEST_F(ReplayShelfTest, FilesChangedBehindTheListFailPlainlyAndLoseNothing) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 100));
    const std::string first = keepLast("FIRST");
    const std::string second = keepLast("SECOND");
    shelf.load(folder());
    ASSERT_TRUE(shelf.chooseFile(first));
    ASSERT_TRUE(shelf.askDelete());
    fs::remove(first);  // gone before the answer
    std::string problem;
    EXPECT_FALSE(shelf.confirmDelete(problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_TRUE(fs::exists(second));
    EXPECT_EQ(shelf.count(), 2);  // read again: last.ovr and SECOND
    // Renaming a file deleted since the list was read says so; keeping a missing source too.
    ASSERT_TRUE(shelf.chooseFile(second));
    fs::remove(second);
    problem.clear();
    EXPECT_FALSE(shelf.renameChosen("AGAIN", problem));
    EXPECT_FALSE(problem.empty());
    problem.clear();
    EXPECT_FALSE(shelf.keep(path("gone.ovr"), "GHOST", problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(shelf.count(), 1);
}

// ---- The typed name ----

TEST(ReplayNameDraft, TakesOnlyDrawableGlyphsUpToTheLimit) {
    NameDraft draft;
    for (uint32_t code : {0u, 7u, 9u, 10u, 13u, 27u, 31u, 123u, 127u, 128u, 159u, 256u, 0x20ACu, 0xD800u,
                          0x10FFFFu, 0x110000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(draft.type(code)) << code;
    }
    EXPECT_TRUE(draft.empty());
    for (int typed = 0; typed < 100; ++typed) {
        draft.type('A' + static_cast<uint32_t>(typed % 26));
    }
    EXPECT_EQ(draft.glyphCount(), NameDraft::kMaxGlyphs);
    EXPECT_EQ(draft.text(), "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST(ReplayNameDraft, BackspaceTakesAWholeGlyph) {
    NameDraft draft;
    draft.type('Z');
    draft.type(0xE9);  // é, two bytes in UTF-8
    EXPECT_EQ(draft.text(), "Z\xC3\xA9");
    EXPECT_TRUE(draft.type(NameDraft::kBackspace));
    EXPECT_EQ(draft.text(), "Z");
    draft.type(NameDraft::kBackspace);
    EXPECT_FALSE(draft.type(NameDraft::kBackspace));  // nothing left to take
    EXPECT_TRUE(draft.empty());
    // A name offered from any bytes keeps only its drawable glyphs, whole.
    draft.reset(std::string("A\x01\xC3\xA9\xFF\xC3\xE2\x82\xAC\xC1\x81\xE0\x81\x81 B\xC3", 17));
    EXPECT_EQ(draft.text(), "A\xC3\xA9 B");
}

// ---- The screen ----

class ReplayScreenTest : public ReplayShelfTest {
  protected:
    void SetUp() override {
        ReplayShelfTest::SetUp();
        host.userProfile.setPath(dir.file("profile/save.osf"));
    }
    OXScnVLReplays& open() {
        screen.init();
        screen.setViewWidth(768);
        screen.setViewHeight(1024);
        screen.setHighlightSprite("assets/plist/spr_select_highlight");
        screen.setVisible(true);
        screen.setActive(true);
        screen.enterStarted();
        screen.enterFinished();
        return screen;
    }
    void press(int key) {
        screen.keyEvent(key, true);
        screen.keyEvent(key, false);
    }
    void type(const std::string& text) {
        for (const char glyph : text) {
            screen.textEntered(static_cast<unsigned char>(glyph));
        }
    }

    MenuTestHost host;
    OXScnVLReplays screen{host};
};

constexpr int kZ = 2, kC = 1, kD = 10, kRight = 29;

TEST_F(ReplayScreenTest, AcceptWatchesTheChosenRowAndComesBackHere) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 100));
    keepLast("ONE");
    dir.write("replays/kept-20200101-000000.ovr", "damaged");
    open();
    // The mouse chooses the kept replay's row, the keys watch it.
    for (int index = 0; index < screen.getShelf().count(); ++index) {
        if (screen.getShelf().entry(index).name == "ONE") {
            screen.buttonPressed(OXScnVLReplays::FirstRow + index);
        }
    }
    ASSERT_NE(screen.getShelf().chosen(), nullptr);
    const std::string chosen = screen.getShelf().chosen()->path;
    EXPECT_EQ(screen.getShelf().chosen()->name, "ONE");
    press(kZ);
    EXPECT_EQ(host.watched, chosen);
    EXPECT_EQ(host.watchReturn, kReplayScene);
    // The damaged row is refused with a line, and nothing is asked of the application.
    host.watched.clear();
    for (int index = 0; index < screen.getShelf().count(); ++index) {
        if (!screen.getShelf().entry(index).playable) {
            screen.buttonPressed(OXScnVLReplays::FirstRow + index);
        }
    }
    ASSERT_FALSE(screen.getShelf().canWatch());
    screen.buttonPressed(OXScnVLReplays::Watch);
    EXPECT_EQ(host.watched, "");
    EXPECT_NE(screen.getMessage(), "");
    press(kC);
    EXPECT_EQ(host.scene, kMainScene);
}

TEST_F(ReplayScreenTest, KeepReplayNamesTheLastGameWithTheKeysAsLetters) {
    ASSERT_TRUE(writeReplay(path("last.ovr"), 777));
    host.lastResult.replayPath = path("last.ovr");
    host.askToKeepLastReplay();
    open();
    ASSERT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::KeepLast);
    EXPECT_FALSE(screen.typedName().empty());  // a name is offered
    for (int glyph = 0; glyph < 30; ++glyph) {
        screen.textEntered(NameDraft::kBackspace);
    }
    // The letters of the back, accept and delete keys type, as their key presses do nothing.
    type("Cz D");
    press(kC);
    press(kD);
    screen.keyEvent(kZ, true);  // still held when return keeps the name
    EXPECT_EQ(host.scene, -1);
    EXPECT_EQ(host.watched, "");
    type("\x01!");
    EXPECT_EQ(screen.typedName(), "Cz D!");
    screen.textEntered(13);
    EXPECT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::None);
    ASSERT_NE(screen.getShelf().chosen(), nullptr);
    EXPECT_EQ(screen.getShelf().chosen()->name, "Cz D!");
    EXPECT_TRUE(screen.getShelf().chosen()->kept);
    EXPECT_TRUE(fs::exists(path("last.ovr")));
    // The release of a key pressed while the name was typed does nothing to the list.
    screen.keyEvent(kZ, false);
    EXPECT_EQ(host.watched, "");
    // Deleting the new row asks first: D opens the question, back answers no.
    press(kD);
    EXPECT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::Delete);
    press(kC);
    EXPECT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::None);
    EXPECT_EQ(screen.getShelf().count(), 2);
    EXPECT_EQ(host.scene, -1);
}

TEST_F(ReplayScreenTest, AKeepThatCannotBeWrittenSaysWhyAndChangesNothing) {
    // The last game's replay lies elsewhere; where the replays go stands a file, so nothing
    // can be written there, as on a full disk.
    const std::string source = dir.file("elsewhere/last.ovr");
    ASSERT_TRUE(writeReplay(source, 555));
    dir.write("replays", "a file where the folder should be");
    host.lastResult.replayPath = source;
    host.askToKeepLastReplay();
    open();
    ASSERT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::KeepLast);
    type("LOST?");
    screen.textEntered(13);
    // The prompt stays with the reason under it, to try again or leave.
    EXPECT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::KeepLast);
    EXPECT_NE(screen.getMessage(), "");
    EXPECT_TRUE(fs::is_regular_file(dir.file("replays")));
    EXPECT_TRUE(fs::exists(source));
    // The arrows, which type nothing, reach CANCEL; return then leaves.
    press(kRight);
    screen.textEntered(13);
    EXPECT_EQ(screen.getPrompt(), OXScnVLReplays::Prompt::None);
    EXPECT_EQ(screen.getShelf().count(), 0);
}

}  // namespace
