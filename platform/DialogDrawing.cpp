#include "platform/DialogDrawing.h"

#include <cmath>
#include <cstdio>

namespace dialog {

const sf::Color kBackground(18, 22, 38);
const sf::Color kPanel(30, 36, 60);
const sf::Color kText(220, 228, 245);
const sf::Color kAccent(90, 200, 255);
const sf::Color kFrame(80, 92, 130);

bool loadFont(sf::Font& font) {
    static const char* const kCandidates[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
    };
    for (const char* path : kCandidates) {
        if (font.loadFromFile(path)) {
            return true;
        }
    }
    std::printf("No dialog font found (install fonts-dejavu-core); drawing without text.\n");
    return false;
}

void drawText(sf::RenderTarget& target, const sf::Font* font, const std::string& text, float x, float y,
              sf::Color colour, unsigned size) {
    if (!font) {
        return;
    }
    sf::Text label(text, *font, size);
    label.setFillColor(colour);
    label.setPosition(std::round(x), std::round(y));
    target.draw(label);
}

void drawFocusRing(sf::RenderTarget& target, const sf::FloatRect& rect) {
    sf::RectangleShape ring({rect.width + 4, rect.height + 4});
    ring.setPosition(rect.left - 2, rect.top - 2);
    ring.setFillColor(sf::Color::Transparent);
    ring.setOutlineColor(kAccent);
    ring.setOutlineThickness(1);
    target.draw(ring);
}

void drawButton(sf::RenderTarget& target, const sf::Font* font, const sf::FloatRect& rect,
                const std::string& label, bool isDefault, bool focused) {
    sf::RectangleShape body({rect.width, rect.height});
    body.setPosition(rect.left, rect.top);
    body.setFillColor(kPanel);
    body.setOutlineColor(isDefault ? kAccent : kFrame);
    body.setOutlineThickness(isDefault ? -2.0f : -1.0f);
    target.draw(body);
    if (font) {
        sf::Text text(label, *font, kTextSize);
        const sf::FloatRect bounds = text.getLocalBounds();
        text.setFillColor(kText);
        text.setPosition(std::round(rect.left + (rect.width - bounds.width) / 2 - bounds.left),
                         std::round(rect.top + (rect.height - bounds.height) / 2 - bounds.top));
        target.draw(text);
    }
    if (focused) {
        drawFocusRing(target, rect);
    }
}

sf::Image makeIcon() {
    constexpr unsigned kSize = 32;
    sf::Image icon;
    icon.create(kSize, kSize, sf::Color::Transparent);
    // A dart pointing up: the hull narrows from the wings at the bottom to
    // the nose, with a bright canopy line down its middle.
    for (unsigned y = 2; y < 30; ++y) {
        const float t = (y - 2) / 27.0f;  // 0 at the nose, 1 at the tail
        const float halfWidth = 1.0f + t * 13.0f;
        for (unsigned x = 0; x < kSize; ++x) {
            const float dx = std::fabs(x + 0.5f - 16.0f);
            if (dx > halfWidth || (y > 24 && dx < 4 - (y - 24) * 0.5f && dx > 1.5f)) {
                continue;
            }
            const float shade = 1.0f - dx / (halfWidth + 1.0f) * 0.6f;
            sf::Color colour(static_cast<sf::Uint8>(40 * shade), static_cast<sf::Uint8>(150 * shade),
                             static_cast<sf::Uint8>(230 * shade));
            if (dx < 1.0f && y > 6 && y < 20) {
                colour = sf::Color(210, 245, 255);
            }
            icon.setPixel(x, y, colour);
        }
    }
    return icon;
}

}  // namespace dialog
