#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/StyledText.h"
#include "DovovevoZavUI/TimecodeTextFormatting.h"

#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QVariant>
#include <optional>

namespace dovovevozav {

/// The formatter of text controls whose value is a timecode held as text. It guards typing
/// (through TimecodeTextValidator), re-formats the text into the canonical timecode text of
/// its frame rate and format, optionally styles out-of-range components or unparsable text
/// with `invalidAttributes`, and aligns the styled text.
///
/// Until a frame rate and an upper limit are set it lets any typing through; until the
/// subframes base is set as well it shows texts unchanged. It keeps no text or editing state:
/// every answer comes from its settings and the value it is given. Controls that show its
/// output redraw on settingsChanged().
class TimecodeTextFormatter : public QObject {
    Q_OBJECT

public:
    /// A formatter with the properties' frame rate, subframes base and upper limit (none: all
    /// three unset), the format (none: the empty format), the validation display and the
    /// invalid attributes (none: empty). The alignment starts natural.
    TimecodeTextFormatter(const std::optional<TimecodeProperties>& properties,
                          const std::optional<TimecodeStringFormat>& stringFormat,
                          bool showsValidation,
                          const std::optional<QTextCharFormat>& invalidAttributes,
                          QObject* parent = nullptr);
    /// The same with the frame rate, subframes base and upper limit of a timecode.
    TimecodeTextFormatter(const Timecode& timecode,
                          const std::optional<TimecodeStringFormat>& stringFormat,
                          bool showsValidation,
                          const std::optional<QTextCharFormat>& invalidAttributes,
                          QObject* parent = nullptr);

    std::optional<TimecodeFrameRate> frameRate() const { return frameRate_; }
    void setFrameRate(std::optional<TimecodeFrameRate> frameRate);
    std::optional<TimecodeUpperLimit> upperLimit() const { return upperLimit_; }
    void setUpperLimit(std::optional<TimecodeUpperLimit> upperLimit);
    std::optional<TimecodeSubFramesBase> subFramesBase() const { return subFramesBase_; }
    void setSubFramesBase(std::optional<TimecodeSubFramesBase> subFramesBase);
    TimecodeStringFormat stringFormat() const { return stringFormat_; }
    void setStringFormat(TimecodeStringFormat stringFormat);
    /// Horizontal alignment of the styled text; Qt::AlignLeading (natural) at first.
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    bool showsValidation() const { return showsValidation_; }
    void setShowsValidation(bool showsValidation);
    const QTextCharFormat& invalidAttributes() const { return invalidAttributes_; }
    void setInvalidAttributes(const QTextCharFormat& invalidAttributes);

    /// Frame rate, subframes base and upper limit; none unless all three are set.
    std::optional<TimecodeProperties> timecodeProperties() const;

    /// Copies all seven settings of another formatter.
    void copySettings(const TimecodeTextFormatter& other);

    /// The text shown for a value: none unless the value is a string; the canonical timecode
    /// text when the properties are set and the text parses; the text itself otherwise.
    virtual std::optional<QString> string(const QVariant& value) const;
    /// The styled text shown for a value (none where string() gives none). With validation
    /// display, a parsed timecode shows in the default format (days only when not 0, never
    /// subframes) with out-of-range components in the invalid attributes, and text that does
    /// not parse shows wholly in them; without it the text carries the default attributes.
    std::optional<StyledText>
    attributedString(const QVariant& value,
                     const std::optional<QTextCharFormat>& defaultAttributes) const;
    /// The value of a text: the text itself. Never fails.
    QVariant objectValue(const QString& text) const { return text; }
    /// The typing rules applied to a proposed text.
    TimecodeTypingCheck checkPartialString(const QString& proposed) const;

signals:
    /// Any setting changed.
    void settingsChanged();

private:
    template <class Value>
    void assign(Value& member, const Value& value);

    std::optional<TimecodeFrameRate> frameRate_;
    std::optional<TimecodeUpperLimit> upperLimit_;
    std::optional<TimecodeSubFramesBase> subFramesBase_;
    TimecodeStringFormat stringFormat_;
    Qt::Alignment alignment_ = Qt::AlignLeading;
    bool showsValidation_ = false;
    QTextCharFormat invalidAttributes_;
};

} // namespace dovovevozav
