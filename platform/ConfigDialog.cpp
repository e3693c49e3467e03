#include "platform/ConfigDialog.h"

#include <SFML/Graphics.hpp>
#include <cmath>

#include "platform/DialogDrawing.h"
#include "platform/Resolution.h"

namespace {
using Model = ConfigDialogModel;

sf::FloatRect toFloatRect(const Model::Rect& r) {
    return {r.x, r.y, r.width, r.height};
}

// The picture beside the controls: a fighter climbing out of a nebula into a
// field of stars, with the game's name. Drawn once into a texture.
void paintPicture(sf::RenderTexture& canvas, const sf::Font* font) {
    const sf::Vector2f size(canvas.getSize());
    canvas.clear(sf::Color(6, 8, 20));

    sf::VertexArray sky(sf::TriangleStrip, 4);
    sky[0] = sf::Vertex({0, 0}, sf::Color(4, 6, 18));
    sky[1] = sf::Vertex({size.x, 0}, sf::Color(10, 8, 30));
    sky[2] = sf::Vertex({0, size.y}, sf::Color(40, 16, 70));
    sky[3] = sf::Vertex({size.x, size.y}, sf::Color(14, 40, 90));
    canvas.draw(sky);

    // Nebula: soft additive discs.
    for (int i = 0; i < 9; ++i) {
        sf::CircleShape glow(40.0f + 9.0f * i);
        glow.setOrigin(glow.getRadius(), glow.getRadius());
        glow.setPosition(size.x * (0.2f + 0.07f * i), size.y * (0.95f - 0.045f * i));
        glow.setFillColor(sf::Color(120 - 8 * i, 40 + 10 * i, 160, 10));
        canvas.draw(glow, sf::BlendAdd);
    }

    // Stars from a fixed sequence, so the picture is the same every run.
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    for (int i = 0; i < 140; ++i) {
        const float x = static_cast<float>(next() % static_cast<unsigned>(size.x));
        const float y = static_cast<float>(next() % static_cast<unsigned>(size.y));
        const float radius = (next() % 100) < 12 ? 1.2f : 0.6f;
        sf::CircleShape star(radius);
        const sf::Uint8 light = static_cast<sf::Uint8>(150 + next() % 105);
        star.setFillColor(sf::Color(light, light, 255));
        star.setPosition(x, y);
        canvas.draw(star);
    }

    // The fighter, nose up, with its engine flare.
    const sf::Vector2f ship(size.x * 0.5f, size.y * 0.62f);
    sf::CircleShape flare(16);
    flare.setOrigin(16, 16);
    flare.setScale(0.6f, 2.2f);
    flare.setPosition(ship.x, ship.y + 52);
    flare.setFillColor(sf::Color(90, 200, 255, 110));
    canvas.draw(flare, sf::BlendAdd);
    sf::ConvexShape hull(7);
    const sf::Vector2f points[] = {{0, -46}, {9, -10}, {30, 22}, {10, 18}, {0, 30}, {-10, 18}, {-30, 22}};
    for (size_t i = 0; i < 7; ++i) {
        hull.setPoint(i, points[i]);
    }
    hull.setPosition(ship);
    hull.setFillColor(sf::Color(50, 90, 150));
    hull.setOutlineColor(sf::Color(150, 220, 255));
    hull.setOutlineThickness(1.5f);
    canvas.draw(hull);
    sf::RectangleShape canopy({3, 22});
    canopy.setOrigin(1.5f, 0);
    canopy.setPosition(ship.x, ship.y - 26);
    canopy.setFillColor(sf::Color(220, 250, 255));
    canvas.draw(canopy);

    if (font) {
        sf::Text name("VORTALIS", *font, 26);
        name.setStyle(sf::Text::Bold);
        name.setLetterSpacing(1.4f);
        const sf::FloatRect bounds = name.getLocalBounds();
        name.setPosition(std::round((size.x - bounds.width) / 2 - bounds.left), 26);
        name.setFillColor(sf::Color(220, 240, 255));
        canvas.draw(name);
        sf::Text two("2", *font, 54);
        two.setStyle(sf::Text::Bold);
        const sf::FloatRect twoBounds = two.getLocalBounds();
        two.setPosition(std::round((size.x - twoBounds.width) / 2 - twoBounds.left), 58);
        two.setFillColor(sf::Color(90, 200, 255));
        canvas.draw(two);
    }
    canvas.display();
}

void drawGroupBox(sf::RenderTarget& target, const sf::Font* font, const Model::Rect& r, const char* label) {
    sf::RectangleShape frame({r.width, r.height - 6});
    frame.setPosition(r.x, r.y + 6);
    frame.setFillColor(dialog::kPanel);
    frame.setOutlineColor(dialog::kFrame);
    frame.setOutlineThickness(-1);
    target.draw(frame);
    if (font) {
        sf::Text text(label, *font, dialog::kTextSize);
        const sf::FloatRect bounds = text.getLocalBounds();
        sf::RectangleShape gap({bounds.width + 6, 4});
        gap.setPosition(r.x + 6, r.y + 4);
        gap.setFillColor(dialog::kBackground);
        target.draw(gap);
        dialog::drawText(target, font, label, r.x + 9, r.y - 2);
    }
}

void drawRadio(sf::RenderTarget& target, const sf::Font* font, const Model::Rect& r, const char* label,
               bool checked, bool focused) {
    sf::CircleShape ring(5.5f);
    ring.setPosition(r.x, r.y + (r.height - 11) / 2);
    ring.setFillColor(dialog::kBackground);
    ring.setOutlineColor(dialog::kFrame);
    ring.setOutlineThickness(1);
    target.draw(ring);
    if (checked) {
        sf::CircleShape dot(3);
        dot.setPosition(r.x + 2.5f, r.y + (r.height - 11) / 2 + 2.5f);
        dot.setFillColor(dialog::kAccent);
        target.draw(dot);
    }
    dialog::drawText(target, font, label, r.x + 16, r.y - 2);
    if (focused) {
        dialog::drawFocusRing(target, {r.x + 14, r.y - 1, r.width - 14, r.height + 2});
    }
}

void drawList(sf::RenderTarget& target, const sf::Font* font, const Model& model) {
    const Model::Rect box = Model::listBoxRect();
    sf::RectangleShape field({box.width, box.height});
    field.setPosition(box.x, box.y);
    field.setFillColor(dialog::kBackground);
    field.setOutlineColor(model.focus == Model::ResolutionList ? dialog::kAccent : dialog::kFrame);
    field.setOutlineThickness(-1);
    target.draw(field);
    dialog::drawText(target, font, kResolutions[model.resolutionIndex].label, box.x + 4, box.y + 3);
    sf::ConvexShape arrow(3);
    arrow.setPoint(0, {0, 0});
    arrow.setPoint(1, {8, 0});
    arrow.setPoint(2, {4, 5});
    arrow.setPosition(box.x + box.width - 13, box.y + box.height / 2 - 2);
    arrow.setFillColor(dialog::kText);
    target.draw(arrow);
    if (!model.listOpen) {
        return;
    }
    for (int entry = 0; entry < kResolutionCount; ++entry) {
        const Model::Rect r = Model::listEntryRect(entry);
        sf::RectangleShape row({r.width, r.height});
        row.setPosition(r.x, r.y);
        row.setFillColor(entry == model.resolutionIndex ? sf::Color(40, 90, 140) : dialog::kBackground);
        target.draw(row);
        dialog::drawText(target, font, kResolutions[entry].label, r.x + 4, r.y, dialog::kText, 11);
    }
    const Model::Rect first = Model::listEntryRect(0);
    const Model::Rect last = Model::listEntryRect(kResolutionCount - 1);
    sf::RectangleShape outline({first.width, last.y + last.height - first.y});
    outline.setPosition(first.x, first.y);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(dialog::kFrame);
    outline.setOutlineThickness(-1);
    target.draw(outline);
}

void drawDialog(sf::RenderTarget& target, const sf::Font* font, const sf::Texture& picture,
                const Model& model) {
    target.clear(dialog::kBackground);
    sf::Sprite pictureSprite(picture);
    const Model::Rect pictureRect = Model::fromDialogUnits(7, 7, 109, 193);
    pictureSprite.setPosition(pictureRect.x, pictureRect.y);
    target.draw(pictureSprite);

    drawGroupBox(target, font, Model::fromDialogUnits(122, 7, 85, 30), "Resolution");
    drawGroupBox(target, font, Model::fromDialogUnits(122, 42, 85, 40), "Fullscreen");
    drawGroupBox(target, font, Model::fromDialogUnits(122, 87, 85, 40), "Debug Mode");
    drawRadio(target, font, Model::controlRect(Model::FullscreenNo), "No", !model.fullscreen,
              model.focus == Model::FullscreenNo);
    drawRadio(target, font, Model::controlRect(Model::FullscreenYes), "Yes", model.fullscreen,
              model.focus == Model::FullscreenYes);
    drawRadio(target, font, Model::controlRect(Model::DebugOff), "Off", !model.debugMode,
              model.focus == Model::DebugOff);
    drawRadio(target, font, Model::controlRect(Model::DebugOn), "On", model.debugMode,
              model.focus == Model::DebugOn);
    dialog::drawButton(target, font, toFloatRect(Model::controlRect(Model::OkButton)), "OK", true,
                       model.focus == Model::OkButton);
    dialog::drawButton(target, font, toFloatRect(Model::controlRect(Model::CancelButton)), "Cancel", false,
                       model.focus == Model::CancelButton);
    // Last, so the open drop-down lies over the controls below it.
    drawList(target, font, model);
}

bool toDialogKey(sf::Keyboard::Key key, Model::Key& out) {
    switch (key) {
        case sf::Keyboard::Tab:
            out = Model::Tab;
            return true;
        case sf::Keyboard::Up:
            out = Model::Up;
            return true;
        case sf::Keyboard::Down:
            out = Model::Down;
            return true;
        case sf::Keyboard::Space:
            out = Model::Space;
            return true;
        case sf::Keyboard::Enter:
            out = Model::Enter;
            return true;
        case sf::Keyboard::Escape:
            out = Model::Escape;
            return true;
        default:
            return false;
    }
}
}  // namespace

ConfigDialogModel::Result runConfigDialog(ConfigDialogModel& model) {
    sf::RenderWindow window(
        sf::VideoMode(static_cast<unsigned>(Model::kWidth), static_cast<unsigned>(Model::kHeight)),
        "Vortalis 2 Config", sf::Style::Titlebar | sf::Style::Close);
    window.setKeyRepeatEnabled(true);
    const sf::Image icon = dialog::makeIcon();
    window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    window.setPosition({static_cast<int>(desktop.width - window.getSize().x) / 2,
                        static_cast<int>(desktop.height - window.getSize().y) / 2});

    sf::Font font;
    const sf::Font* face = dialog::loadFont(font) ? &font : nullptr;
    const Model::Rect pictureRect = Model::fromDialogUnits(7, 7, 109, 193);
    sf::RenderTexture picture;
    picture.create(static_cast<unsigned>(pictureRect.width), static_cast<unsigned>(pictureRect.height));
    paintPicture(picture, face);

    auto handle = [&model](const sf::Event& event) {
        if (event.type == sf::Event::Closed) {
            model.closeRequested();
        } else if (event.type == sf::Event::KeyPressed) {
            Model::Key key;
            if (toDialogKey(event.key.code, key)) {
                model.keyPressed(key, event.key.shift);
            }
        } else if (event.type == sf::Event::MouseButtonPressed &&
                   event.mouseButton.button == sf::Mouse::Left) {
            model.click(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y));
        }
    };
    drawDialog(window, face, picture.getTexture(), model);
    window.display();
    sf::Event event;
    // The dialog sleeps until something happens, then redraws once.
    while (model.result == Model::Running && window.waitEvent(event)) {
        handle(event);
        while (model.result == Model::Running && window.pollEvent(event)) {
            handle(event);
        }
        drawDialog(window, face, picture.getTexture(), model);
        window.display();
    }
    window.close();
    return model.result;
}
