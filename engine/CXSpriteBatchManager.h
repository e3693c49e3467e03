#pragma once

#include <string>

#include "engine/IXParticleManager.h"

class OXSprite;

// Many short-lived sprites of one atlas in one draw call. A caller takes a
// free sprite, places it and gives it actions; the sprite is not kept alive,
// so it returns to the pool by itself when its actions end.
class CXSpriteBatchManager : public IXParticleManager {
  public:
    static constexpr int kPoolSize = 200;
    static constexpr int kVertexCapacity = 10000;

    void setup(const std::string& atlasName, const std::string& spritePath, bool linearMin = true,
               bool linearMag = true);
    // The first free sprite, colour reset to white; null (with a message) when all are in use.
    OXSprite* getFreeSprite();
    void update(float dtMs) override;
    void buildBatch() override;

    OXSprite* sprite(int index) const;
};
