#pragma once
// Prints a property-list tree as JSON.

#include <ostream>

#include "data/Plist.h"

// Dictionaries become objects (keys in the dictionary's order), arrays arrays, strings strings,
// integers integers, reals numbers with 17 significant digits (null when not finite), booleans
// true/false, dates {"date": SECONDS since 1970 UTC} and data {"data": "BASE64"}. Indented by two
// blanks per level.
void writePlistJson(std::ostream& out, const Plist::Value& value);
