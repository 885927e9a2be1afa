#pragma once

#include <cstdint>
#include <optional>

namespace cubrava {

// The input both programs take from the window system, in their own terms:
// the window system's callbacks translate into these once, and nothing past
// them sees the window system's codes.

// Keys that type a character arrive as that character; these two have names.
constexpr unsigned char EnterKey = 13; // Return and the keypad's Enter
constexpr unsigned char EscapeKey = 27;

// The keys without a character that some binding uses. Other such keys,
// the modifier keys among them, are not passed on.
enum class SpecialKey : std::uint8_t { F1, F5, F6, Left, Up, Right, Down, PageUp, PageDown, Home, End, Insert };

// The keypad digit that shares its key with a special key: with Num Lock off
// the keypad sends these, and the arrow and editing keys act the same way.
// Nothing for the function keys.
constexpr std::optional<unsigned char> keypadDigit(SpecialKey key)
{
    switch (key) {
    case SpecialKey::Left:
        return '4';
    case SpecialKey::Up:
        return '8';
    case SpecialKey::Right:
        return '6';
    case SpecialKey::Down:
        return '2';
    case SpecialKey::PageUp:
        return '9';
    case SpecialKey::PageDown:
        return '3';
    case SpecialKey::Home:
        return '7';
    case SpecialKey::End:
        return '1';
    case SpecialKey::Insert:
        return '0';
    default:
        return std::nullopt;
    }
}

// A wheel step arrives as a press and a release of WheelUp (away from the
// user) or WheelDown; Other is any further button.
enum class MouseButton : std::uint8_t { Left, Middle, Right, WheelUp, WheelDown, Other };
enum class ButtonState : std::uint8_t { Down, Up };

// The modifier keys held with a key. The locks (Caps Lock, Num Lock) are
// not modifiers: they never change a binding.
struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;

    // What an Alt binding asks for: Alt, and neither Shift nor Control.
    bool altAlone() const { return alt && !shift && !control; }
};

} // namespace cubrava
