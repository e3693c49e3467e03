#pragma once

#include <cstdint>
#include <string>

// A name as the player types it, one code point at a time from the window's text events:
// only glyphs the game's font draws are taken (codes 32 to 122 and 160 to 255), at most
// kMaxGlyphs of them, and a backspace takes away the last whole glyph, however many bytes
// it is written with. Return, escape and every other control code are the screen's to act
// on; the draft ignores them.
class NameDraft {
  public:
    static constexpr int kMaxGlyphs = 24;
    static constexpr uint32_t kBackspace = 8;

    // Starts again from `utf8` (a name already kept, or one offered): its drawable glyphs,
    // up to the limit; anything else in it is dropped.
    void reset(const std::string& utf8 = std::string());
    // One typed code point. True when the draft changed.
    bool type(uint32_t codePoint);

    // The name in UTF-8.
    std::string text() const;
    int glyphCount() const { return count; }
    bool empty() const { return count == 0; }
    bool full() const { return count == kMaxGlyphs; }

    // Whether the game's font draws `codePoint`.
    static bool drawable(uint32_t codePoint);

  private:
    uint32_t glyphs[kMaxGlyphs] = {};
    int count = 0;
};
