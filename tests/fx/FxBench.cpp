// The particle batch at 10 particles and at every particle the batch holds:
// one update and one vertex build of all of them, per particle, and the draw
// calls per frame. Run by hand (build/orvale_fx_benchmarks); not a test.

#include <benchmark/benchmark.h>

#include <memory>

#include "data/Plist.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/FxMath.h"
#include "fx/OXAnchorParticleSystem.h"

namespace {

// Long-lived moving, turning, fading particles: every step of the update runs.
ParticleDefinition benchDefinition() {
    ParticleDefinition d;
    d.velocityVar = {120.0f, 120.0f, 0.0f};
    d.endVelocityVar = {20.0f, 20.0f, 0.0f};
    d.minTtl = d.maxTtl = 1e9f;
    d.maxRadius = {20.0f, 20.0f, 0.0f};
    d.startAlpha = 1.0f;
    d.midAlpha = 0.8f;
    d.endAlpha = 0.0f;
    d.alphaMidTime = 0.5f;
    d.startColour = {1.0f, 0.9f, 0.7f};
    d.endColour = {1.0f, 0.4f, 0.1f};
    d.startSize = {3.0f, 3.0f, 0.0f};
    d.endSize = {1.0f, 1.0f, 0.0f};
    d.rotateRate = 10.0f;
    d.spawnRate = 1000.0f;
    d.maxNumParticles = 200;
    return d;
}

// A manager whose systems hold `count` live particles between them.
std::unique_ptr<CXParticleEffectManager> filled(int count) {
    auto manager = std::make_unique<CXParticleEffectManager>(CXParticleEffectManager::kStagePoolSize);
    manager->load("");
    const ParticleDefinition definition = benchDefinition();
    int live = 0;
    for (int i = 0; live < count; ++i) {
        OXAnchorParticleSystem* system = manager->pooled(i);
        system->applyDefinition(definition);
        system->setPosition(static_cast<float>(20 + (i % 8) * 40), static_cast<float>(40 + (i / 8) * 80),
                            0.0f);
        system->setVisible(true);
        system->setActive(true);
        system->startEmitting();
        const int take = std::min(count - live, 199);
        while (system->getLiveCount() < take) {
            system->tick(1.001f);
        }
        system->setEmitting(false);
        live += system->getLiveCount();
    }
    return manager;
}

void runBatch(benchmark::State& state) {
    RecordingGLDevice device;
    setGLDevice(&device);
    const int count = static_cast<int>(state.range(0));
    auto manager = filled(count);
    for (auto _ : state) {
        manager->update(1.0f);
        manager->drawPredraw();
        manager->draw();
        benchmark::DoNotOptimize(manager->getVertices());
    }
    state.counters["particles"] = manager->liveParticles();
    state.counters["ns_per_particle"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * manager->liveParticles(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["draws_per_frame"] =
        static_cast<double>(device.count(GLCall::DrawArrays)) / static_cast<double>(state.iterations());
    setGLDevice(nullptr);
}
BENCHMARK(runBatch)
    ->Name("BM_ParticlesUpdateAndBuild")
    ->Arg(10)
    ->Arg(CXParticleEffectManager::kVertexCapacity / 6);

}  // namespace

BENCHMARK_MAIN();
