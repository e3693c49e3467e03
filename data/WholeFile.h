#pragma once
#include <string>

// Files the player keeps (the profile, replays) are written whole or not at all: the bytes go
// to a temporary file beside `path`, reach the disk, and only then take its name, so a crash,
// a kill or a full disk at any moment leaves the old file or the new one, never a part of
// either. The folder is made if it is missing and flushed after the rename, so the new name
// itself survives a power cut.
namespace WholeFile {

// Temporary files are named `path` + this + six random characters; one left by a write that
// was cut off can be recognised (and removed) by it.
constexpr const char* kTemporarySuffix = ".tmp-";

// False, with the system's reason in `problem`, when the file could not be written; the old
// file is then untouched and no temporary file is left.
bool write(const std::string& path, const std::string& bytes, std::string& problem);

}  // namespace WholeFile
