#include "tools/vortalis2-bench/XKeySender.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cstdio>

XKeySender::~XKeySender() {
    if (display) {
        XCloseDisplay(static_cast<Display*>(display));
    }
    if (library) {
        dlclose(library);
    }
}

bool XKeySender::open(unsigned long window) {
    library = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    fakeKey = library ? reinterpret_cast<FakeKey>(dlsym(library, "XTestFakeKeyEvent")) : nullptr;
    if (!fakeKey) {
        std::fprintf(stderr, "vortalis2-bench: the XTest library (libXtst.so.6) is not available\n");
        return false;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "vortalis2-bench: no second connection to the X display\n");
        return false;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XQueryExtension(static_cast<Display*>(display), "XTEST", &major, &event, &error)) {
        std::fprintf(stderr, "vortalis2-bench: the X server has no XTest extension\n");
        return false;
    }
    (void)minor;
    XSetInputFocus(static_cast<Display*>(display), static_cast<Window>(window), RevertToParent, CurrentTime);
    XSync(static_cast<Display*>(display), False);
    return true;
}

void XKeySender::send(unsigned long keySym, bool down) {
    Display* x = static_cast<Display*>(display);
    fakeKey(x, XKeysymToKeycode(x, static_cast<KeySym>(keySym)), down ? True : False, CurrentTime);
    XFlush(x);
}

XWindowReader::~XWindowReader() {
    if (display) {
        XCloseDisplay(static_cast<Display*>(display));
    }
}

bool XWindowReader::open(unsigned long windowId) {
    window = windowId;
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "vortalis2-bench: no connection to the X display to read the window\n");
    }
    return display != nullptr;
}

bool XWindowReader::read(int left, int top, int width, int height, unsigned char* rgba) {
    XImage* image =
        XGetImage(static_cast<Display*>(display), static_cast<Window>(window), left, top,
                  static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) {
        return false;
    }
    // The masks give each channel's bits; the game's display is 24-bit true colour.
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<unsigned char>((pixel >> shift) & 0xFF);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = rgba + (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4;
            out[0] = channel(pixel, image->red_mask);
            out[1] = channel(pixel, image->green_mask);
            out[2] = channel(pixel, image->blue_mask);
            out[3] = 255;
        }
    }
    XDestroyImage(image);
    return true;
}
