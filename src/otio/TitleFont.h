#pragma once

#include <cstddef>
#include <string>

namespace marrowvale {

/// The font and text of a title, as the graphics sheet shows them.
struct TitleFont {
    std::string font; ///< "Open Sans 84pt": family, then size
    std::string text; ///< the words of the title
};

/// Title HTML longer than this is not parsed; a real title's HTML is a few kilobytes.
inline constexpr std::size_t maximumTitleHTMLSize = 1 << 20;

/// Whether title HTML is longer than titleFont reads: what a C string of it holds (the bytes
/// before a NUL) exceeds maximumTitleHTMLSize.
bool isTitleHTMLTooLarge(const std::string& html);

/// Reads font and text out of a Resolve title's HTML: the first span of a body paragraph
/// ("//body/p/span") gives the text, all of it, and its style's " font-family" and "font-size"
/// the font. Never fails: no HTML, HTML longer than maximumTitleHTMLSize, and HTML without such
/// a span all give two empty texts, and `problem`, when given, receives why. The HTML parser
/// repairs what it can, reads only the bytes before a NUL, fetches nothing and expands no
/// entities of its own.
TitleFont titleFont(const std::string* html, std::string* problem = nullptr);

} // namespace marrowvale
