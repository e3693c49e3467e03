#pragma once

#include "engine/IXTransformable.h"

// A render object described by a sprite property list. Until sprites read
// their lists, a sprite is a plain unit-sized transformable.
class OXSprite : public IXTransformable {
public:
    void load(const std::string& path) override;
    const std::string& getPath() const { return path; }

private:
    std::string path;  // package path of the sprite's property list
};
