#include "frontend/PilotRank.h"

#include <algorithm>

namespace {
// "air marshal" lies beyond the last level and is never shown.
constexpr const char* kNames[PilotRank::kNameCount] = {"ensign",
                                                       "sergeant",
                                                       "master sergeant",
                                                       "flight lieutenant",
                                                       "squadron captain",
                                                       "wing commander",
                                                       "major",
                                                       "colonel",
                                                       "ace",
                                                       "air marshal"};
}  // namespace

const char* PilotRank::name(int level) {
    return kNames[std::clamp(level, 0, kNameCount - 1)];
}

int PilotRank::badgeFrame(int level) {
    return std::clamp(level - 1, 0, kBadgeFrames - 1);
}
