#pragma once

#include <string>

// A small modal window with a title, a text and an OK button; returns when
// the player presses OK, Enter, Space or Escape, or closes it. The title and
// text are also written to the error stream; without a display that is all,
// and it returns at once.
void showMessageBox(const std::string& title, const std::string& text);

// True when a window can be opened: the X display the environment names
// answered the first call (the windowing library ends the program when it
// cannot reach one). The first call opens a connection kept until the end.
bool displayAvailable();
