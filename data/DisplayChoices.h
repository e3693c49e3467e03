#pragma once
// The options screen's display choices other than the turn, numbered as the profile stores them.

// The shape of the game area on the window ("aspect ratio").
enum AspectRatio : int {
    Aspect4x3 = 0,
    Aspect16x9 = 1,
};

// What the stage background shows beside the playfield ("background mode").
enum BackgroundMode : int {
    BackgroundNone = 0,
    BackgroundMirrored = 1,
};

// Stored numbers outside the two are held to the nearest, as the profile always read them.
constexpr AspectRatio aspectRatioFromStored(int stored) {
    return stored >= 1 ? Aspect16x9 : Aspect4x3;
}
constexpr BackgroundMode backgroundModeFromStored(int stored) {
    return stored >= 1 ? BackgroundMirrored : BackgroundNone;
}
