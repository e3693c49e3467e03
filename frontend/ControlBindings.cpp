#include "frontend/ControlBindings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr const char* kActionLabels[ControlBindings::kActionCount] = {"Fire/accept", "beam", "trance/back",
                                                                      "pause"};
// Escape ends the program and the arrows move the ship and the menus' highlight: no action
// may have them.
constexpr int kEscapeCode = 27;
constexpr int kFirstArrowCode = 28;

bool inTable(int code) {
    return code >= 0 && code < ControlBindings::kKeyCodes;
}

bool kept(int code) {
    return code == kEscapeCode || code >= kFirstArrowCode;
}

bool heldByAnother(const CXUserProfile& profile, int action, int code) {
    for (int other = 0; other < ControlBindings::kActionCount; ++other) {
        if (other != action && profile.controls[other] == code) {
            return true;
        }
    }
    return false;
}

int freeCode(const CXUserProfile& profile, int action) {
    for (int code : ControlBindings::kDefaultCodes) {
        if (!heldByAnother(profile, action, code)) {
            return code;
        }
    }
    for (int code = 0; code < ControlBindings::kKeyCodes; ++code) {
        if (!heldByAnother(profile, action, code)) {
            return code;
        }
    }
    return 0;  // unreachable: four actions can't hold all 32 keys
}
}  // namespace

const char* ControlBindings::actionLabel(int action) {
    return action >= 0 && action < kActionCount ? kActionLabels[action] : "";
}

int ControlBindings::repair(CXUserProfile& profile) {
    int mended = 0;
    for (int action = 0; action < kActionCount; ++action) {
        const int code = profile.controls[action];
        bool shared = false;
        for (int earlier = 0; earlier < action; ++earlier) {
            shared = shared || profile.controls[earlier] == code;
        }
        if (inTable(code) && !shared) {
            continue;
        }
        // Out of the way while a free key is chosen, so it does not count as held.
        profile.controls[action] = -1;
        profile.controls[action] = freeCode(profile, action);
        std::printf("CONTROL %s WAS %s %d, NOW ON KEY %d\n", kActionLabels[action],
                    shared ? "SHARING KEY" : "ON UNKNOWN KEY", code, profile.controls[action]);
        ++mended;
    }
    return mended;
}

void ControlBindings::enter(const CXUserProfile& profile) {
    for (int action = 0; action < kActionCount; ++action) {
        codes[action] = profile.controls[action];
    }
    screenRelative = profile.controlScreenMode;
    padDeadZone = profile.padDeadZone;
    padStickMoves = profile.padStickMoves;
    rumble = profile.rumble;
    rumbleInReplays = profile.rumbleInReplays;
    stopListening();
}

void ControlBindings::writeTo(CXUserProfile& profile) const {
    for (int action = 0; action < kActionCount; ++action) {
        profile.controls[action] = codes[action];
    }
    profile.controlScreenMode = screenRelative;
    profile.padDeadZone = padDeadZone;
    profile.padStickMoves = padStickMoves;
    profile.rumble = rumble;
    profile.rumbleInReplays = rumbleInReplays;
}

bool ControlBindings::differsFrom(const CXUserProfile& profile) const {
    for (int action = 0; action < kActionCount; ++action) {
        if (codes[action] != profile.controls[action]) {
            return true;
        }
    }
    return screenRelative != profile.controlScreenMode || padDeadZone != profile.padDeadZone ||
           padStickMoves != profile.padStickMoves || rumble != profile.rumble ||
           rumbleInReplays != profile.rumbleInReplays;
}

int ControlBindings::code(int action) const {
    return action >= 0 && action < kActionCount ? codes[action] : 0;
}

bool ControlBindings::bind(int action, int code) {
    if (action < 0 || action >= kActionCount || !inTable(code) || kept(code) || codes[action] == code) {
        return false;
    }
    for (int other = 0; other < kActionCount; ++other) {
        if (other != action && codes[other] == code) {
            codes[other] = codes[action];
        }
    }
    codes[action] = code;
    return true;
}

void ControlBindings::resetToDefault() {
    for (int action = 0; action < kActionCount; ++action) {
        codes[action] = kDefaultCodes[action];
    }
    screenRelative = false;
    const CXUserProfile fresh;
    padDeadZone = fresh.padDeadZone;
    padStickMoves = fresh.padStickMoves;
    rumble = fresh.rumble;
    rumbleInReplays = fresh.rumbleInReplays;
}

int ControlBindings::deadZonePercent() const {
    return static_cast<int>(std::lround(padDeadZone * 100.0f));
}

bool ControlBindings::stepDeadZone(int direction) {
    const int least = static_cast<int>(std::lround(CXUserProfile::kLeastDeadZone * 100.0f));
    const int most = static_cast<int>(std::lround(CXUserProfile::kMostDeadZone * 100.0f));
    const int now = deadZonePercent();
    // From a value between steps (an edited profile), the first step lands on the multiple.
    int next = direction > 0
                   ? (now / kDeadZoneStepPercent + 1) * kDeadZoneStepPercent
                   : ((now + kDeadZoneStepPercent - 1) / kDeadZoneStepPercent - 1) * kDeadZoneStepPercent;
    next = std::clamp(next, least, most);
    if (direction == 0 || next == now) {
        return false;
    }
    padDeadZone = static_cast<float>(next) / 100.0f;
    return true;
}

void ControlBindings::listen(int action) {
    if (action < 0 || action >= kActionCount) {
        stopListening();
        return;
    }
    listening = action;
    listenLeftMs = kListenMs;
}

ControlBindings::Heard ControlBindings::hear(int code) {
    const int action = listening;
    stopListening();
    if (action < 0 || code == codes[action]) {
        return Heard::Unchanged;
    }
    return bind(action, code) ? Heard::Bound : Heard::Cancelled;
}

bool ControlBindings::tick(float dtMs) {
    if (listening < 0) {
        return false;
    }
    listenLeftMs -= dtMs;
    if (listenLeftMs > 0.0f) {
        return false;
    }
    stopListening();
    return true;
}
