// Building and drawing full batches on the recording device: the sprite
// batch's 200 sprites, and a particle-style batch filling all 40000 vertices.

#include <benchmark/benchmark.h>

#include <memory>

#include "engine/CXSpriteBatchManager.h"
#include "engine/IXParticleManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace {

// A manager with one quad per pooled position, as a particle system writes them.
class FullBatch : public IXParticleManager {
  public:
    static constexpr int kQuads = kMaxVertices / 6;

    FullBatch() {
        vertexCapacity = kMaxVertices;
        loadAtlas("", true, true);
        for (int i = 0; i < kQuads; ++i) {
            positions[i] = {static_cast<float>(i % 320), static_cast<float>(i / 320 * 4), 0};
        }
    }
    void buildBatch() override {
        vertexCount = 0;
        for (int i = 0; i < kQuads && hasRoom(6); ++i) {
            const Vec3& p = positions[i];
            const TexCoord t = frameOrigin(i & 7);
            const QuadCorner corners[4] = {{p.x - 4, p.y + 4, 0, t.u, t.v},
                                           {p.x + 4, p.y + 4, 0, t.u + 0.125f, t.v},
                                           {p.x - 4, p.y - 4, 0, t.u, t.v + 0.25f},
                                           {p.x + 4, p.y - 4, 0, t.u + 0.125f, t.v + 0.25f}};
            emitQuad(QuadOrder::Strip, corners, 1, 1, 1, 1);
        }
    }

  private:
    Vec3 positions[kQuads];
};

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

void BM_ParticleStyleBatchFull(benchmark::State& state) {
    RecordingGLDevice device;
    setGLDevice(&device);
    auto batch = std::make_unique<FullBatch>();
    for (auto _ : state) {
        batch->draw();
        benchmark::DoNotOptimize(batch->getVertices());
    }
    state.counters["vertices"] = batch->getVertexCount();
    state.counters["ns_per_quad"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * FullBatch::kQuads,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["draws_per_frame"] =
        static_cast<double>(device.count(GLCall::DrawArrays)) / static_cast<double>(state.iterations());
    setGLDevice(nullptr);
}
BENCHMARK(BM_ParticleStyleBatchFull);

}  // namespace
