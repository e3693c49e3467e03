#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/BatchQuad.h"
#include "engine/IXRenderObject.h"

// The base of everything shown in large numbers: a render object holding one
// texture atlas, a pool of objects created once, and one vertex array into
// which the subclass writes every visible object each frame, so the whole
// pool is drawn with one texture bind and one draw call. Nothing is allocated
// or freed during play.
class IXParticleManager : public IXRenderObject {
  public:
    static constexpr int kMaxVertices = 40000;

    ~IXParticleManager() override;

    // Loads the atlas `path` (without ".plist") with linear filtering.
    void load(const std::string& path) override;
    void draw() override;
    void tick(float dtMs) override;
    void update(float) override {}

    // Builds the batch and draws it as one triangle strip.
    virtual void drawBatch();
    // Writes the vertices of every object to draw; sets vertexCount.
    virtual void buildBatch() = 0;

    // Reads an atlas description and loads its image. A grid without columns
    // or rows is taken as one cell, with a message.
    void loadAtlas(const std::string& name, bool linearMin, bool linearMag);
    // The manager owns `object` from now on.
    void addObject(IXRenderObject* object) { objects.emplace_back(object); }
    bool hasRoom(int vertexCountNeeded) const { return vertexCount + vertexCountNeeded <= vertexCapacity; }

    struct TexCoord {
        float u, v;
    };
    // Top-left texture coordinates of atlas cell `frame`.
    TexCoord frameOrigin(int frame) const;

    int getVertexCount() const { return vertexCount; }
    int getVertexCapacity() const { return vertexCapacity; }
    const BatchVertex* getVertices() const { return vertices.get(); }
    float getCellWidth() const { return cellWidth; }
    float getCellHeight() const { return cellHeight; }
    int getNumColumns() const { return numColumns; }
    int getNumRows() const { return numRows; }

  protected:
    enum class Layout { Strip, Triangles };
    // Draws `count` vertices from `firstVertex` with the atlas texture, in the
    // batch's state (texturing, the three arrays, blending, no depth test,
    // blend `mode`) and the parent's matrix: one draw call.
    void submitVertices(int firstVertex, int count, int mode, Layout layout);
    // Writes one quad at the end of the batch (see writeQuad); the caller has
    // checked hasRoom(6).
    void emitQuad(QuadOrder order, const QuadCorner (&corners)[4], float r, float g, float b, float a) {
        writeQuad(vertices.get() + vertexCount, order, corners, r, g, b, a);
        vertexCount += 6;
    }

    std::vector<std::unique_ptr<IXRenderObject>> objects;  // the pool, owned
    std::unique_ptr<BatchVertex[]> vertices;               // allocated when the atlas loads
    float cellWidth = 0.0f, cellHeight = 0.0f;             // atlas cell, pixels
    int numRows = 1, numColumns = 1;
    int vertexCount = 0;     // written this frame
    int vertexCapacity = 0;  // chosen by the subclass before loading
    float managerScale = 1.0f;
};
