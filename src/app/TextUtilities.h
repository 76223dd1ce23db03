#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// The wall-clock time "HH:mm:ss" (UTC) that many milliseconds after midnight: days are
/// dropped (25 hours give "01:00:00"), fractions of a second are cut off, and a negative count
/// counts back from midnight (-1 gives "23:59:59").
std::string clockTimeString(std::int64_t milliseconds);

/// The pieces of `text` between occurrences of the whole `separator`, in order, without the
/// empty ones. An empty text gives no pieces; an empty separator gives the whole text.
std::vector<std::string> nonEmptyComponents(std::string_view text, std::string_view separator);

/// `text` without the `characters` at either end (white space and line breaks by default).
std::string_view trimmedText(std::string_view text, std::string_view characters = " \t\n\r\v\f");

/// Base64 bytes of `text`, strictly: the standard alphabet, a length that is a multiple of four,
/// "=" only to fill the last one or two places; none otherwise (no whitespace is skipped).
std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text);

/// Base64 bytes of `text` after "=" is appended up to a multiple of four characters, for
/// encoders that leave the padding out; none when the text is still not strict base64.
std::optional<std::vector<std::uint8_t>> decodeBase64Padded(std::string_view text);

/// `text` as valid UTF-8, for what the user is shown: each ill-formed byte sequence (a lone
/// byte of a Latin-1 file name, a cut character) becomes one U+FFFD replacement character.
std::string validUTF8(std::string_view text);

/// The bytes of decodeBase64Padded() as text when they are UTF-8; none when they are not (7-bit
/// ASCII, the other reading allowed, is part of UTF-8) or the text is not base64.
std::optional<std::string> decodeBase64TextPadded(std::string_view text);

/// A media time as rational seconds: "0s" for a zero value whatever the timescale, otherwise
/// value "/" timescale "s" as given, not reduced (1001 at 30000 gives "1001/30000s", 30 at 30
/// gives "30/30s"). The readers write fractions with Fraction::rationalSecondsString().
std::string rationalSecondsString(std::int64_t value, std::int32_t timescale);

/// The integer a text field holds, read as a desktop toolkit reads it: leading whitespace, an
/// optional sign and the digits that follow; 0 when the text does not start with a number.
/// Values beyond 64 bits saturate.
std::int64_t leadingIntegerValue(std::string_view text);

/// The number a text field holds: leading whitespace, then the longest decimal number
/// (sign, digits, point, exponent); 0 when the text does not start with one or it is too large
/// to be finite.
double leadingDoubleValue(std::string_view text);

} // namespace marrowvale
