#pragma once

// The corner (-1, -1) turned counter-clockwise by each whole degree, rounded
// to five decimals: entry k = (sin k - cos k, -(sin k + cos k)). Batches turn
// their quads with it instead of calling the trigonometric functions.
struct RotationCorner {
    float a;
    float b;
    float unused;
};

const RotationCorner& rotationCorner(int degree);  // degree in [0, 360)

// Whole degrees in [0, 360) of any angle: the floating remainder by 360,
// raised by 360 when negative, truncated.
int wrapDegrees(float degrees);
