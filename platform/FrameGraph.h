#pragma once

// The debug frame graph: a small panel in the window's lower-left corner with
// the last few seconds of frames, one bar a frame, as tall as the frame's
// interval (green up to the game's 17 ms frame, yellow up to two frames, red
// beyond; lines mark 17 and 34 ms), a dot a frame for its draw calls, and the
// newest interval (ms) and draw calls in digits above it. It is drawn on the
// window after the composite, so its own draw calls are not counted.
class FrameGraph {
  public:
    static constexpr int kFrames = 240;                          // about four seconds of frames
    static constexpr float kPixelsPerMs = 2.0f;                  // bar height
    static constexpr int kPanelHeight = 100;                     // pixels: 50 ms of bar, 100 draw calls
    static constexpr int kPanelWidth = kFrames;                  // pixels, one column a frame
    static constexpr int kDigitPixel = 3;                        // size of one cell of the 3 x 5 digits
    static constexpr int kMaxQuads = 3 + 2 * kFrames + 10 * 15;  // panel, lines, bars, dots, digits

    // One finished frame: its interval from the previous frame's start and its draw calls.
    void record(float intervalMs, int drawCalls);
    void toggle() { shown = !shown; }
    bool isShown() const { return shown; }
    // Frames recorded, up to kFrames; the figures of the frame `age` frames
    // before the newest (0 is the newest).
    int count() const { return filled; }
    float intervalAt(int age) const;
    int drawCallsAt(int age) const;

    // Draws the panel onto the bound window framebuffer of the given size, in
    // one draw call. Needs the GL context; makes its texture on first use.
    void draw(int windowWidth, int windowHeight);
    // Deletes its texture, before the context goes.
    void release();

  private:
    // Appends one flat-coloured quad, x and y its lower-left corner, in window
    // pixels; colours are premultiplied. Nothing beyond kMaxQuads.
    void addQuad(float x, float y, float width, float height, float r, float g, float b, float a);
    // A non-negative whole number in 3 x 5 digits, its lower-left corner at (x, y);
    // with `tenths`, the last digit is shown after a point. Returns the width drawn.
    float addNumber(float x, float y, int value, bool tenths);
    float addDigit(float x, float y, int digit);
    int slotOf(int age) const;

    float intervals[kFrames] = {};  // ms, a ring: `next` is the oldest when full
    int drawCalls[kFrames] = {};
    int next = 0;
    int filled = 0;
    bool shown = false;
    int texture = -1;  // a white texel, so the quads show their vertex colours
    // Vertices in the batches' 48-byte layout: position (4 floats), colour (4), texture (4).
    float vertices[kMaxQuads * 6 * 12] = {};
    int vertexCount = 0;
};
