#pragma once

#include <string>
#include <vector>

#include "engine/IXParticleManager.h"

class OXTextBox;

// Up to 100 text boxes sharing one font, drawn in one batch. A caller takes
// a box with acquire, shows it, and gives it back by hiding and deactivating it.
// The font is an atlas list ("textureFileName", "numColumns", "numRows") of a
// 16-column glyph grid; each glyph (a code point of the UTF-8 text) is
// written as two separate triangles.
class CXTextBoxManager : public IXParticleManager {
  public:
    static constexpr int kMaxBoxes = 100;
    static constexpr int kVertexCapacity = 20000;

    using IXParticleManager::load;
    // The font `fontPath` (without ".plist") and min(count, 100) hidden boxes.
    void load(const std::string& fontPath, int count);
    // The first box neither visible nor active, reset and made visible and
    // active so it is not handed out twice; null when every box is taken.
    OXTextBox* acquire();
    void update(float dtMs) override;
    void drawBatch() override;
    void buildBatch() override;

    int boxCount() const { return static_cast<int>(boxes.size()); }
    OXTextBox* box(int index) const { return boxes[static_cast<size_t>(index)]; }

  private:
    std::vector<OXTextBox*> boxes;  // the pool, owned through objects
};
