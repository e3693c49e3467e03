#include "platform/SfmlJoystick.h"

#include <SFML/Window/Joystick.hpp>

void SfmlJoystick::update() {
    sf::Joystick::update();
}

bool SfmlJoystick::isConnected(int joystick) {
    return sf::Joystick::isConnected(static_cast<unsigned>(joystick));
}

int SfmlJoystick::getButtonCount(int joystick) {
    return static_cast<int>(sf::Joystick::getButtonCount(static_cast<unsigned>(joystick)));
}

bool SfmlJoystick::isButtonPressed(int joystick, int button) {
    if (button < 0 || button >= static_cast<int>(sf::Joystick::ButtonCount)) {
        return false;
    }
    return sf::Joystick::isButtonPressed(static_cast<unsigned>(joystick), static_cast<unsigned>(button));
}

float SfmlJoystick::getAxisPosition(int joystick, int axis) {
    const unsigned id = static_cast<unsigned>(joystick);
    switch (axis) {
        case 0:
            return sf::Joystick::getAxisPosition(id, sf::Joystick::X);
        case 1:
            return sf::Joystick::getAxisPosition(id, sf::Joystick::Y);
        case 6:
            return -sf::Joystick::getAxisPosition(id, sf::Joystick::PovY);
        case 7:
            return sf::Joystick::getAxisPosition(id, sf::Joystick::PovX);
        default:
            return 0.0f;
    }
}
