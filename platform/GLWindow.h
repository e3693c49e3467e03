#pragma once

#include <SFML/Window/ContextSettings.hpp>
#include <cstdint>
#include <string>

namespace sf {
class Event;
class Window;
}  // namespace sf

// The window module's state: what the dialog chose and the key state the
// window's events keep.
struct WindowState {
    uint8_t keys[256] = {};          // 1 while the virtual key is down; written only by event handling
    uint8_t previousKeys[256] = {};  // `keys` as the previous frame's edge pass saw it
    bool windowActive = true;        // false while minimised
    bool fullscreen = false;
    bool debugMode = false;  // keeps the debug console (standard output) open
    int resolutionIndex = 1;
};

WindowState& windowState();
// The game window, or null before it is made and after it is destroyed.
sf::Window* gameWindow();

// Makes the game window with its OpenGL 2.0 context, opens the debug console,
// sets the working directory, runs the GL defaults and the application's
// initialisation, and shows the window. Every failure is reported on the
// console and in a message box, and gives false.
bool createGLWindow(const std::string& title, int width, int height, int bits, bool fullscreen);
void killGLWindow();
// What the game window's OpenGL context asks for: version 2.0, a 16-bit depth
// buffer, no stencil, no multisampling.
sf::ContextSettings gameContextSettings();
// The fixed-function defaults and extension loading on the current context.
void applyGLDefaults();
// applyGLDefaults and the application's initialisation; false when the
// graphics manager found no usable GLSL.
bool initGL();
void resizeGLScene(int width, int height);
// One frame's update and drawing.
bool drawGLScene();
// Shows the frame drawn in `window`. With `lowLatency`, returns only once the
// driver has finished the frame and its swap, so the program never runs a
// frame ahead of the screen: at most one frame is ever queued, and the next
// frame's input is read after this one is out.
void presentFrame(sf::Window& window, bool lowLatency);
// Handles one window event; true when it asks the program to quit.
bool handleWindowEvent(const sf::Event& event);
// Changes to the folder the executable lies in, so the package beside it is found.
void setWorkingDirectoryToExe();
