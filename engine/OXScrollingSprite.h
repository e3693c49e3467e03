#pragma once

#include "engine/OXSprite.h"

// A sprite whose texture coordinates slide continuously, for scrolling
// backgrounds. The offsets stay within [0, 1].
class OXScrollingSprite : public OXSprite {
  public:
    void loadSprite(const std::string& path, bool nearest) override;
    void update(float dtMs) override;
    float uAt(bool right, int n) const override;
    float u(bool right) const override;
    float vAt(bool top, int n) const override;
    float v(bool top) const override;

    // Texture units per millisecond.
    void setScrollRates(float uRate, float vRate) {
        uScrollRate = uRate;
        vScrollRate = vRate;
    }
    void setScrollAxes(bool u, bool v) {
        scrollU = u;
        scrollV = v;
    }
    float getVOffset() const { return vOffset; }

  protected:
    float vScrollRate = 0.0f, uScrollRate = 0.0f;  // texture units per millisecond
    float vOffset = 0.0f, uOffset = 0.0f;
    bool scrollU = true;
    bool scrollV = false;
};
