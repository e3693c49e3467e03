#pragma once

// The pilot's rank as the hangar and the results show it: the profile's "level" names it
// and picks the badge frame (level L shows name L and badge frame L - 1). Levels outside the
// tables show their nearest end.
namespace PilotRank {
constexpr int kNameCount = 10;
constexpr int kBadgeFrames = 10;

const char* name(int level);
int badgeFrame(int level);
}  // namespace PilotRank
