#pragma once

// The eight resolutions the configuration dialog offers. The touch size is the
// portrait game area drawn when the screen is upright; the render size is the
// portrait size used when the screen is turned a quarter, and the size of the
// off-screen image.
struct Resolution {
    const char* label;  // as the dialog lists it
    int screenWidth, screenHeight;
    int touchWidth, touchHeight;
    int renderWidth, renderHeight;
};

constexpr int kResolutionCount = 8;
constexpr int kDefaultResolution = 1;  // 800 x 600
constexpr int kResolution1440x1080 = 3;

constexpr Resolution kResolutions[kResolutionCount] = {
    {"640 x 480", 640, 480, 360, 480, 480, 640},    {"800 x 600", 800, 600, 450, 600, 600, 800},
    {"1024 x 768", 1024, 768, 576, 768, 768, 1024}, {"1440 x 1080", 1440, 1080, 768, 1024, 768, 1024},
    {"1280 x 720", 1280, 720, 540, 720, 720, 960},  {"1366 x 768", 1366, 768, 576, 768, 768, 1024},
    {"1600 x 900", 1600, 900, 675, 900, 768, 1024}, {"1920 x 1080", 1920, 1080, 768, 1024, 768, 1024},
};
