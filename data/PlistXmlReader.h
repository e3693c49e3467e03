#pragma once
// Reader of XML property lists; used by Plist::parseValue.

#include <cstddef>

#include "data/Plist.h"

namespace Plist {

// Reads the value inside the plist element. Throws std::runtime_error on malformed data.
Value readXmlPlist(const char* data, size_t size);

}  // namespace Plist
