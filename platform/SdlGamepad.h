#pragma once

#include <cstdint>
#include <string>

#include "platform/Input.h"
#include "stg/game/Rumble.h"

struct _SDL_GameController;
struct _SDL_Joystick;

// The family a pad belongs to, which decides what its buttons are called on screen.
enum class PadKind { Xbox, PlayStation, Nintendo, Other };

// A pad plugged in or unplugged while the game runs.
struct PadChange {
    bool connected = false;
    PadKind kind = PadKind::Other;
    char name[64] = {};
};

// Game controllers through SDL's controller layer (only that subsystem is started: SFML keeps
// the window and the keyboard). Whatever its make, a pad's buttons arrive as the joystick
// button numbers the game already reads: the south button (A on an Xbox pad) is 2 (fire and
// accept), the east one (B) 1 (trance and back), the west one (X) 3 (beam), Start 25 (pause);
// the north one, the shoulders, triggers, Back and the stick clicks other buttons of the table.
// The d-pad is axes 6 and 7, the left stick axes 0 and 1 past the dead zone. Pad 0 also plays
// the game's rumble.
class SdlGamepad : public IXJoystick, public IXRumble {
  public:
    static constexpr int kSlots = 8;
    // A device reporting more raw buttons than this is not used, with a console line: the
    // controller layer numbers buttons in a byte, so the states of the buttons past it land
    // on the first ones.
    static constexpr int kMostRawButtons = 255;
    // Rumble lengths are held to this (a pulse is a fraction of a second; a bad request must
    // not shake the pad for minutes).
    static constexpr int kLongestRumbleMs = 5000;

    SdlGamepad() = default;
    ~SdlGamepad() override;
    SdlGamepad(const SdlGamepad&) = delete;
    SdlGamepad& operator=(const SdlGamepad&) = delete;

    // Starts the controller layer, adds the lines of `userDatabase` over its built-in
    // database (a missing file is normal) and opens every pad connected. False, with a
    // console line, when the layer cannot start: the game is played with the keyboard.
    bool start(const std::string& userDatabase);
    // Closes every pad and the layer.
    void stop();
    bool isStarted() const { return started; }

    // The profile's stick settings: the dead zone (0 to 1 of the stick's travel) and whether
    // the left stick moves at all.
    void setStick(float deadZone, bool moves);

    // Plugs and unplugs (each kept for takeChange) and the virtual pad's commands.
    void update() override;
    bool isConnected(int joystick) override;
    // The buttons of the pad the game can read.
    int getButtonCount(int joystick) override;
    bool isButtonPressed(int joystick, int button) override;
    float getAxisPosition(int joystick, int axis) override;
    // Plays the pulse on pad 0, if there is one; the controller layer stops it after its length.
    void rumble(const RumblePulse& pulse) override;

    // The oldest plug or unplug not yet taken; false when there is none.
    bool takeChange(PadChange& change);
    PadKind kind(int joystick) const;

    // What the button of a pad of `kind` that gives game key code `code` is called ("A",
    // "LB", "START"; the shapes in UTF-8 on a PlayStation-like pad), or null when no pad
    // button gives that code.
    static const char* buttonName(PadKind kind, int code);
    static const char* kindName(PadKind kind);

    // The test setting VORTALIS2_VIRTUAL_PAD: a virtual pad of `kind` attached to the layer
    // (it comes as any pad does, through update), driven by commands read from a file or FIFO.
    bool attachVirtualPad(PadKind kind);
    void detachVirtualPad();
    // Opens the file or FIFO at `path`; each update then runs the lines written to it since.
    bool readCommandsFrom(const std::string& path);
    // One command: "press BUTTON", "release BUTTON" (a, b, x, y, back, start, guide, lb, rb,
    // lt, rt, ls, rs, up, down, left, right), "axis leftx|lefty|rightx|righty VALUE" (-1 to
    // 1), "unplug", "plug [xbox|playstation|nintendo|other]". False, with a console line, for
    // anything else.
    bool runCommand(const char* line);

  private:
    void openPad(int deviceIndex);
    void closePad(int32_t instance);
    // A joystick the controller database does not know: said once, on the console.
    void reportUnknown(int deviceIndex);
    void keepChange(bool connected, const char* name, PadKind padKind);
    void readCommands();

    _SDL_GameController* pads[kSlots] = {};
    PadKind kinds[kSlots] = {};
    int count = 0;
    bool started = false;
    std::string userDatabasePath;
    float deadZone = 0.25f;
    bool stickMoves = true;
    static constexpr int kMostChanges = 8;
    PadChange changes[kMostChanges];
    int changeCount = 0;
    int32_t reportedUnknown[kSlots] = {};  // instance ids of unknown joysticks already told
    int unknownCount = 0;
    // The virtual pad of the test setting, and its command stream.
    _SDL_Joystick* virtualStick = nullptr;
    int commandFile = -1;
    char commandLine[256] = {};
    int commandLength = 0;
};
