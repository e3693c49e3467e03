#include "tools/vortalis2-bench/FrameSamples.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// Room for ten minutes at the game's frame rate, so a run does not allocate as it measures.
constexpr size_t kReserved = 36000;
}  // namespace

FrameSamples::FrameSamples() {
    for (std::vector<double>* figure : {&interval, &update, &render, &swap}) {
        figure->reserve(kReserved);
    }
    drawCalls.reserve(kReserved);
}

void FrameSamples::add(double intervalMs, double updateMs, double renderMs, double swapMs, int calls) {
    interval.push_back(intervalMs);
    update.push_back(updateMs);
    render.push_back(renderMs);
    swap.push_back(swapMs);
    drawCalls.push_back(calls);
    elapsedMs += intervalMs;
}

double FrameSamples::framesPerSecond() const {
    return elapsedMs > 0.0 ? static_cast<double>(interval.size()) * 1000.0 / elapsedMs : 0.0;
}

double FrameSamples::maxIntervalAfter(double afterMs) const {
    double startedAt = 0.0, worst = 0.0;
    for (double value : interval) {
        startedAt += value;  // this frame started here, counted from the run's start
        if (startedAt >= afterMs) {
            worst = std::max(worst, value);
        }
    }
    return worst;
}

FrameSamples::Summary FrameSamples::summarise(const std::vector<double>& values) {
    Summary summary;
    if (values.empty()) {
        return summary;
    }
    std::vector<double> sorted(values);
    std::sort(sorted.begin(), sorted.end());
    const auto rank = [&sorted](double percent) {
        const size_t index =
            static_cast<size_t>(std::ceil(percent / 100.0 * static_cast<double>(sorted.size())));
        return sorted[std::clamp<size_t>(index, 1, sorted.size()) - 1];
    };
    summary.p50 = rank(50);
    summary.p95 = rank(95);
    summary.p99 = rank(99);
    summary.max = sorted.back();
    return summary;
}

void FrameSamples::print(std::FILE* out) const {
    const Summary i = summarise(interval), u = summarise(update), r = summarise(render), s = summarise(swap);
    const double mean = drawCalls.empty() ? 0.0
                                          : std::accumulate(drawCalls.begin(), drawCalls.end(), 0.0) /
                                                static_cast<double>(drawCalls.size());
    const int fewest = drawCalls.empty() ? 0 : *std::min_element(drawCalls.begin(), drawCalls.end());
    const int most = drawCalls.empty() ? 0 : *std::max_element(drawCalls.begin(), drawCalls.end());
    std::fprintf(out,
                 "interval_p50_ms=%.2f interval_p95_ms=%.2f interval_p99_ms=%.2f interval_max_ms=%.2f "
                 "interval_max_after_1s_ms=%.2f update_p50_ms=%.2f update_p95_ms=%.2f render_p50_ms=%.2f "
                 "render_p95_ms=%.2f swap_p50_ms=%.2f swap_p95_ms=%.2f draw_calls_mean=%.1f "
                 "draw_calls_min=%d draw_calls_max=%d",
                 i.p50, i.p95, i.p99, i.max, maxIntervalAfter(1000.0), u.p50, u.p95, r.p50, r.p95, s.p50,
                 s.p95, mean, fewest, most);
}
