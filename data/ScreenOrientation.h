#pragma once
// How far the composited picture is turned on the window, numbered as the profile stores its
// "screen orientation" and as the options screen's "SCREEN ROTATION" toggle sets it.
enum ScreenOrientation : int {
    ScreenUpright = 0,  // not turned
    ScreenTurned90 = 1,
    ScreenTurned180 = 2,
    ScreenTurned270 = 3,
};

// A quarter or three-quarter turn lays the portrait game area on its side.
inline bool turnsSideways(int orientation) {
    return orientation == ScreenTurned90 || orientation == ScreenTurned270;
}
