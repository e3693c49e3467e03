#pragma once

#include <cstdio>

// The picture's brightness over a run, one figure a frame: the mean relative
// luminance of the game image as drawn (sRGB made linear, 0.2126 R + 0.7152 G
// + 0.0722 B, 0 black to 1 white), timed by the game's own frame step so the
// figures do not depend on how fast the machine draws.
//
// A general flash is a rise of the mean by kFlashRise or more from its lowest
// since the last flash, to a frame brighter than kFlashPeak; the next can only
// count once the mean has fallen kFlashRise again from its peak (a flash is a
// rise and a fall). Bright time is time with the mean above kBright.
class FlashMeter {
  public:
    static constexpr double kFlashRise = 0.1;
    static constexpr double kFlashPeak = 0.25;
    static constexpr double kBright = 0.6;

    // The mean relative luminance of 8-bit sRGB pixels (RGBA, every `step`th
    // pixel of `count`).
    static double meanLuminance(const unsigned char* rgba, int count, int step);

    FlashMeter();

    // One frame drawn with mean luminance `mean`, `frameMs` after the last; true when a flash
    // began with it.
    bool add(double mean, double frameMs);
    // The most flashes that began within any one second of the run.
    int flashesMaxPerSecond() const { return mostInASecond; }
    int flashes() const { return flashCount; }
    double brightMs() const { return bright; }
    // The longest unbroken time above kBright.
    double brightRunMaxMs() const { return longestBrightRun; }
    double brightestMean() const { return brightest; }
    // "flashes=... bright_run_max_ms=..." without a line end.
    void print(std::FILE* out) const;

  private:
    static constexpr int kRecent = 64;  // more than can begin in a second at any frame rate drawn

    double now = 0.0;  // ms since the first frame
    bool started = false;
    bool armed = true;       // a rise would count as a flash
    double trough = 0.0;     // the lowest mean since armed
    double peak = 0.0;       // the highest mean since the last flash began
    double recent[kRecent];  // when the last flashes began, a ring
    int recentNext = 0;
    int flashCount = 0;
    int mostInASecond = 0;
    double bright = 0.0, brightRun = 0.0, longestBrightRun = 0.0;
    double brightest = 0.0;
};
