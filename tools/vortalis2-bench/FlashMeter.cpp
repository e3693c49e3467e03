#include "tools/vortalis2-bench/FlashMeter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

// 8-bit sRGB to linear light, computed once.
const std::array<double, 256>& linearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (size_t i = 0; i < values.size(); ++i) {
            const double c = static_cast<double>(i) / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

}  // namespace

double FlashMeter::meanLuminance(const unsigned char* rgba, int count, int step) {
    const std::array<double, 256>& linear = linearTable();
    double sum = 0.0;
    int taken = 0;
    for (int i = 0; i < count; i += std::max(step, 1)) {
        const unsigned char* p = rgba + static_cast<size_t>(i) * 4;
        sum += 0.2126 * linear[p[0]] + 0.7152 * linear[p[1]] + 0.0722 * linear[p[2]];
        ++taken;
    }
    return taken > 0 ? sum / taken : 0.0;
}

FlashMeter::FlashMeter() {
    std::fill(std::begin(recent), std::end(recent), -1.0e12);  // long before any run
}

bool FlashMeter::add(double mean, double frameMs) {
    if (started) {
        now += frameMs;
    }
    brightest = std::max(brightest, mean);
    if (mean > kBright) {
        // The frame shows until the next: it counts its own step.
        bright += frameMs;
        brightRun += frameMs;
        longestBrightRun = std::max(longestBrightRun, brightRun);
    } else {
        brightRun = 0.0;
    }
    if (!started) {
        started = true;
        trough = peak = mean;
        return false;
    }
    if (armed) {
        trough = std::min(trough, mean);
        if (mean - trough >= kFlashRise && mean > kFlashPeak) {
            armed = false;
            peak = mean;
            ++flashCount;
            recent[recentNext] = now;
            recentNext = (recentNext + 1) % kRecent;
            int inSecond = 0;
            for (double at : recent) {
                inSecond += at > now - 1000.0 && at <= now ? 1 : 0;
            }
            mostInASecond = std::max(mostInASecond, inSecond);
            return true;
        }
        return false;
    }
    peak = std::max(peak, mean);
    if (peak - mean >= kFlashRise) {
        armed = true;
        trough = mean;
    }
    return false;
}

void FlashMeter::print(std::FILE* out) const {
    std::fprintf(out,
                 "flashes=%d flashes_max_per_s=%d bright_ms=%.0f bright_run_max_ms=%.0f luminance_max=%.2f",
                 flashCount, mostInASecond, bright, longestBrightRun, brightest);
}
