#pragma once

// Presses keys through the X server's own input path, as a keyboard would: the
// XTest extension (loaded at run time from libXtst) makes the server generate
// the key events and deliver them to the window with the input focus. It has a
// connection of its own, so another thread than the window's may use it.
class XKeySender {
  public:
    XKeySender() = default;
    XKeySender(const XKeySender&) = delete;
    XKeySender& operator=(const XKeySender&) = delete;
    ~XKeySender();

    // Connects, finds XTest and gives `window` the input focus; false, with a line on
    // standard error, when any of it fails.
    bool open(unsigned long window);
    // The key named by X's key symbol `keySym` (such as XK_Left) pressed or released; returns
    // once the server has the request.
    void send(unsigned long keySym, bool down);

  private:
    using FakeKey = int (*)(void* display, unsigned int keyCode, int isPress, unsigned long delay);

    void* display = nullptr;  // Display*
    void* library = nullptr;
    FakeKey fakeKey = nullptr;
};

// Reads a window's pixels back from the X server, as the screen shows them, on a connection of
// its own.
class XWindowReader {
  public:
    XWindowReader() = default;
    XWindowReader(const XWindowReader&) = delete;
    XWindowReader& operator=(const XWindowReader&) = delete;
    ~XWindowReader();

    bool open(unsigned long window);
    // The rectangle at `left`, `top` (from the window's top left) as RGBA rows from the top,
    // into `rgba` (width * height * 4 bytes); false when the server gave no picture.
    bool read(int left, int top, int width, int height, unsigned char* rgba);

  private:
    void* display = nullptr;  // Display*
    unsigned long window = 0;
};
