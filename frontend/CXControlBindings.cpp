#include "frontend/CXControlBindings.h"

#include <cstdio>

namespace {
constexpr const char* kActionLabels[CXControlBindings::kActionCount] = {"Fire/accept", "beam", "trance/back",
                                                                        "pause"};
// Escape ends the program and the arrows move the ship and the menus' highlight: no action
// may have them.
constexpr int kEscapeCode = 27;
constexpr int kFirstArrowCode = 28;

bool inTable(int code) {
    return code >= 0 && code < CXControlBindings::kKeyCodes;
}

bool kept(int code) {
    return code == kEscapeCode || code >= kFirstArrowCode;
}

bool heldByAnother(const CXUserProfile& profile, int action, int code) {
    for (int other = 0; other < CXControlBindings::kActionCount; ++other) {
        if (other != action && profile.controls[other] == code) {
            return true;
        }
    }
    return false;
}

int freeCode(const CXUserProfile& profile, int action) {
    for (int code : CXControlBindings::kDefaultCodes) {
        if (!heldByAnother(profile, action, code)) {
            return code;
        }
    }
    for (int code = 0; code < CXControlBindings::kKeyCodes; ++code) {
        if (!heldByAnother(profile, action, code)) {
            return code;
        }
    }
    return 0;  // unreachable: four actions can't hold all 32 keys
}
}  // namespace

const char* CXControlBindings::actionLabel(int action) {
    return action >= 0 && action < kActionCount ? kActionLabels[action] : "";
}

int CXControlBindings::repair(CXUserProfile& profile) {
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

void CXControlBindings::enter(const CXUserProfile& profile) {
    for (int action = 0; action < kActionCount; ++action) {
        codes[action] = profile.controls[action];
    }
    screenRelative = profile.controlScreenMode;
    stopListening();
}

void CXControlBindings::writeTo(CXUserProfile& profile) const {
    for (int action = 0; action < kActionCount; ++action) {
        profile.controls[action] = codes[action];
    }
    profile.controlScreenMode = screenRelative;
}

bool CXControlBindings::differsFrom(const CXUserProfile& profile) const {
    for (int action = 0; action < kActionCount; ++action) {
        if (codes[action] != profile.controls[action]) {
            return true;
        }
    }
    return screenRelative != profile.controlScreenMode;
}

int CXControlBindings::code(int action) const {
    return action >= 0 && action < kActionCount ? codes[action] : 0;
}

bool CXControlBindings::bind(int action, int code) {
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

void CXControlBindings::resetToDefault() {
    for (int action = 0; action < kActionCount; ++action) {
        codes[action] = kDefaultCodes[action];
    }
    screenRelative = false;
}

void CXControlBindings::listen(int action) {
    if (action < 0 || action >= kActionCount) {
        stopListening();
        return;
    }
    listening = action;
    listenLeftMs = kListenMs;
}

CXControlBindings::Heard CXControlBindings::hear(int code) {
    const int action = listening;
    stopListening();
    if (action < 0 || code == codes[action]) {
        return Heard::Unchanged;
    }
    return bind(action, code) ? Heard::Bound : Heard::Cancelled;
}

bool CXControlBindings::tick(float dtMs) {
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
