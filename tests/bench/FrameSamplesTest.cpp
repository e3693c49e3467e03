// The bench's figures: nearest-rank percentiles, frames a second from the
// intervals, and the worst frame after the run's first second.

#include <gtest/gtest.h>

#include "tools/vortalis2-bench/FrameSamples.h"

namespace {

TEST(FrameSamples, PercentilesAreNearestRank) {
    FrameSamples samples;
    // 1 .. 100 ms, added out of order.
    for (int i = 100; i >= 1; --i) {
        samples.add(static_cast<double>((i * 37) % 100 + 1), 0, 0, 0, 10);
    }
    const FrameSamples::Summary s = samples.intervals();
    EXPECT_DOUBLE_EQ(s.p50, 50.0);
    EXPECT_DOUBLE_EQ(s.p95, 95.0);
    EXPECT_DOUBLE_EQ(s.p99, 99.0);
    EXPECT_DOUBLE_EQ(s.max, 100.0);
}

TEST(FrameSamples, RateAndLateWorstComeFromTheIntervals) {
    FrameSamples samples;
    samples.add(200.0, 0, 0, 0, 5);  // a slow first frame, inside the first second
    for (int i = 0; i < 60; ++i) {
        samples.add(i == 50 ? 40.0 : 17.0, 0, 0, 0, 5);
    }
    EXPECT_NEAR(samples.framesPerSecond(), 61 * 1000.0 / (200.0 + 59 * 17.0 + 40.0), 1e-9);
    EXPECT_DOUBLE_EQ(samples.maxIntervalAfter(1000.0), 40.0);
    EXPECT_DOUBLE_EQ(samples.intervals().max, 200.0);
}

}  // namespace
