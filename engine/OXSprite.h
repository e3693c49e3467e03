#pragma once

#include "engine/IXTransformable.h"

// The common visible object: one cell of a texture atlas, optionally playing
// a frame animation through consecutive cells. Described by a sprite
// property list ("assets/plist/spr_title_logo" reads spr_title_logo.plist).
class OXSprite : public IXTransformable {
  public:
    // The most cells along one side of an atlas grid (one-pixel cells of the largest texture),
    // and so the most frames a sprite list may name; larger values are clamped when read.
    static constexpr int kMostGridSide = 4096;
    // The sprite list of a plain white square, tinted and stretched for every flat fill.
    static constexpr const char* kFillSquare = "assets/plist/spr_invert_square";

    enum AnimState { Playing = 0, Paused = 1, Stopped = 2 };

    void load(const std::string& path) override;
    void draw() override;
    void update(float dtMs) override;
    // Loads the sprite list `path` (without ".plist"); `nearest` asks for
    // unfiltered texture sampling. An empty path gives a one-cell sprite
    // without texture.
    virtual void loadSprite(const std::string& path, bool nearest);
    virtual void readSpritePlist(const std::string& file, bool nearest);
    // Loads the plain white square (kFillSquare) as a flat rectangle of `tint`, `width` x
    // `height` scene units: a one-colour area needs no texture of its own. Without the square's
    // texture the rectangle has no size and draws nothing.
    void loadFill(const Colour& tint, float width, float height);
    // Texture coordinates of the current cell's edges; the "At" forms span n cells.
    virtual float uAt(bool right, int n) const;
    virtual float u(bool right) const;
    virtual float vAt(bool top, int n) const;
    virtual float v(bool top) const;

    void play();
    void pause() { animState = Paused; }
    void stop() { animState = Stopped; }
    void setLoop(bool value) { loop = value; }
    // Frame n of the animation, counted from its start frame.
    void setFrame(int n) { setFrameClamped(startFrame + n); }
    // Frame f of the atlas, no later than the animation's last frame.
    void setFrameClamped(int f);
    // From now on the animation runs over atlas cells first to first + count - 1 (kept within
    // the grid), and shows its first: one sheet may hold several animations or still cells.
    void setFrameRange(int first, int count);
    int currentFrame() const { return row * numColumns + column; }
    void setSpeedFactor(float factor) { speedFactor = factor; }
    AnimState getAnimState() const { return animState; }
    int getNumColumns() const { return numColumns; }
    int getNumRows() const { return numRows; }

  protected:
    int numColumns = 1;  // atlas grid
    int numRows = 1;
    int animSpeed = 0;  // milliseconds per frame
    int numFrames = 1;
    float speedFactor = 1.0f;  // multiplies animSpeed
    int column = 0;            // current cell
    int row = 0;
    int frameTimer = 0;         // whole milliseconds towards the next frame
    float textureWidth = 0.0f;  // full image, pixels
    float textureHeight = 0.0f;
    AnimState animState = Stopped;
    bool loop = true;
    int startFrame = 0;
    int lastFrame = 0;  // startFrame + numFrames - 1
};
