#include "platform/SfmlKeys.h"

int virtualKeyForSfmlKey(sf::Keyboard::Key key) {
    using K = sf::Keyboard;
    if (key >= K::A && key <= K::Z) {
        return 'A' + (key - K::A);
    }
    if (key >= K::Num0 && key <= K::Num9) {
        return '0' + (key - K::Num0);
    }
    if (key >= K::Numpad0 && key <= K::Numpad9) {
        return 0x60 + (key - K::Numpad0);
    }
    if (key >= K::F1 && key <= K::F15) {
        return 0x70 + (key - K::F1);
    }
    switch (key) {
        case K::Escape:
            return 0x1B;
        case K::LControl:
            return 0xA2;
        case K::LShift:
            return 0xA0;
        case K::LAlt:
            return 0xA4;
        case K::LSystem:
            return 0x5B;
        case K::RControl:
            return 0xA3;
        case K::RShift:
            return 0xA1;
        case K::RAlt:
            return 0xA5;
        case K::RSystem:
            return 0x5C;
        case K::Menu:
            return 0x5D;
        case K::LBracket:
            return 0xDB;
        case K::RBracket:
            return 0xDD;
        case K::Semicolon:
            return 0xBA;
        case K::Comma:
            return 0xBC;
        case K::Period:
            return 0xBE;
        case K::Quote:
            return 0xDE;
        case K::Slash:
            return 0xBF;
        case K::Backslash:
            return 0xDC;
        case K::Tilde:
            return 0xC0;
        case K::Equal:
            return 0xBB;
        case K::Hyphen:
            return 0xBD;
        case K::Space:
            return 0x20;
        case K::Enter:
            return 0x0D;
        case K::Backspace:
            return 0x08;
        case K::Tab:
            return 0x09;
        case K::PageUp:
            return 0x21;
        case K::PageDown:
            return 0x22;
        case K::End:
            return 0x23;
        case K::Home:
            return 0x24;
        case K::Insert:
            return 0x2D;
        case K::Delete:
            return 0x2E;
        case K::Add:
            return 0x6B;
        case K::Subtract:
            return 0x6D;
        case K::Multiply:
            return 0x6A;
        case K::Divide:
            return 0x6F;
        case K::Left:
            return 0x25;
        case K::Right:
            return 0x27;
        case K::Up:
            return 0x26;
        case K::Down:
            return 0x28;
        case K::Pause:
            return 0x13;
        default:
            return 0;
    }
}
