#include "DovovevoZavUI/StyledText.h"

#include <QPainter>
#include <QStyle>
#include <QTextOption>
#include <memory>
#include <utility>

namespace dovovevozav {

namespace {

// A one-line layout of the text in the font, laid out from x = 0.
std::unique_ptr<QTextLayout> makeLayout(const StyledText& styled, const QFont& font) {
    auto layout = std::make_unique<QTextLayout>(styled.text(), font);
    layout->setFormats(styled.formatRanges());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid()) {
        line.setPosition(QPointF(0, 0));
    }
    layout->endLayout();
    return layout;
}

} // namespace

QString StyledText::text() const {
    QString joined;
    for (const StyledTextRun& piece : runs) {
        joined += piece.text;
    }
    return joined;
}

QList<QTextLayout::FormatRange> StyledText::formatRanges() const {
    QList<QTextLayout::FormatRange> ranges;
    int start = 0;
    for (const StyledTextRun& piece : runs) {
        ranges.append({start, static_cast<int>(piece.text.size()), piece.format});
        start += static_cast<int>(piece.text.size());
    }
    return ranges;
}

const StyledTextRun* StyledText::run(TimecodeComponent component) const {
    for (const StyledTextRun& piece : runs) {
        if (piece.component == component) {
            return &piece;
        }
    }
    return nullptr;
}

StyledTextRun* StyledText::run(TimecodeComponent component) {
    return const_cast<StyledTextRun*>(std::as_const(*this).run(component));
}

QSizeF StyledText::size(const QFont& font) const {
    const auto layout = makeLayout(*this, font);
    const QRectF bounds = layout->boundingRect();
    return QSizeF(layout->lineCount() > 0 ? layout->lineAt(0).naturalTextWidth() : 0.0,
                  bounds.height());
}

void StyledText::draw(QPainter& painter, const QRectF& rect, const QFont& font) const {
    const auto layout = makeLayout(*this, font);
    if (layout->lineCount() == 0) {
        return;
    }
    const QTextLine line = layout->lineAt(0);
    const qreal width = line.naturalTextWidth();
    const Qt::Alignment horizontal =
        QStyle::visualAlignment(painter.layoutDirection(), alignment & Qt::AlignHorizontal_Mask);
    qreal x = rect.left();
    if (horizontal & Qt::AlignRight) {
        x = rect.right() - width;
    } else if (horizontal & Qt::AlignHCenter) {
        x = rect.left() + (rect.width() - width) / 2;
    }
    const qreal y = rect.top() + (rect.height() - line.height()) / 2;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    layout->draw(&painter, QPointF(x, y));
    painter.restore();
}

void applyConditionalForegroundStyle(QTextCharFormat& format, const std::optional<QBrush>& style) {
    if (style) {
        format.setForeground(*style);
    }
}

} // namespace dovovevozav
