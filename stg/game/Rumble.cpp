#include "stg/game/Rumble.h"

RumblePulse rumblePulse(RumbleCue cue) {
    switch (cue) {
        case RumbleCue::GrazeChain:
            return {0.0f, 0.35f, 90};
        case RumbleCue::ShipHit:
            return {1.0f, 0.8f, 320};
        case RumbleCue::Bomb:
            return {0.8f, 0.6f, 280};
        case RumbleCue::BossDeath:
            return {0.7f, 0.3f, 1400};
    }
    return {};
}
