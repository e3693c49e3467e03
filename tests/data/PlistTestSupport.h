#pragma once
// Helpers shared by the data-layer tests: building and describing property-list trees, making
// binary files by hand, temporary folders and ZIP packages.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "tests/support/TestFiles.h"

namespace plisttest {

// A readable, typed rendering of a tree ("{a=i:1,b=[s:x]}") for comparing trees in assertions.
std::string describe(const Plist::Value& value);

std::string writeBinaryToString(const Plist::Value& root);
std::string writeXmlToString(const Plist::Value& root);
Plist::Value parseAny(const std::string& bytes);

// The message of the std::runtime_error that parsing the bytes throws; "(no error)" when it
// parses.
std::string parseError(const std::string& bytes);

// Builds a binary property list from hand-written objects: object k is objects[k], placed one
// after another after the header. The trailer fields can be overridden for hostile files.
struct BinaryFile {
    std::vector<std::string> objects;
    int offsetWidth = 1;
    int referenceWidth = 1;
    uint64_t topObject = 0;
    std::string build() const;
};

// The bytes of a string literal that may contain NULs: bytes("\x10\x00", 2).
inline std::string bytes(const char* data, size_t size) {
    return std::string(data, size);
}

// Temporary folders and ZIP packages, shared with the other tests.
using testfiles::makeZipPackage;
using testfiles::TempDir;

}  // namespace plisttest
