#pragma once
// Reader of binary property lists ("bplist00"); used by Plist::parseValue.

#include <cstddef>

#include "data/Plist.h"

namespace Plist {

// Reads the root object of a binary property list. Throws std::runtime_error on malformed data.
Value readBinaryPlist(const char* data, size_t size);

}  // namespace Plist
