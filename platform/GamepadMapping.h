#pragma once

#include <string>

// The player's own controller mappings: a text file of mapping lines in the controller
// layer's format ("GUID,name,a:b0,b:b1,...,platform:Linux,"), one a line, read at start after
// the built-in database so that a line for a pad replaces the built-in mapping of that pad.

// $XDG_CONFIG_HOME/vortalis2/gamecontrollerdb.txt, or ~/.config/vortalis2/ without it; empty
// when neither variable is set.
std::string userControllerDatabasePath();

// Why `line` is not a mapping the game can use ("the GUID is not 32 hex digits", ...), or null
// when it is one. Blank lines and comments are for the caller to skip.
const char* mappingLineFault(const std::string& line);

// What reading a mapping file came to.
struct MappingFileResult {
    int added = 0;    // mappings the controller layer took (new or replacing one)
    int skipped = 0;  // bad lines, each reported on the console with its number
    bool found = false;
};

// Reads the file at `path` line by line and hands every good line for this platform to the
// controller layer (which must be started). A missing file is normal and says nothing.
MappingFileResult addControllerMappings(const std::string& path);
