#include "platform/SdlGamepad.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/GamepadMapping.h"

namespace {
constexpr int kTriggerButton = -1;      // read from a trigger's axis
constexpr Sint16 kTriggerDown = 16384;  // half its travel

// A pad button, the joystick button number it gives the game, and its names on each kind of
// pad (PadKind order; Other pads use the Xbox names). Pads are read by position: the south
// button is A on every pad, whatever its label says.
struct PadButton {
    int sdlButton;  // SDL_GameControllerButton, or kTriggerButton
    int sdlAxis;    // the trigger's SDL_GameControllerAxis
    int number;
    const char* names[3];
};
const PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, 0, 2, {"A", "\u2715", "B"}},
    {SDL_CONTROLLER_BUTTON_B, 0, 1, {"B", "\u25CB", "A"}},
    {SDL_CONTROLLER_BUTTON_X, 0, 3, {"X", "\u25A1", "Y"}},
    {SDL_CONTROLLER_BUTTON_Y, 0, 4, {"Y", "\u25B3", "X"}},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0, 5, {"LB", "L1", "L"}},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0, 6, {"RB", "R1", "R"}},
    {kTriggerButton, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 7, {"LT", "L2", "ZL"}},
    {kTriggerButton, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8, {"RT", "R2", "ZR"}},
    {SDL_CONTROLLER_BUTTON_BACK, 0, 9, {"BACK", "SHARE", "MINUS"}},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0, 10, {"LS", "L3", "LS"}},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0, 11, {"RS", "R3", "RS"}},
    {SDL_CONTROLLER_BUTTON_START, 0, 25, {"START", "OPTIONS", "PLUS"}},
};

// The test setting's virtual pads: a maker and model of each kind, so the controller layer
// names its kind as it would a real one.
struct VirtualModel {
    Uint16 vendor, product;
};
const VirtualModel kVirtualModels[4] = {{0x045e, 0x028e}, {0x054c, 0x09cc}, {0x057e, 0x2009}, {0, 0}};

PadKind kindOf(SDL_GameController* pad) {
    switch (SDL_GameControllerGetType(pad)) {
        case SDL_CONTROLLER_TYPE_XBOX360:
        case SDL_CONTROLLER_TYPE_XBOXONE:
            return PadKind::Xbox;
        case SDL_CONTROLLER_TYPE_PS3:
        case SDL_CONTROLLER_TYPE_PS4:
        case SDL_CONTROLLER_TYPE_PS5:
            return PadKind::PlayStation;
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
            return PadKind::Nintendo;
        default:
            return PadKind::Other;
    }
}

int32_t instanceOf(SDL_GameController* pad) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
}

// A virtual pad's rumble, told on the console so that a test of the real program can see it.
int virtualRumble(void*, Uint16 low, Uint16 high) {
    std::printf("Virtual pad rumble: low %u, high %u.\n", static_cast<unsigned>(low),
                static_cast<unsigned>(high));
    return 0;
}

int buttonFromWord(const char* word) {
    static const struct {
        const char* word;
        int button;
    } kAliases[] = {{"lb", SDL_CONTROLLER_BUTTON_LEFTSHOULDER}, {"rb", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
                    {"ls", SDL_CONTROLLER_BUTTON_LEFTSTICK},    {"rs", SDL_CONTROLLER_BUTTON_RIGHTSTICK},
                    {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},      {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
                    {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},  {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
    for (const auto& alias : kAliases) {
        if (std::strcmp(word, alias.word) == 0) {
            return alias.button;
        }
    }
    return SDL_GameControllerGetButtonFromString(word);
}
}  // namespace

SdlGamepad::~SdlGamepad() {
    stop();
}

bool SdlGamepad::start(const std::string& userDatabase) {
    if (started) {
        return true;
    }
    // SDL leaves the program's signals alone, reads pads by position (the south button is A on
    // every pad), and keeps reading them whatever window has the focus: the game decides that.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::printf("Game controllers are not available (%s); the keyboard plays.\n", SDL_GetError());
        return false;
    }
    started = true;
    userDatabasePath = userDatabase;
    // Only plugs and unplugs come as events; buttons and axes are read as states.
    for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN,
                        SDL_JOYBUTTONUP, SDL_JOYBATTERYUPDATED, SDL_CONTROLLERAXISMOTION,
                        SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP, SDL_CONTROLLERTOUCHPADDOWN,
                        SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP, SDL_CONTROLLERSENSORUPDATE}) {
        SDL_EventState(type, SDL_IGNORE);
    }
    addControllerMappings(userDatabase);
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (SDL_IsGameController(device)) {
            openPad(device);
        } else {
            reportUnknown(device);
        }
    }
    changeCount = 0;  // the pads there at start are no plug
    return true;
}

void SdlGamepad::stop() {
    if (!started) {
        return;
    }
    if (commandFile >= 0) {
        close(commandFile);
        commandFile = -1;
    }
    detachVirtualPad();
    for (int slot = 0; slot < count; ++slot) {
        SDL_GameControllerClose(pads[slot]);
        pads[slot] = nullptr;
    }
    count = 0;
    changeCount = 0;
    unknownCount = 0;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

void SdlGamepad::setStick(float zone, bool moves) {
    deadZone = std::clamp(zone, 0.0f, 0.95f);
    stickMoves = moves;
}

void SdlGamepad::openPad(int deviceIndex) {
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (int slot = 0; slot < count; ++slot) {
        if (instanceOf(pads[slot]) == instance) {
            return;  // already open
        }
    }
    if (count == kSlots) {
        std::printf("Controller \"%s\" is not used: %d controllers are connected already.\n",
                    SDL_GameControllerNameForIndex(deviceIndex), kSlots);
        return;
    }
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    const int rawButtons = pad ? SDL_JoystickNumButtons(SDL_GameControllerGetJoystick(pad)) : 0;
    if (rawButtons > kMostRawButtons) {
        std::printf(
            "Controller \"%s\" reports %d buttons, more than a controller can have, and is not used. "
            "The keyboard still plays.\n",
            SDL_GameControllerName(pad) ? SDL_GameControllerName(pad) : "unnamed", rawButtons);
        SDL_GameControllerClose(pad);
        return;
    }
    if (!pad) {
        std::printf("Controller %d could not be opened (%s); the keyboard still plays.\n", deviceIndex,
                    SDL_GetError());
        return;
    }
    const char* name = SDL_GameControllerName(pad) ? SDL_GameControllerName(pad) : "unnamed";
    pads[count] = pad;
    kinds[count] = kindOf(pad);
    std::printf("Controller \"%s\" connected (%s).\n", name, kindName(kinds[count]));
    keepChange(true, name, kinds[count]);
    ++count;
}

void SdlGamepad::closePad(int32_t instance) {
    for (int slot = 0; slot < count; ++slot) {
        if (instanceOf(pads[slot]) != instance) {
            continue;
        }
        const char* name =
            SDL_GameControllerName(pads[slot]) ? SDL_GameControllerName(pads[slot]) : "unnamed";
        std::printf("Controller \"%s\" unplugged.\n", name);
        keepChange(false, name, kinds[slot]);
        SDL_GameControllerClose(pads[slot]);
        // The pads after it move up: the next one connected becomes pad 0 and plays.
        for (int next = slot + 1; next < count; ++next) {
            pads[next - 1] = pads[next];
            kinds[next - 1] = kinds[next];
        }
        --count;
        pads[count] = nullptr;
        return;
    }
}

void SdlGamepad::reportUnknown(int deviceIndex) {
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (int i = 0; i < unknownCount; ++i) {
        if (reportedUnknown[i] == instance) {
            return;
        }
    }
    if (unknownCount < kSlots) {
        reportedUnknown[unknownCount++] = instance;
    }
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
    const char* name = SDL_JoystickNameForIndex(deviceIndex);
    std::printf(
        "Controller \"%s\" (GUID %s) has no controller mapping and is not used; a mapping line for it in "
        "%s makes it play. The keyboard still plays.\n",
        name ? name : "unnamed", guid,
        userDatabasePath.empty() ? "gamecontrollerdb.txt" : userDatabasePath.c_str());
}

void SdlGamepad::keepChange(bool connected, const char* name, PadKind padKind) {
    if (changeCount == kMostChanges) {
        // The oldest goes: what matters is the pads' last state.
        std::copy(changes + 1, changes + kMostChanges, changes);
        --changeCount;
    }
    PadChange& change = changes[changeCount++];
    change.connected = connected;
    change.kind = padKind;
    std::snprintf(change.name, sizeof change.name, "%s", name);
}

bool SdlGamepad::takeChange(PadChange& change) {
    if (changeCount == 0) {
        return false;
    }
    change = changes[0];
    std::copy(changes + 1, changes + changeCount, changes);
    --changeCount;
    return true;
}

void SdlGamepad::update() {
    if (!started) {
        return;
    }
    readCommands();
    SDL_GameControllerUpdate();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
                openPad(event.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                closePad(event.cdevice.which);
                break;
            case SDL_JOYDEVICEADDED:
                if (!SDL_IsGameController(event.jdevice.which)) {
                    reportUnknown(event.jdevice.which);
                }
                break;
            default:
                break;
        }
    }
}

bool SdlGamepad::isConnected(int joystick) {
    return joystick >= 0 && joystick < count;
}

int SdlGamepad::getButtonCount(int joystick) {
    if (!isConnected(joystick)) {
        return 0;
    }
    int buttons = 0;
    for (const PadButton& button : kPadButtons) {
        const bool has = button.sdlButton == kTriggerButton
                             ? SDL_GameControllerHasAxis(pads[joystick],
                                                         static_cast<SDL_GameControllerAxis>(button.sdlAxis))
                             : SDL_GameControllerHasButton(
                                   pads[joystick], static_cast<SDL_GameControllerButton>(button.sdlButton));
        buttons += has ? 1 : 0;
    }
    return buttons;
}

bool SdlGamepad::isButtonPressed(int joystick, int number) {
    if (!isConnected(joystick)) {
        return false;
    }
    SDL_GameController* pad = pads[joystick];
    for (const PadButton& button : kPadButtons) {
        if (button.number != number) {
            continue;
        }
        if (button.sdlButton == kTriggerButton) {
            return SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(button.sdlAxis)) >=
                   kTriggerDown;
        }
        return SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button.sdlButton)) != 0;
    }
    return false;
}

float SdlGamepad::getAxisPosition(int joystick, int axis) {
    if (!isConnected(joystick)) {
        return 0.0f;
    }
    SDL_GameController* pad = pads[joystick];
    auto held = [pad](SDL_GameControllerButton button) {
        return SDL_GameControllerGetButton(pad, button) != 0;
    };
    switch (axis) {
        case 0:
        case 1: {
            if (!stickMoves) {
                return 0.0f;
            }
            // A round dead zone, and the travel past it stretched to the whole range, so the
            // stick moves the same way in every direction.
            const float x =
                std::clamp(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX) / 32767.0f, -1.0f, 1.0f);
            const float y =
                std::clamp(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY) / 32767.0f, -1.0f, 1.0f);
            const float length = std::sqrt(x * x + y * y);
            if (length <= deadZone) {
                return 0.0f;
            }
            const float scale = (std::min(length, 1.0f) - deadZone) / (1.0f - deadZone) / length;
            return (axis == 0 ? x : y) * scale * 100.0f;
        }
        case 6:
            return held(SDL_CONTROLLER_BUTTON_DPAD_UP)     ? 100.0f
                   : held(SDL_CONTROLLER_BUTTON_DPAD_DOWN) ? -100.0f
                                                           : 0.0f;
        case 7:
            return held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)  ? 100.0f
                   : held(SDL_CONTROLLER_BUTTON_DPAD_LEFT) ? -100.0f
                                                           : 0.0f;
        default:
            return 0.0f;
    }
}

void SdlGamepad::rumble(const RumblePulse& pulse) {
    if (count == 0) {
        return;
    }
    auto strength = [](float value) {
        return static_cast<Uint16>(std::lround(std::clamp(value, 0.0f, 1.0f) * 65535.0f));
    };
    const Uint32 ms = static_cast<Uint32>(std::clamp(pulse.ms, 0, kLongestRumbleMs));
    // A pad without motors answers -1: nothing to do, and nothing to tell every pulse.
    SDL_GameControllerRumble(pads[0], strength(pulse.low), strength(pulse.high), ms);
}

PadKind SdlGamepad::kind(int joystick) const {
    return joystick >= 0 && joystick < count ? kinds[joystick] : PadKind::Other;
}

const char* SdlGamepad::buttonName(PadKind padKind, int code) {
    const int column = padKind == PadKind::PlayStation ? 1 : padKind == PadKind::Nintendo ? 2 : 0;
    for (const PadButton& button : kPadButtons) {
        if (keyCodeForJoystickButton(button.number) == code) {
            return button.names[column];
        }
    }
    return nullptr;
}

const char* SdlGamepad::kindName(PadKind padKind) {
    switch (padKind) {
        case PadKind::Xbox:
            return "Xbox-like";
        case PadKind::PlayStation:
            return "PlayStation-like";
        case PadKind::Nintendo:
            return "Nintendo-like";
        default:
            return "generic";
    }
}

bool SdlGamepad::attachVirtualPad(PadKind padKind) {
    if (!started || virtualStick) {
        return false;
    }
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.vendor_id = kVirtualModels[static_cast<int>(padKind)].vendor;
    desc.product_id = kVirtualModels[static_cast<int>(padKind)].product;
    desc.name = "VORTALIS 2 virtual pad";
    desc.Rumble = virtualRumble;
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0 || !(virtualStick = SDL_JoystickOpen(device))) {
        std::printf("The virtual pad could not be attached (%s).\n", SDL_GetError());
        return false;
    }
    return true;
}

void SdlGamepad::detachVirtualPad() {
    if (!virtualStick) {
        return;
    }
    const SDL_JoystickID instance = SDL_JoystickInstanceID(virtualStick);
    SDL_JoystickClose(virtualStick);
    virtualStick = nullptr;
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (SDL_JoystickGetDeviceInstanceID(device) == instance) {
            SDL_JoystickDetachVirtual(device);
            return;
        }
    }
}

bool SdlGamepad::readCommandsFrom(const std::string& path) {
    // Not blocking: a FIFO with no writer yet opens at once, and reads what is written later.
    commandFile = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (commandFile < 0) {
        std::printf("The virtual pad's commands cannot be read from %s.\n", path.c_str());
        return false;
    }
    return true;
}

void SdlGamepad::readCommands() {
    if (commandFile < 0) {
        return;
    }
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(commandFile, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                commandLine[commandLength] = '\0';
                if (commandLength > 0) {
                    runCommand(commandLine);
                }
                commandLength = 0;
            } else if (commandLength + 1 < static_cast<int>(sizeof commandLine)) {
                commandLine[commandLength++] = buffer[i];
            }
        }
    }
}

bool SdlGamepad::runCommand(const char* line) {
    char verb[16] = {}, word[32] = {};
    float value = 0.0f;
    const int fields = std::sscanf(line, "%15s %31s %f", verb, word, &value);
    bool done = false;
    if (fields >= 1 && std::strcmp(verb, "unplug") == 0) {
        done = virtualStick != nullptr;
        detachVirtualPad();
    } else if (fields >= 1 && std::strcmp(verb, "plug") == 0) {
        PadKind padKind = PadKind::Xbox;
        for (PadKind each : {PadKind::Xbox, PadKind::PlayStation, PadKind::Nintendo, PadKind::Other}) {
            static const char* const kWords[4] = {"xbox", "playstation", "nintendo", "other"};
            if (fields >= 2 && std::strcmp(word, kWords[static_cast<int>(each)]) == 0) {
                padKind = each;
            }
        }
        done = attachVirtualPad(padKind);
    } else if (fields >= 2 && virtualStick &&
               (std::strcmp(verb, "press") == 0 || std::strcmp(verb, "release") == 0)) {
        const bool down = verb[0] == 'p';
        if (std::strcmp(word, "lt") == 0 || std::strcmp(word, "rt") == 0) {
            const int axis =
                word[0] == 'l' ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
            done = SDL_JoystickSetVirtualAxis(virtualStick, axis, down ? 32767 : 0) == 0;
        } else {
            const int button = buttonFromWord(word);
            done = button != SDL_CONTROLLER_BUTTON_INVALID &&
                   SDL_JoystickSetVirtualButton(virtualStick, button, down ? 1 : 0) == 0;
        }
    } else if (fields == 3 && virtualStick && std::strcmp(verb, "axis") == 0) {
        const int axis = SDL_GameControllerGetAxisFromString(word);
        done = axis != SDL_CONTROLLER_AXIS_INVALID &&
               SDL_JoystickSetVirtualAxis(
                   virtualStick, axis, static_cast<Sint16>(std::clamp(value, -1.0f, 1.0f) * 32767.0f)) == 0;
    }
    if (!done) {
        std::printf("Virtual pad command not understood: \"%s\".\n", line);
    }
    return done;
}
