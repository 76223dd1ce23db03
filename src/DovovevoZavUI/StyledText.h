#pragma once

#include "DovovevoZavCore/TimecodeComponent.h"

#include <QBrush>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextLayout>
#include <optional>
#include <vector>

class QPainter;

namespace dovovevozav {

/// One piece of a styled text: a component's digits, a separator, or (for text that is no
/// timecode) the whole text.
struct StyledTextRun {
    QString text;
    /// The piece's character format; an empty format takes the style of whatever draws it.
    QTextCharFormat format;
    /// The component whose digits the piece holds; none for separators and other text.
    std::optional<TimecodeComponent> component;
};

/// Text whose runs each carry a character format, plus the alignment of the whole paragraph:
/// this library's attributed string. It renders through a QTextLayout, so a run's brush may
/// be a colour or any other QBrush, and a run may carry its own font size.
struct StyledText {
    std::vector<StyledTextRun> runs;
    /// Horizontal alignment of the paragraph. Qt::AlignLeading is the natural alignment: it
    /// follows the writing direction.
    Qt::Alignment alignment = Qt::AlignLeading;

    /// The runs' texts joined.
    QString text() const;
    /// One format range per run, for QTextLayout::setFormats().
    QList<QTextLayout::FormatRange> formatRanges() const;
    /// The run that holds a component's digits; none when the text shows no such run.
    const StyledTextRun* run(TimecodeComponent component) const;
    /// The same, writable (to give the subframes a scale, say).
    StyledTextRun* run(TimecodeComponent component);

    /// The size the text takes in one line in the font.
    QSizeF size(const QFont& font) const;
    /// Draws the text in one line in the rectangle: aligned horizontally by `alignment`,
    /// centred vertically. Runs without a foreground take the painter's pen.
    void draw(QPainter& painter, const QRectF& rect, const QFont& font) const;
};

/// Sets the brush as the format's foreground when one is given; leaves the format as it is
/// otherwise (so that the piece keeps the surrounding style).
void applyConditionalForegroundStyle(QTextCharFormat& format, const std::optional<QBrush>& style);

} // namespace dovovevozav
