#pragma once

#include <string>
#include <vector>

#include "stg/game/ReplayLibrary.h"

// The rules of the replay theatre's list, apart from its widgets: the replays of one folder
// as rows, the row chosen, the pages they fill, what each row lets the player do, and the
// file changes those choices make (keep, rename, delete), each followed by a fresh read of
// the folder so the rows always show what is on disk.
//
// The player's kept replays can be watched, renamed and deleted. The automatic ones (the last
// game, the high-score tables' bests) belong to the game, which writes over them: they can be
// watched and kept under a name, which makes a copy that is the player's.
class ReplayShelf {
  public:
    static constexpr int kRowsPerPage = 5;
    // The glyphs a line of the screen holds at the menus' smallest text (see OXScnVLMenu),
    // and a row's line, which starts inside the row's plate.
    static constexpr int kLineGlyphs = 22;
    static constexpr int kRowGlyphs = 21;

    // Reads `folder` again. The row chosen stays on the same file when it is still there,
    // else on the same place in the list.
    void load(const std::string& folder);
    void reload() { load(folder); }
    const std::string& getFolder() const { return folder; }

    int count() const { return static_cast<int>(entries.size()); }
    const replaylibrary::Entry& entry(int index) const { return entries[static_cast<size_t>(index)]; }
    // The chosen row, or null on an empty shelf.
    const replaylibrary::Entry* chosen() const;
    int chosenIndex() const { return choice; }
    // Chooses row `index` (clamped to the list); on an empty shelf nothing is chosen.
    void choose(int index);
    // Chooses the row of the file at `path`; false when no row shows it.
    bool chooseFile(const std::string& path);
    // Up (-1) or down (+1) one row, stopping at the ends; the page follows the row.
    void move(int step);

    // Pages of kRowsPerPage rows; an empty shelf has one, empty page.
    int page() const { return choice < 0 ? 0 : choice / kRowsPerPage; }
    int pageCount() const;
    // The page before (-1) or after (+1), round the ends, on the row in the same place of
    // it (or its last row). False when there is only the one page.
    bool turnPage(int step);
    // The list index of the page's row `slot`, or -1 when the page has no such row.
    int rowOnPage(int slot) const;

    // What the chosen row allows.
    bool canWatch() const;
    bool canRename() const;  // kept by the player
    bool canDelete() const { return canRename(); }
    bool canKeep() const;  // an automatic one that can be played

    // Deleting asks again: askDelete remembers the chosen row's file (false when it may not
    // be deleted); confirmDelete deletes that file and reads the folder again.
    bool askDelete();
    bool isDeleteAsked() const { return !deletePath.empty(); }
    const std::string& getDeletePath() const { return deletePath; }
    void cancelDelete() { deletePath.clear(); }
    bool confirmDelete(std::string& problem);

    // Gives the chosen kept row the name `name`; the row stays chosen.
    bool renameChosen(const std::string& name, std::string& problem);
    // Keeps a copy of the replay at `sourcePath` under `name` in the folder; the new row is
    // chosen. A failure changes nothing on disk and leaves the choice where it was.
    bool keep(const std::string& sourcePath, const std::string& name, std::string& problem);

    // The lines of a row as the screen shows them, each within kRowGlyphs glyphs: the name,
    // then its date (or "DAMAGED" / "OTHER VERSION" for a replay that can't be played).
    static std::string nameLine(const replaylibrary::Entry& row);
    static std::string dateLine(const replaylibrary::Entry& row);
    // The chosen row's particulars under the list: mode, difficulty (and casual play),
    // fighter, stage reached and score, flowed into lines of kLineGlyphs glyphs.
    static std::vector<std::string> detailLines(const replaylibrary::Entry& row);
    // "DAMAGED" or "OTHER VERSION" for a replay that can't be played; empty otherwise.
    static const char* statusText(const replaylibrary::Entry& row);
    // "ARCADE", "FREE PLAY", "BOSS RUSH", "STAGE PRACTICE", "ATTACK PRACTICE".
    static const char* modeText(GameMode mode);
    // "2026-12-10 01:45" in UTC; "DATE UNKNOWN" for 0.
    static std::string dateText(int64_t secondsSince1970);
    // `text` cut to `glyphs` glyphs (UTF-8), the last two made ".." when it was longer.
    static std::string fitted(const std::string& text, int glyphs);
    // Words joined by single spaces into lines of at most `glyphs` glyphs, a word never split
    // unless it is longer than a line on its own.
    static std::vector<std::string> flow(const std::vector<std::string>& words, int glyphs);

  private:
    std::string folder;
    std::vector<replaylibrary::Entry> entries;
    int choice = -1;
    std::string deletePath;  // the file askDelete was about; empty when nothing is asked
};
