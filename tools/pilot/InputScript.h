#pragma once

#include <string>
#include <vector>

// One key event of a played or recorded game: the frame it reaches the game
// session on, its game key code (28 left, 29 right, 30 up, 31 down, 2 fire,
// 3 beam, 1 trance, 26 pause) and whether it is a press.
struct InputEvent {
    long frame;
    int code;
    bool down;
};

// Reads an input file: one event a line, "FRAME KEYCODE up|down"; lines
// starting with '#' and empty lines are skipped. The events come back sorted
// by frame, events of one frame in file order. False, with `problem` naming
// the file and line, when the file cannot be opened or a line is malformed.
bool readInputScript(const std::string& path, std::vector<InputEvent>& events, std::string& problem);
