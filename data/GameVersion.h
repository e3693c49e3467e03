#pragma once
// The game's version and licence, for every layer: one number, set by project() in the top
// CMakeLists.txt, shown on the title screen, logged at start, printed by --version and kept in
// every replay and profile so that a bug report can name what wrote them.

#include <cstdio>
#include <string>

// The version number, "1.0.0".
const char* gameVersion();

// "VORTALIS 2 1.0.0": the first line the game logs.
std::string gameVersionLine();

// The licence, in one line: who holds the copyright and under which licence the game, its art
// and its music are shared.
extern const char* const kLicenceLine;

// What --version prints on `out`: the version line ("VORTALIS 2 1.0.0", or
// "vortalis2-sim (VORTALIS 2) 1.0.0" for a tool named by `tool`), the content hash of the
// package the program plays from with its path ("content 0123456789abcdef (PATH)"), then the
// licence line. The package is mounted for the hash and unmounted again. When none can be read,
// the content line says so and the result is false, so a script that needs the hash can tell.
bool printVersionReport(std::FILE* out, const char* tool = nullptr);
