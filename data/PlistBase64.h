#pragma once
// Standard Base64 (A-Z, a-z, 0-9, "+", "/") as XML property lists store data.

#include <string>
#include <vector>

namespace Plist {

// Characters outside the alphabet (line breaks, tabs, blanks) are skipped; decoding ends at the
// first "=".
std::vector<char> base64Decode(const std::string& text);
// Encodes with "=" padding and without line breaks.
std::string base64Encode(const std::vector<char>& bytes);

}  // namespace Plist
