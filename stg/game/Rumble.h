#pragma once

// What the game asks a controller's motors to do, and when. The game scene names the moment
// (a cue); the session turns it into a pulse when the player's profile allows rumble (never
// while a replay is watched, unless the player asked for it) and hands it to the rumble device
// the application gives it. Rumble never touches the game's course.
enum class RumbleCue {
    GrazeChain,  // a graze chain reached a milestone: a short, light pulse
    ShipHit,     // the ship was hit: a strong pulse
    Bomb,        // a bomb went off: a strong pulse
    BossDeath,   // a boss died: a long rumble
};

// Motor strengths from 0 to 1 (the low-frequency and the high-frequency motor) and a length.
struct RumblePulse {
    float low = 0.0f;
    float high = 0.0f;
    int ms = 0;
};

// The pulse each cue plays.
RumblePulse rumblePulse(RumbleCue cue);

// Whatever plays a pulse: the application's game controller, or a test's recorder.
class IXRumble {
  public:
    virtual ~IXRumble() = default;
    virtual void rumble(const RumblePulse& pulse) = 0;
};
