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

QFont fixedPitchDigitFont(const QFont& font) {
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setStyleHint(QFont::Monospace);
    if (font.pointSizeF() > 0) {
        digits.setPointSizeF(font.pointSizeF());
    } else {
        digits.setPixelSize(font.pixelSize());
    }
    digits.setWeight(font.weight());
    return digits;
}

QFont TimecodeText::digitFont() const {
    return fixedPitchDigitFont(font());
}

StyledText TimecodeText::styledText() const {
    const TimecodeSubFramesStyle subFrames = TimecodeEnvironment::timecodeSubFramesStyle(this);
    StyledText styled =
        timecodeStyledText(timecode_, TimecodeEnvironment::timecodeFormat(this),
                           TimecodeEnvironment::timecodeSeparatorStyle(this), subFrames.style,
                           TimecodeEnvironment::timecodeValidationStyle(this));
    StyledTextRun* run = styled.run(TimecodeComponent::subFrames);
    if (run != nullptr && subFrames.scale != TimecodeTextScale::standard) {
        run->format.setFont(scaledFont(digitFont(), subFrames.scale));
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
    if (TimecodeEnvironment::mayChangeValues(*event)) {
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
