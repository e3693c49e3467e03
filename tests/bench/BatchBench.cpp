// Building and drawing the sprite batch's 200 sprites on the recording device.
// (The full particle batch is measured by build/orvale_fx_benchmarks.)

#include <benchmark/benchmark.h>

#include "engine/CXSpriteBatchManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace {

void BM_SpriteBatchFull(benchmark::State& state) {
    RecordingGLDevice device;
    setGLDevice(&device);
    CXSpriteBatchManager batch;
    batch.setup("", "");
    for (int i = 0; i < CXSpriteBatchManager::kPoolSize; ++i) {
        OXSprite* sprite = batch.getFreeSprite();
        sprite->setPosition(static_cast<float>(i), static_cast<float>(i * 2), 0);
        sprite->setRotation(0, 0, static_cast<float>(i * 7));
        sprite->fadeTo(1e9f, 1, 0);
    }
    for (auto _ : state) {
        batch.update(16.7f);
        batch.draw();
        benchmark::DoNotOptimize(batch.getVertices());
    }
    state.counters["quads"] = CXSpriteBatchManager::kPoolSize;
    state.counters["ns_per_quad"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * CXSpriteBatchManager::kPoolSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["draws_per_frame"] =
        static_cast<double>(device.count(GLCall::DrawArrays)) / static_cast<double>(state.iterations());
    setGLDevice(nullptr);
}
BENCHMARK(BM_SpriteBatchFull);

}  // namespace
