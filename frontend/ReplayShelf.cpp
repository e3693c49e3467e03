#include "frontend/ReplayShelf.h"

#include <cstdio>
#include <ctime>

namespace {
// Glyphs in a UTF-8 text: its bytes that are not continuation bytes.
int glyphsIn(const std::string& text) {
    int glyphs = 0;
    for (const char byte : text) {
        glyphs += (static_cast<unsigned char>(byte) & 0xC0u) != 0x80u ? 1 : 0;
    }
    return glyphs;
}

// The byte where glyph `glyph` of `text` begins (the size when it has fewer).
size_t byteOfGlyph(const std::string& text, int glyph) {
    int seen = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0u) != 0x80u) {
            if (seen == glyph) {
                return at;
            }
            ++seen;
        }
    }
    return text.size();
}

}  // namespace

void ReplayShelf::load(const std::string& replayFolder) {
    const std::string keptPath = chosen() ? chosen()->path : std::string();
    const int keptPlace = choice;
    folder = replayFolder;
    entries = replaylibrary::listReplays(folder);
    if (keptPath.empty() || !chooseFile(keptPath)) {
        choose(keptPlace < 0 ? 0 : keptPlace);
    }
    // A file deleted since it was asked about is not asked about any more.
    if (!deletePath.empty()) {
        bool stillListed = false;
        for (const replaylibrary::Entry& row : entries) {
            stillListed = stillListed || row.path == deletePath;
        }
        if (!stillListed) {
            deletePath.clear();
        }
    }
}

const replaylibrary::Entry* ReplayShelf::chosen() const {
    return choice >= 0 && choice < count() ? &entries[static_cast<size_t>(choice)] : nullptr;
}

void ReplayShelf::choose(int index) {
    if (entries.empty()) {
        choice = -1;
        return;
    }
    choice = index < 0 ? 0 : index >= count() ? count() - 1 : index;
}

bool ReplayShelf::chooseFile(const std::string& path) {
    for (int index = 0; index < count(); ++index) {
        if (entries[static_cast<size_t>(index)].path == path) {
            choice = index;
            return true;
        }
    }
    return false;
}

void ReplayShelf::move(int step) {
    if (choice >= 0) {
        choose(choice + step);
    }
}

int ReplayShelf::pageCount() const {
    return entries.empty() ? 1 : (count() + kRowsPerPage - 1) / kRowsPerPage;
}

bool ReplayShelf::turnPage(int step) {
    const int pages = pageCount();
    if (pages < 2 || choice < 0) {
        return false;
    }
    const int slot = choice % kRowsPerPage;
    const int next = (page() + (step < 0 ? pages - 1 : 1)) % pages;
    choose(next * kRowsPerPage + slot);
    return true;
}

int ReplayShelf::rowOnPage(int slot) const {
    const int index = page() * kRowsPerPage + slot;
    return slot >= 0 && slot < kRowsPerPage && index < count() ? index : -1;
}

bool ReplayShelf::canWatch() const {
    return chosen() && chosen()->playable;
}

bool ReplayShelf::canRename() const {
    return chosen() && chosen()->kept;
}

bool ReplayShelf::canKeep() const {
    return chosen() && !chosen()->kept && chosen()->playable;
}

bool ReplayShelf::askDelete() {
    deletePath = canDelete() ? chosen()->path : std::string();
    return !deletePath.empty();
}

bool ReplayShelf::confirmDelete(std::string& problem) {
    if (deletePath.empty()) {
        problem = "NOTHING TO DELETE";
        return false;
    }
    const std::string path = deletePath;
    deletePath.clear();
    const bool deleted = replaylibrary::deleteReplay(path, problem);
    reload();
    return deleted;
}

bool ReplayShelf::renameChosen(const std::string& name, std::string& problem) {
    if (!canRename()) {
        problem = "ONLY A KEPT REPLAY TAKES A NEW NAME";
        return false;
    }
    const std::string path = chosen()->path;
    const bool renamed = replaylibrary::renameReplay(path, name, problem);
    reload();
    return renamed;
}

bool ReplayShelf::keep(const std::string& sourcePath, const std::string& name, std::string& problem) {
    std::string keptPath;
    if (!replaylibrary::keepReplay(folder, sourcePath, name, keptPath, problem)) {
        reload();
        return false;
    }
    reload();
    chooseFile(keptPath);
    return true;
}

const char* ReplayShelf::statusText(const replaylibrary::Entry& row) {
    if (row.playable) {
        return "";
    }
    // The library words a replay of other rules or content as another version; anything
    // else that stops a file playing is damage.
    return row.problem.find("VERSION") != std::string::npos ? "OTHER VERSION" : "DAMAGED";
}

const char* ReplayShelf::modeText(GameMode mode) {
    switch (mode) {
        case GameMode::FreePlay:
            return "FREE PLAY";
        case GameMode::BossRush:
            return "BOSS RUSH";
        case GameMode::StagePractice:
            return "STAGE PRACTICE";
        case GameMode::AttackPractice:
            return "ATTACK PRACTICE";
        default:
            return "ARCADE";
    }
}

std::string ReplayShelf::dateText(int64_t secondsSince1970) {
    if (secondsSince1970 <= 0) {
        return "DATE UNKNOWN";
    }
    const std::time_t seconds = static_cast<std::time_t>(secondsSince1970);
    std::tm parts{};
    if (!gmtime_r(&seconds, &parts) || parts.tm_year + 1900 > 9999) {
        return "DATE UNKNOWN";
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &parts);
    return text;
}

std::string ReplayShelf::fitted(const std::string& text, int glyphs) {
    if (glyphsIn(text) <= glyphs) {
        return text;
    }
    return text.substr(0, byteOfGlyph(text, glyphs < 2 ? 0 : glyphs - 2)) +
           std::string("..").substr(0, glyphs);
}

std::vector<std::string> ReplayShelf::flow(const std::vector<std::string>& words, int glyphs) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& word : words) {
        if (word.empty()) {
            continue;
        }
        if (!line.empty() && glyphsIn(line) + 1 + glyphsIn(word) <= glyphs) {
            line += " " + word;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        line = fitted(word, glyphs);
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::string ReplayShelf::nameLine(const replaylibrary::Entry& row) {
    const std::string name = row.name.empty() ? row.fileName : row.name;
    return fitted(name, kRowGlyphs);
}

std::string ReplayShelf::dateLine(const replaylibrary::Entry& row) {
    if (!row.playable) {
        return statusText(row);
    }
    return dateText(row.date) + (row.date > 0 ? " UTC" : "");
}

std::vector<std::string> ReplayShelf::detailLines(const replaylibrary::Entry& row) {
    if (!row.playable) {
        if (std::string(statusText(row)) == "OTHER VERSION") {
            return {"RECORDED ON ANOTHER", "VERSION OF THE GAME:", "IT CAN'T BE WATCHED"};
        }
        return {"THE FILE IS DAMAGED:", "IT CAN'T BE WATCHED"};
    }
    const std::string stage = row.reached >= 6 ? "TRUE FIFTH" : "STAGE " + std::to_string(row.reached);
    // Each phrase is kept whole on a line, so "STAGE 3" never breaks after STAGE.
    return flow({modeText(row.mode), difficultyName(row.difficulty), row.casual ? "CASUAL" : "", row.fighter,
                 stage, "SCORE " + std::to_string(row.score)},
                kLineGlyphs);
}
