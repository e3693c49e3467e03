#pragma once

#include <SFML/System.hpp>

#include "platform/FramePacer.h"

// The frame clock on the media library's monotonic clock.
class SfmlFrameClock : public IXFrameClock {
  public:
    int64_t elapsedMicroseconds() override { return clock.getElapsedTime().asMicroseconds(); }
    void restart() override { clock.restart(); }
    void sleepMicroseconds(int64_t microseconds) override { sf::sleep(sf::microseconds(microseconds)); }

  private:
    sf::Clock clock;
};
