#include "frontend/CXControlBindings.h"

#include <cstdio>

#include "data/CXUserProfile.h"

namespace {
constexpr const char* kActionLabels[CXControlBindings::kActionCount] = {"Fire/accept", "beam", "trance/back",
                                                                        "pause"};

bool inTable(int code) {
    return code >= 0 && code < CXControlBindings::kKeyCodes;
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

const int CXControlBindings::kDefaultCodes[kActionCount] = {2, 3, 1, 26};

const char* CXControlBindings::actionLabel(int action) {
    return action >= 0 && action < kActionCount ? kActionLabels[action] : "";
}

bool CXControlBindings::bind(CXUserProfile& profile, int action, int code) {
    if (action < 0 || action >= kActionCount || !inTable(code) || profile.controls[action] == code) {
        return false;
    }
    const int previous = profile.controls[action];
    for (int other = 0; other < kActionCount; ++other) {
        if (other != action && profile.controls[other] == code) {
            profile.controls[other] = previous;
        }
    }
    profile.controls[action] = code;
    return true;
}

void CXControlBindings::resetToDefault(CXUserProfile& profile) {
    for (int action = 0; action < kActionCount; ++action) {
        profile.controls[action] = kDefaultCodes[action];
    }
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
