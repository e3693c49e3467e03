// Frame pacing on the real clock: ten seconds of the idle title screen's
// frames (update and render on the recording device, so only the loop and
// the simulation are measured), reporting the mean frame interval and how
// much of a core the loop's thread used.

#include <benchmark/benchmark.h>
#include <time.h>

#include <SFML/System.hpp>
#include <algorithm>
#include <vector>

#include "engine/gl/recording/RecordingGLDevice.h"
#include "frontend/MenuSceneIndex.h"
#include "platform/CXApp.h"
#include "platform/FramePacer.h"
#include "platform/SfmlFrameClock.h"

namespace {

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class IdleTitleHost : public IXLoopHost {
  public:
    IdleTitleHost(CXApp& application, double seconds)
        : app(application), limit(sf::seconds(static_cast<float>(seconds))) {}
    bool pumpEvent(bool& quit) override {
        quit = wall.getElapsedTime() >= limit;
        return quit;
    }
    bool isWindowActive() override { return true; }
    bool isEscapeHeld() override { return false; }
    void dispatchKeys() override { app.dispatchKeyEdges(keys, previousKeys); }
    void drawFrame() override {
        starts.push_back(wall.getElapsedTime().asMicroseconds());
        app.update(FramePacer::kStepMs);
        app.render();
    }

    CXApp& app;
    sf::Time limit;
    sf::Clock wall;
    uint8_t keys[256] = {};
    uint8_t previousKeys[256] = {};
    std::vector<int64_t> starts;
};

void BM_IdleFramePacing(benchmark::State& state) {
    RecordingGLDevice device;
    setGLDevice(&device);
    CXApp app;
    app.setResolution(1, false);
    app.createMenuScenes(kTitleScene, false, false);
    for (auto _ : state) {
        IdleTitleHost host(app, 10.0);
        SfmlFrameClock clock;
        FramePacer pacer(clock);
        const double cpuBefore = threadCpuSeconds();
        runMainLoop(host, pacer);
        const double cpu = threadCpuSeconds() - cpuBefore;
        const double span = static_cast<double>(host.starts.back() - host.starts.front()) / 1000.0;
        state.counters["frames"] = static_cast<double>(host.starts.size());
        state.counters["mean_interval_ms"] = span / static_cast<double>(host.starts.size() - 1);
        state.counters["thread_core_fraction"] = cpu / 10.0;
        int64_t longest = 0;
        for (size_t i = 1; i < host.starts.size(); ++i) {
            longest = std::max(longest, host.starts[i] - host.starts[i - 1]);
        }
        state.counters["longest_interval_ms"] = static_cast<double>(longest) / 1000.0;
    }
    setGLDevice(nullptr);
}
BENCHMARK(BM_IdleFramePacing)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
