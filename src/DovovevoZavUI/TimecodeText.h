#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/StyledText.h"

#include <QWidget>

namespace dovovevozav {

/// A read-only line showing a timecode as text, styled from the TimecodeEnvironment around
/// it: the format, the separator style, the subframes style and scale, and the validation
/// style of out-of-range components (red unless set otherwise). Valid digits take the
/// widget's text colour. Digits are drawn in the system's fixed-pitch font at the widget's
/// size, so that the text keeps its width as the value changes.
class TimecodeText : public QWidget {
    Q_OBJECT

public:
    explicit TimecodeText(const Timecode& timecode = Timecode(), QWidget* parent = nullptr);

    const Timecode& timecode() const { return timecode_; }
    void setTimecode(const Timecode& timecode);

    /// The text as it is shown now, with its styles (the subframes' scale as a font size).
    StyledText styledText() const;
    /// The font the digits are drawn in.
    QFont digitFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Timecode timecode_;
};

/// The system's fixed-pitch font at the size and weight of `font`: digits drawn in it keep
/// their width as the value changes (Qt 6.4 has no font feature for monospaced digits).
QFont fixedPitchDigitFont(const QFont& font);

/// A TimecodeText that always shows the given format, whatever the environment around it
/// says; its other display values still come from the environment.
TimecodeText* timecodeText(const Timecode& timecode, TimecodeStringFormat format,
                           QWidget* parent = nullptr);

} // namespace dovovevozav
