#include "tools/vortalis2-bench/LatencyReport.h"

#include <algorithm>
#include <cmath>

namespace {
// The nearest-rank percentile `p` (0 to 100) of sorted values; 0 for none.
double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) {
        return 0.0;
    }
    const auto rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}
}  // namespace

LatencyReport::LatencyReport(int presses, int presentCount) {
    latencies.reserve(static_cast<size_t>(std::max(presses, 0)));
    presents.reserve(static_cast<size_t>(std::max(presentCount, 0)));
}

void LatencyReport::addLatency(double milliseconds) {
    latencies.push_back(milliseconds);
}

void LatencyReport::addPresent(double atMs) {
    presents.push_back(atMs);
}

LatencyReport::Figures LatencyReport::figures() const {
    Figures f;
    f.presses = static_cast<int>(latencies.size()) + missed;
    f.missed = missed;
    std::vector<double> sorted = latencies;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty()) {
        f.latencyMin = sorted.front();
        f.latencyP50 = percentile(sorted, 50.0);
        f.latencyP99 = percentile(sorted, 99.0);
        f.latencyMax = sorted.back();
    }
    std::vector<double> intervals;
    for (size_t i = 1; i < presents.size(); ++i) {
        intervals.push_back(presents[i] - presents[i - 1]);
    }
    std::sort(intervals.begin(), intervals.end());
    f.intervalP50 = percentile(intervals, 50.0);
    std::vector<double> jitter;
    for (double interval : intervals) {
        jitter.push_back(std::fabs(interval - f.intervalP50));
    }
    std::sort(jitter.begin(), jitter.end());
    f.jitterP50 = percentile(jitter, 50.0);
    f.jitterP99 = percentile(jitter, 99.0);
    f.jitterMax = jitter.empty() ? 0.0 : jitter.back();
    return f;
}

void LatencyReport::print(std::FILE* out) const {
    const Figures f = figures();
    std::fprintf(out,
                 "presses=%d missed=%d latency_min_ms=%.1f latency_p50_ms=%.1f latency_p99_ms=%.1f "
                 "latency_max_ms=%.1f present_p50_ms=%.2f jitter_p50_ms=%.2f jitter_p99_ms=%.2f "
                 "jitter_max_ms=%.2f",
                 f.presses, f.missed, f.latencyMin, f.latencyP50, f.latencyP99, f.latencyMax, f.intervalP50,
                 f.jitterP50, f.jitterP99, f.jitterMax);
}
