#pragma once

// The codes of every input edge a game hears, records in its replay and plays back: the 32 of
// the keyboard and joystick table (0..31, the codes the control bindings choose from), then the
// actions of the HUD's pointer buttons and the overlays' buttons chosen with the pointer, which
// no key makes. A pointer press becomes one of these edges and takes the same way in as a key
// press.
namespace input {
constexpr int kKeyboardCodes = 32;
// Down uses a bomb.
constexpr int kBomb = 32;
// Down holds the main weapon firing while the beam gauge charges (it stops by itself at full);
// up lets go.
constexpr int kCounterHold = 33;
// Down lets go of the hold and releases the counter-attack.
constexpr int kCounterRelease = 34;
// Down chooses button (code - kChoice) of the overlay in front (pause, continue, the end-game
// question, the summary), as a click on it does.
constexpr int kChoice = 35;
constexpr int kChoices = 5;
constexpr int kCodes = kChoice + kChoices;
}  // namespace input
