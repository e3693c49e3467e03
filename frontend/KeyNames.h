#pragma once

// The names the menus print for the 32 game key codes (the keyboard's key table, in its
// order): "Z", "ESC", "LEFT" and so on. A code outside the table reads "?".
namespace KeyNames {
constexpr int kCodeCount = 32;

const char* name(int code);
}  // namespace KeyNames
