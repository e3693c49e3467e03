#pragma once

#include <SFML/Window/Keyboard.hpp>

// The Windows virtual-key code of an SFML key, which the key state, the key
// table and the stored bindings are written in; 0 for keys without one.
int virtualKeyForSfmlKey(sf::Keyboard::Key key);
