#pragma once

// The start-up configuration dialog's state and behaviour, apart from its
// drawing: the resolution list, full screen and debug console choices, the
// keyboard focus and the result. Rectangles are in pixels of the dialog.
class ConfigDialogModel {
  public:
    // Focus order of Tab.
    enum Control {
        ResolutionList,
        FullscreenNo,
        FullscreenYes,
        DebugOff,
        DebugOn,
        OkButton,
        CancelButton,
        ControlCount
    };
    enum Result { Running = -1, Cancelled = 0, Accepted = 1 };
    enum Key { Tab, Up, Down, Space, Enter, Escape };

    struct Rect {
        float x, y, width, height;
        bool contains(float px, float py) const {
            return px >= x && px < x + width && py >= y && py < y + height;
        }
    };

    // Dialog units to pixels.
    static constexpr float kPixelsPerUnitX = 1.5f;
    static constexpr float kPixelsPerUnitY = 1.625f;
    static Rect fromDialogUnits(float x, float y, float width, float height);

    static constexpr float kWidth = 214 * kPixelsPerUnitX;   // pixels
    static constexpr float kHeight = 209 * kPixelsPerUnitY;  // pixels

    ConfigDialogModel();

    void keyPressed(Key key, bool shift);
    void click(float x, float y);
    // The window's close box: the dialog ends only through OK or Cancel.
    void closeRequested() {}

    static Rect controlRect(Control control);
    // The closed resolution box and, while it is open, its drop-down entries.
    static Rect listBoxRect();
    static Rect listEntryRect(int entry);

    int resolutionIndex;
    bool fullscreen;
    bool debugMode;
    Control focus;
    bool listOpen;
    Result result;

  private:
    void activate(Control control);
};
