#include "platform/MessageBox.h"

#include <SFML/Graphics.hpp>
#include <cstdio>
#include <sstream>
#include <vector>

// After the library's headers: Xlib's macros (None, Status) would rename their names.
#include <X11/Xlib.h>

#include "platform/DialogDrawing.h"

bool displayAvailable() {
    // The connection is kept for the program's life: an X server starts afresh when its last
    // client leaves, and a window opened at that moment finds no display.
    static Display* const display = XOpenDisplay(nullptr);
    return display != nullptr;
}

void showMessageBox(const std::string& title, const std::string& text) {
    // The text goes to the error stream too: a player without a display, or one who started the
    // game from a terminal, still reads it.
    std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    if (!displayAvailable()) {
        return;
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    sf::Font font;
    const sf::Font* face = dialog::loadFont(font) ? &font : nullptr;
    float textWidth = 200;
    if (face) {
        for (const std::string& line : lines) {
            sf::Text measure(line, *face, dialog::kTextSize);
            textWidth = std::max(textWidth, measure.getLocalBounds().width);
        }
    }
    const float lineHeight = 18;
    const unsigned width = static_cast<unsigned>(textWidth + 48);
    const unsigned height = static_cast<unsigned>(lines.size() * lineHeight + 84);
    sf::RenderWindow window(sf::VideoMode(width, height), title, sf::Style::Titlebar | sf::Style::Close);
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    window.setPosition(
        {static_cast<int>(desktop.width - width) / 2, static_cast<int>(desktop.height - height) / 2});
    const sf::FloatRect okRect((width - 90) / 2.0f, height - 42.0f, 90, 24);

    bool done = false;
    sf::Event event;
    while (!done && window.isOpen()) {
        window.clear(dialog::kBackground);
        for (size_t i = 0; i < lines.size(); ++i) {
            dialog::drawText(window, face, lines[i], 24, 20 + i * lineHeight);
        }
        dialog::drawButton(window, face, okRect, "OK", true, true);
        window.display();
        if (!window.waitEvent(event)) {
            break;
        }
        if (event.type == sf::Event::Closed) {
            done = true;
        } else if (event.type == sf::Event::KeyPressed &&
                   (event.key.code == sf::Keyboard::Enter || event.key.code == sf::Keyboard::Space ||
                    event.key.code == sf::Keyboard::Escape)) {
            done = true;
        } else if (event.type == sf::Event::MouseButtonPressed &&
                   okRect.contains(static_cast<float>(event.mouseButton.x),
                                   static_cast<float>(event.mouseButton.y))) {
            done = true;
        }
    }
}
