#include "frontend/KeyNames.h"

namespace {
// Code 9 is the keyboard's Execute key, which few keyboards have.
constexpr const char* kNames[KeyNames::kCodeCount] = {
    "V", "C", "Z", "X", "B", "N", "M", "A", "S", "EXEC", "D", "F",   "G",    "H",     "J",  "K",
    "L", "Q", "W", "E", "R", "T", "Y", "U", "I", "O",    "P", "ESC", "LEFT", "RIGHT", "UP", "DOWN"};
}  // namespace

const char* KeyNames::name(int code) {
    return code >= 0 && code < kCodeCount ? kNames[code] : "?";
}
