#pragma once

class CXUserProfile;

// The four actions the player binds to keys (the profile's "ctrl 0" to "ctrl 3") and the
// rule that no two of them share a key. Bindings hold game key codes, 0 to 31.
namespace CXControlBindings {
enum Action { Fire = 0, Beam, Trance, Pause, kActionCount };
// Game key codes run from 0 to 31 (the keyboard's key table).
constexpr int kKeyCodes = 32;
// Fire Z, beam X, trance C, pause P: what a new profile holds.
extern const int kDefaultCodes[kActionCount];

// "Fire/accept", "beam", "trance/back", "pause".
const char* actionLabel(int action);

// Gives `code` to `action`. An action that held `code` takes over the key `action` had, so
// two actions never share a key. A code outside the key table or an unknown action changes
// nothing; returns whether anything changed.
bool bind(CXUserProfile& profile, int action, int code);
// The four default keys.
void resetToDefault(CXUserProfile& profile);
// A profile may hold bindings outside the key table, or two actions on one key (an edited
// or damaged file). Each such binding gets the first default key, or else the first key of
// the table, that no other action holds, with a console line. Returns how many were mended.
int repair(CXUserProfile& profile);
}  // namespace CXControlBindings
