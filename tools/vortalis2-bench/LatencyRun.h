#pragma once

#include <cstdio>

namespace sf {
class Window;
}

// The bench's latency run: a stage plays in `window` (set up by the caller, the session's game
// started and ready) with no pilot; scripted presses of the left and right arrow keys go
// through the X server to the window, through the window library's events, the key table
// and the session's key events, as a player's keys do. The first frame whose update moved the
// ship the key's way is known from the game; a band of its pixels is read back as drawn,
// before its swap, and after the swap the X server's copy of the window is read until it
// shows that band: the latency of a press is from just before its key event was sent to that
// moment. Every present's time gives the jitter. The result line's figures come from
// LatencyReport. False when the keys cannot be sent or the window not read.
bool runLatency(sf::Window& window, int presses, bool lowLatency, bool vsync, std::FILE* result);
