#pragma once
// How far the composited picture is turned on the window, numbered as the profile stores its
// "screen orientation", as a replay keeps its turn and as the options screen's "SCREEN ROTATION"
// toggle sets it.
enum ScreenOrientation : int {
    ScreenUpright = 0,  // not turned
    ScreenTurned90 = 1,
    ScreenTurned180 = 2,
    ScreenTurned270 = 3,
};

// A stored number outside the four quarter turns is held to the nearest.
constexpr ScreenOrientation screenOrientationFromStored(int stored) {
    return stored <= 0   ? ScreenUpright
           : stored >= 3 ? ScreenTurned270
                         : static_cast<ScreenOrientation>(stored);
}

// The next quarter turn clockwise, 270 going round to upright.
constexpr ScreenOrientation nextQuarterTurn(ScreenOrientation orientation) {
    return static_cast<ScreenOrientation>((orientation + 1) % 4);
}

// A quarter or three-quarter turn lays the portrait game area on its side.
constexpr bool turnsSideways(ScreenOrientation orientation) {
    return orientation == ScreenTurned90 || orientation == ScreenTurned270;
}
