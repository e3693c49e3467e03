#pragma once
// Where a music track's loop starts: the "LOOPSTART=frames" comment the music generator writes
// into an Ogg Vorbis file's comment header (the stream's second packet). Read straight off the
// first Ogg pages, so the game needs no Vorbis library of its own for it.

#include <SFML/System/InputStream.hpp>

#include <cstdint>

enum class LoopTag {
    Absent,     // no such comment (or no readable comment header): the track loops whole
    Found,      // `frames` holds the frame the loop starts at
    Malformed,  // the comment is there but its value is not a frame number
};

// Reads from the stream's start; leaves the stream at an unspecified position.
LoopTag readLoopStart(sf::InputStream& stream, uint64_t& frames);
