#pragma once

#include <cstdio>
#include <vector>

// The figures of a latency run: for every scripted key press, the time from
// its key event to the first frame on screen that shows the ship moved, and
// the times every frame was presented, from which the present-to-present
// jitter comes (each interval's distance from the run's median interval).
// Percentiles are nearest-rank.
class LatencyReport {
  public:
    struct Figures {
        int presses = 0;
        int missed = 0;  // presses no frame showed within the time allowed
        double latencyMin = 0.0, latencyP50 = 0.0, latencyP99 = 0.0, latencyMax = 0.0;
        double intervalP50 = 0.0;  // the median present-to-present interval
        double jitterP50 = 0.0, jitterP99 = 0.0, jitterMax = 0.0;
    };

    // Room for the run's samples, so measuring allocates nothing.
    LatencyReport(int presses, int presents);

    void addLatency(double milliseconds);
    void addMissed() { ++missed; }
    // A frame presented at `atMs` on the run's clock.
    void addPresent(double atMs);
    Figures figures() const;
    // "presses=... jitter_max_ms=..." without a line end.
    void print(std::FILE* out) const;

  private:
    std::vector<double> latencies;
    std::vector<double> presents;
    int missed = 0;
};
