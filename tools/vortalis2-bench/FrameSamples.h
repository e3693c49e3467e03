#pragma once

#include <cstdio>
#include <vector>

// Every measured frame of a bench run: its interval from the previous frame's
// start, the time its update, render and swap took (milliseconds) and its
// draw calls, with the percentiles the result line reports.
class FrameSamples {
  public:
    // The nearest-rank percentiles of one figure.
    struct Summary {
        double p50 = 0.0, p95 = 0.0, p99 = 0.0, max = 0.0;
    };

    FrameSamples();

    void add(double intervalMs, double updateMs, double renderMs, double swapMs, int drawCalls);
    int count() const { return static_cast<int>(interval.size()); }
    // Frames per second over the measured run: frames over the sum of their intervals.
    double framesPerSecond() const;
    Summary intervals() const { return summarise(interval); }
    // The longest interval of a frame that started `afterMs` or more into the run.
    double maxIntervalAfter(double afterMs) const;
    // "interval_p50_ms=... draw_calls_max=..." without a line end.
    void print(std::FILE* out) const;

  private:
    static Summary summarise(const std::vector<double>& values);

    std::vector<double> interval, update, render, swap;
    std::vector<int> drawCalls;
    double elapsedMs = 0.0;  // sum of the intervals so far
};
