#pragma once

namespace dovovevozav {

/// A key as the timecode field's component editors see it: the character it types, or for a
/// key that types none a code of its own (a control character or a private-use code point).
/// Modifier keys are not part of it.
struct KeyEquivalent {
    char32_t character = 0;

    static const KeyEquivalent upArrow;
    static const KeyEquivalent downArrow;
    static const KeyEquivalent leftArrow;
    static const KeyEquivalent rightArrow;
    /// Backspace.
    static const KeyEquivalent deleteKey;
    static const KeyEquivalent deleteForward;
    static const KeyEquivalent clear;
    static const KeyEquivalent escape;
    static const KeyEquivalent returnKey;
    static const KeyEquivalent tab;
    static const KeyEquivalent space;
    /// U+007F, the delete key as some keyboards report it.
    static const KeyEquivalent deleteCharacter;
    /// U+0003, the Enter key of the numeric keypad.
    static const KeyEquivalent enterCharacter;

    friend constexpr bool operator==(KeyEquivalent, KeyEquivalent) = default;
};

inline const KeyEquivalent KeyEquivalent::upArrow{U'\uE000'};
inline const KeyEquivalent KeyEquivalent::downArrow{U'\uE001'};
inline const KeyEquivalent KeyEquivalent::leftArrow{U'\uE002'};
inline const KeyEquivalent KeyEquivalent::rightArrow{U'\uE003'};
inline const KeyEquivalent KeyEquivalent::deleteKey{U'\b'};
inline const KeyEquivalent KeyEquivalent::deleteForward{U'\uE004'};
inline const KeyEquivalent KeyEquivalent::clear{U'\uE005'};
inline const KeyEquivalent KeyEquivalent::escape{U'\x1B'};
inline const KeyEquivalent KeyEquivalent::returnKey{U'\r'};
inline const KeyEquivalent KeyEquivalent::tab{U'\t'};
inline const KeyEquivalent KeyEquivalent::space{U' '};
inline const KeyEquivalent KeyEquivalent::deleteCharacter{U'\x7F'};
inline const KeyEquivalent KeyEquivalent::enterCharacter{U'\x03'};

} // namespace dovovevozav
