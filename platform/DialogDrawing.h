#pragma once

#include <SFML/Graphics.hpp>
#include <string>

// Look and helpers shared by the configuration dialog and the message box.
namespace dialog {

extern const sf::Color kBackground;
extern const sf::Color kPanel;
extern const sf::Color kText;
extern const sf::Color kAccent;
extern const sf::Color kFrame;

constexpr unsigned kTextSize = 12;  // pixels; the dialogs' 8-point face

// The dialogs' face from the system's fonts; false (and a console line) when
// none is installed, in which case the dialog is drawn without text.
bool loadFont(sf::Font& font);

void drawText(sf::RenderTarget& target, const sf::Font* font, const std::string& text, float x, float y,
              sf::Color colour = kText, unsigned size = kTextSize);
// A push button with its label centred; `isDefault` draws the heavier frame
// of the button Enter presses, `focused` the focus ring.
void drawButton(sf::RenderTarget& target, const sf::Font* font, const sf::FloatRect& rect,
                const std::string& label, bool isDefault, bool focused);
void drawFocusRing(sf::RenderTarget& target, const sf::FloatRect& rect);

// The program's icon, 32 x 32 RGBA: a dart-shaped fighter in cyan.
sf::Image makeIcon();

}  // namespace dialog
