#include "DovovevoZavUI/TimecodeText.h"

#include "DovovevoZavUI/TimecodeEnvironment.h"
#include "DovovevoZavUI/TimecodeStyledText.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dovovevozav {

TimecodeText::TimecodeText(const Timecode& timecode, QWidget* parent)
    : QWidget(parent), timecode_(timecode) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TimecodeText::setTimecode(const Timecode& timecode) {
    timecode_ = timecode;
    updateGeometry();
    update();
}

QFont TimecodeText::digitFont() const {
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setStyleHint(QFont::Monospace);
    if (font().pointSizeF() > 0) {
        digits.setPointSizeF(font().pointSizeF());
    } else {
        digits.setPixelSize(font().pixelSize());
    }
    digits.setWeight(font().weight());
    return digits;
}

StyledText TimecodeText::styledText() const {
    const TimecodeSubFramesStyle subFrames = TimecodeEnvironment::timecodeSubFramesStyle(this);
    StyledText styled =
        timecodeStyledText(timecode_, TimecodeEnvironment::timecodeFormat(this),
                           TimecodeEnvironment::timecodeSeparatorStyle(this), subFrames.style,
                           TimecodeEnvironment::timecodeValidationStyle(this));
    const qreal scale = relativeFontSize(subFrames.scale);
    if (StyledTextRun* run = styled.run(TimecodeComponent::subFrames); run && scale != 1.0) {
        QFont smaller = digitFont();
        if (smaller.pointSizeF() > 0) {
            smaller.setPointSizeF(smaller.pointSizeF() * scale);
        } else {
            smaller.setPixelSize(std::max(1, qRound(smaller.pixelSize() * scale)));
        }
        run->format.setFont(smaller);
    }
    return styled;
}

QSize TimecodeText::sizeHint() const {
    const QSizeF size = styledText().size(digitFont());
    const QMargins margins = contentsMargins();
    return QSize(static_cast<int>(std::ceil(size.width())) + margins.left() + margins.right(),
                 static_cast<int>(std::ceil(size.height())) + margins.top() + margins.bottom());
}

QSize TimecodeText::minimumSizeHint() const {
    return sizeHint();
}

bool TimecodeText::event(QEvent* event) {
    if (event->type() == TimecodeEnvironment::changeEventType() ||
        event->type() == QEvent::ParentChange) {
        updateGeometry();
        update();
    }
    return QWidget::event(event);
}

void TimecodeText::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    styledText().draw(painter, contentsRect(), digitFont());
}

TimecodeText* timecodeText(const Timecode& timecode, TimecodeStringFormat format, QWidget* parent) {
    auto* text = new TimecodeText(timecode, parent);
    TimecodeEnvironment::of(text)->setTimecodeFormat(format);
    return text;
}

} // namespace dovovevozav
