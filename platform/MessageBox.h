#pragma once

#include <string>

// A small modal window with a title, a text and an OK button; returns when
// the player presses OK, Enter or Space, or closes it.
void showMessageBox(const std::string& title, const std::string& text);
