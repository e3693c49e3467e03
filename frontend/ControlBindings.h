#pragma once

#include "data/CXUserProfile.h"

// What the control-settings screen edits: a draft of the four actions' keys (the profile's
// "ctrl 0" to "ctrl 3"), the movement mode and the game controller's settings (its stick's dead
// zone, whether the stick moves the ship, rumble, rumble in replays), taken from the profile
// on entry and written back
// only by SAVE, so leaving undoes every change. No two actions share a key in the draft, and at
// most one action listens for its new key, from the moment the player chooses its row until a
// key comes, the wait is cancelled or it runs out. Bindings hold game key codes, 0 to 31: a
// controller's button arrives as the code of the key it stands for and binds like that key.
class ControlBindings {
  public:
    enum Action { Fire = 0, Beam, Trance, Pause, kActionCount };
    // Game key codes run from 0 to 31 (the keyboard's key table).
    static constexpr int kKeyCodes = 32;
    // The dead zone moves in steps of 5 %, within the profile's bounds.
    static constexpr int kDeadZoneStepPercent = 5;
    // Fire Z, beam X, trance C, pause P: what a new profile holds.
    static constexpr const int (&kDefaultCodes)[kActionCount] = CXUserProfile::kDefaultControls;
    // How long a chosen action waits for its key before it gives up, ms.
    static constexpr float kListenMs = 6000.0f;

    // What a key does to the action that listens.
    enum class Heard {
        Bound,      // the action took the key (an action that held it took the old one)
        Unchanged,  // the key the action already had
        Cancelled,  // a key the screen keeps for itself (Escape, the arrows): nothing changes
    };

    // "Fire/accept", "beam", "trance/back", "pause".
    static const char* actionLabel(int action);
    // A profile may hold bindings outside the key table, or two actions on one key (an edited
    // or damaged file). Each such binding gets the first default key, or else the first key of
    // the table, that no other action holds, with a console line. Returns how many were mended.
    static int repair(CXUserProfile& profile);

    // Takes the profile's bindings and movement mode; nothing listens.
    void enter(const CXUserProfile& profile);
    // The draft into the profile (SAVE); the caller saves it.
    void writeTo(CXUserProfile& profile) const;
    // The draft holds something the profile does not.
    bool differsFrom(const CXUserProfile& profile) const;

    int code(int action) const;
    bool isScreenRelative() const { return screenRelative; }
    void toggleMovement() { screenRelative = !screenRelative; }

    // The controller's settings in the draft. The dead zone is a fraction of the stick's
    // travel; stepping moves it to the next multiple of the step up (+1) or down (-1), held
    // within the profile's bounds, and says whether it moved.
    float deadZone() const { return padDeadZone; }
    int deadZonePercent() const;
    bool stepDeadZone(int direction);
    bool stickMoves() const { return padStickMoves; }
    bool rumbles() const { return rumble; }
    bool rumblesInReplays() const { return rumbleInReplays; }
    void toggleStickMoves() { padStickMoves = !padStickMoves; }
    void toggleRumble() { rumble = !rumble; }
    void toggleRumbleInReplays() { rumbleInReplays = !rumbleInReplays; }

    // Gives `code` to `action` in the draft. An action that held `code` takes over the key
    // `action` had, so two actions never share a key. A code outside the key table, a key the
    // screen keeps (Escape, the arrows), an unknown action or the key the action already has
    // changes nothing; returns whether anything changed.
    bool bind(int action, int code);
    // The four default keys, normal movement and a new profile's controller settings, in the
    // draft.
    void resetToDefault();

    // `action` waits for its new key (another that waited stops); an unknown action stops
    // any wait.
    void listen(int action);
    void stopListening() { listening = -1; }
    // The action waiting for its key, or -1.
    int listeningAction() const { return listening; }
    // The key pressed while an action listens; the wait ends in every case. Nothing listening:
    // Unchanged.
    Heard hear(int code);
    // Time passing; true on the tick where a wait ran out (the action keeps its key).
    bool tick(float dtMs);
    // What is left of the wait, from 1 down to 0 (0 when nothing listens).
    float listenLeft() const { return listening < 0 ? 0.0f : listenLeftMs / kListenMs; }

  private:
    int codes[kActionCount] = {kDefaultCodes[Fire], kDefaultCodes[Beam], kDefaultCodes[Trance],
                               kDefaultCodes[Pause]};  // the draft's keys, by action
    bool screenRelative = false;
    float padDeadZone = 0.25f;
    bool padStickMoves = true;
    bool rumble = true;
    bool rumbleInReplays = false;
    int listening = -1;         // the action waiting for its key
    float listenLeftMs = 0.0f;  // ms until it gives up
};
