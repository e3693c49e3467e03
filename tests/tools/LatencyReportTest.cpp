// The latency run's figures: nearest-rank latencies over the presses shown,
// missed presses counted apart, and jitter as each present interval's distance
// from the median interval.

#include <gtest/gtest.h>

#include "tools/vortalis2-bench/LatencyReport.h"

namespace {

TEST(LatencyReport, LatenciesAndJitterFromPressesAndPresents) {
    LatencyReport report(100, 200);
    for (int i = 1; i <= 100; ++i) {
        report.addLatency(i);  // 1 to 100 ms
    }
    report.addMissed();
    // Frames every 17 ms, one 40 ms late and the next 6 ms early.
    const double presents[] = {0, 17, 34, 51, 91, 102, 119};
    for (double at : presents) {
        report.addPresent(at);
    }
    const LatencyReport::Figures f = report.figures();
    EXPECT_EQ(f.presses, 101);
    EXPECT_EQ(f.missed, 1);
    EXPECT_DOUBLE_EQ(f.latencyMin, 1.0);
    EXPECT_DOUBLE_EQ(f.latencyP50, 50.0);
    EXPECT_DOUBLE_EQ(f.latencyP99, 99.0);
    EXPECT_DOUBLE_EQ(f.latencyMax, 100.0);
    EXPECT_DOUBLE_EQ(f.intervalP50, 17.0);
    EXPECT_DOUBLE_EQ(f.jitterP50, 0.0);
    EXPECT_DOUBLE_EQ(f.jitterMax, 23.0);
}

TEST(LatencyReport, ARunWithNothingMeasuredReportsZeroesNotGarbage) {
    const LatencyReport report(0, 0);
    const LatencyReport::Figures f = report.figures();
    EXPECT_EQ(f.presses, 0);
    EXPECT_DOUBLE_EQ(f.latencyP99, 0.0);
    EXPECT_DOUBLE_EQ(f.jitterMax, 0.0);
}

}  // namespace
