#pragma once

// One vertex of every batch, and the one way a batch's quads are written.

// One vertex of every batch: 48 bytes.
struct BatchVertex {
    float x, y, z, spare;
    float r, g, b, a;  // premultiplied
    float u, v, spare1, spare2;
};
static_assert(sizeof(BatchVertex) == 48, "batches upload 48-byte vertices");

// A quad's corner before it takes the quad's colour: where it is and which
// texel it shows.
struct QuadCorner {
    float x, y, z, u, v;
};

// How a quad's four corners become six vertices.
enum class QuadOrder {
    Strip,      // corners in Z order, written 0 0 1 2 3 3: quads joined by degenerate triangles
    Triangles,  // corners in Z order, two triangles 0 1 2 and 2 1 3
    Around,     // corners in order around the edge, two triangles 0 1 2 and 3 2 0
};

// Writes one quad at `out`, every vertex in the premultiplied colour r g b a,
// and returns the place after its six vertices.
inline BatchVertex* writeQuad(BatchVertex* out, QuadOrder order, const QuadCorner (&corners)[4], float r,
                              float g, float b, float a) {
    static constexpr int kIndices[3][6] = {{0, 0, 1, 2, 3, 3}, {0, 1, 2, 2, 1, 3}, {0, 1, 2, 3, 2, 0}};
    const int* index = kIndices[static_cast<int>(order)];
    for (int i = 0; i < 6; ++i) {
        const QuadCorner& c = corners[index[i]];
        out[i] = BatchVertex{c.x, c.y, c.z, 0.0f, r, g, b, a, c.u, c.v, 0.0f, 0.0f};
    }
    return out + 6;
}
