#pragma once
// Parses every property list in an asset package.

#include <string>

// Mounts the package (a ZIP archive, or a folder), parses every file ending in ".plist" and
// prints each failure as "orvale-plist: PACKAGE:PATH: MESSAGE" on stderr, then a summary line on
// stdout. Returns the exit code: 0 when all parse, 1 otherwise (or when the package can't be
// opened).
int checkPackage(const char* programPath, const std::string& packagePath);
