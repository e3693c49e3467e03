#pragma once
// The asset package: one archive mounted read-only through PhysicsFS, from which every asset is
// read by its package-relative path ("assets/plist/...", "assets/texture/...").

#include <cstdint>
#include <string>
#include <vector>

// The package the game mounts, relative to the working directory.
extern const char* const kAssetPackagePath;

// The package's file name.
extern const char* const kAssetPackageName;

// The running program's full path ("/proc/self/exe"), empty when it can't be read.
std::string runningProgramPath();

// The package beside the running program ("FOLDER/data.oap"), for the tools, which may be
// started from any folder.
std::string packageBesideProgram();

// Where the game looks for its package, in order, for the program at `programPath`: beside the
// program, then in the installed layout's data folder, set by the build relative to the program's
// folder ("FOLDER/../share/vortalis2/data.oap", or "FOLDER/../share/games/vortalis2/data.oap" in
// the Debian package, written without the ".."), so an installed game finds its package whatever
// the prefix.
std::vector<std::string> assetPackagePlaces(const std::string& programPath);

// Mounts the first of `places` that mounts and returns it; prints "asset package mount
// successful." then. When none mounts, prints "ASSET PACKAGE MOUNT FAILED!" and a line for each
// place tried, and returns an empty text.
std::string mountFirstAssetPackage(const std::vector<std::string>& places);

// The first of assetPackagePlaces() for the running program that exists, else the first of them:
// what the tools mount.
std::string findProgramPackage();

// Initialises PhysicsFS (once) and appends the package to its search path. Prints
// "asset package mount successful." or "ASSET PACKAGE MOUNT FAILED!"; the program goes on either
// way, and every later read of a missing package simply fails.
bool mountAssetPackage(const std::string& packagePath = kAssetPackagePath);

// Mounts each of the packages or folders a content tool was given, without the mount's console
// line (a tool's output is its findings alone); each one that cannot be opened is named on stderr
// as "TOOL: PATH: can't be opened as a package or folder". True when every one was mounted.
bool mountToolPackages(const char* toolName, const std::vector<std::string>& paths);

// True from a successful mount until the shut-down.
bool isAssetPackageMounted();

// Shuts PhysicsFS down. Streams still open afterwards report failure instead of touching the
// closed library.
void unmountAssetPackage();

// Reads a whole package file into `contents` (replacing them). Returns false, leaving `contents`
// empty, when the file is not in the package or can't be read.
bool readAssetFile(const std::string& path, std::vector<char>& contents);

// True when the path names a file or folder in the package.
bool assetExists(const std::string& path);

// True when the path names a file, not a folder, in the package.
bool assetIsFile(const std::string& path);

// True when the package's folder holds a file whose name ends with `suffix` (".plist").
bool assetFolderHolds(const std::string& folder, const std::string& suffix);

// The hash of what the game plays by: every property list under "assets/plist/" of the mounted
// package, names and bytes, in name order, as 16 hexadecimal digits. Computed once per mount.
// Replays name it, so that one played on other content is refused rather than played out of
// step. Empty without a mounted package.
const std::string& packageContentHash();

// The text of PhysicsFS's most recent error, which it then forgets.
std::string lastAssetError();

// Counts the shut-downs of PhysicsFS, so that a stream can tell whether its file handle is still
// valid.
uint64_t assetFileSystemGeneration();
