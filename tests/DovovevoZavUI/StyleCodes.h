#pragma once

#include "DovovevoZavUI/StyledText.h"

#include <QColor>
#include <string>

// The colours the tests give each role, and a one-letter code per character of a styled text
// telling which role's foreground it carries: '-' none, 'd' default, 's' separator,
// 'u' subframes, 'i' invalid, '?' any other.
namespace styles {

inline const QColor defaultColor(Qt::black);
inline const QColor separatorColor(Qt::gray);
inline const QColor subFramesColor(Qt::blue);
inline const QColor invalidColor(Qt::red);

inline QTextCharFormat foreground(const QColor& color) {
    QTextCharFormat format;
    format.setForeground(color);
    return format;
}

inline std::string codes(const dovovevozav::StyledText& styled) {
    std::string result;
    for (const dovovevozav::StyledTextRun& run : styled.runs) {
        char code = '-';
        if (run.format.hasProperty(QTextFormat::ForegroundBrush)) {
            const QColor color = run.format.foreground().color();
            code = color == defaultColor     ? 'd'
                   : color == separatorColor ? 's'
                   : color == subFramesColor ? 'u'
                   : color == invalidColor   ? 'i'
                                             : '?';
        }
        result.append(static_cast<std::size_t>(run.text.size()), code);
    }
    return result;
}

} // namespace styles
