#include "DovovevoZavUI/TimecodeTextFormatter.h"

#include "DovovevoZavUI/TimecodeStyledText.h"

namespace dovovevozav {

TimecodeTextFormatter::TimecodeTextFormatter(
    const std::optional<TimecodeProperties>& properties,
    const std::optional<TimecodeStringFormat>& stringFormat, bool showsValidation,
    const std::optional<QTextCharFormat>& invalidAttributes, QObject* parent)
    : QObject(parent), stringFormat_(stringFormat.value_or(TimecodeStringFormat())),
      showsValidation_(showsValidation),
      invalidAttributes_(invalidAttributes.value_or(QTextCharFormat())) {
    if (properties) {
        frameRate_ = properties->frameRate;
        upperLimit_ = properties->upperLimit;
        subFramesBase_ = properties->subFramesBase;
    }
}

TimecodeTextFormatter::TimecodeTextFormatter(
    const Timecode& timecode, const std::optional<TimecodeStringFormat>& stringFormat,
    bool showsValidation, const std::optional<QTextCharFormat>& invalidAttributes, QObject* parent)
    : TimecodeTextFormatter(timecode.properties(), stringFormat, showsValidation, invalidAttributes,
                            parent) {}

template <class Value>
void TimecodeTextFormatter::assign(Value& member, const Value& value) {
    if (!(member == value)) {
        member = value;
        emit settingsChanged();
    }
}

void TimecodeTextFormatter::setFrameRate(std::optional<TimecodeFrameRate> frameRate) {
    assign(frameRate_, frameRate);
}

void TimecodeTextFormatter::setUpperLimit(std::optional<TimecodeUpperLimit> upperLimit) {
    assign(upperLimit_, upperLimit);
}

void TimecodeTextFormatter::setSubFramesBase(std::optional<TimecodeSubFramesBase> subFramesBase) {
    assign(subFramesBase_, subFramesBase);
}

void TimecodeTextFormatter::setStringFormat(TimecodeStringFormat stringFormat) {
    assign(stringFormat_, stringFormat);
}

void TimecodeTextFormatter::setAlignment(Qt::Alignment alignment) {
    assign(alignment_, alignment);
}

void TimecodeTextFormatter::setShowsValidation(bool showsValidation) {
    assign(showsValidation_, showsValidation);
}

void TimecodeTextFormatter::setInvalidAttributes(const QTextCharFormat& invalidAttributes) {
    assign(invalidAttributes_, invalidAttributes);
}

std::optional<TimecodeProperties> TimecodeTextFormatter::timecodeProperties() const {
    if (!frameRate_ || !subFramesBase_ || !upperLimit_) {
        return std::nullopt;
    }
    return TimecodeProperties(*frameRate_, *subFramesBase_, *upperLimit_);
}

void TimecodeTextFormatter::copySettings(const TimecodeTextFormatter& other) {
    frameRate_ = other.frameRate_;
    upperLimit_ = other.upperLimit_;
    subFramesBase_ = other.subFramesBase_;
    stringFormat_ = other.stringFormat_;
    alignment_ = other.alignment_;
    showsValidation_ = other.showsValidation_;
    invalidAttributes_ = other.invalidAttributes_;
    emit settingsChanged();
}

std::optional<QString> TimecodeTextFormatter::string(const QVariant& value) const {
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return QString::fromStdString(
        displayTimecodeText(value.toString().toStdString(), timecodeProperties(), stringFormat_));
}

std::optional<StyledText> TimecodeTextFormatter::attributedString(
    const QVariant& value, const std::optional<QTextCharFormat>& defaultAttributes) const {
    const std::optional<QString> text = string(value);
    if (!text) {
        return std::nullopt;
    }
    const QTextCharFormat base = defaultAttributes.value_or(QTextCharFormat());
    std::optional<Timecode> timecode;
    if (const auto properties = timecodeProperties()) {
        timecode = parseTimecodeText(text->toStdString(), *properties);
    }

    StyledText styled;
    if (timecode && showsValidation_) {
        styled = timecodeAttributedText(*timecode, TimecodeStringFormat(), base, std::nullopt,
                                        std::nullopt, invalidAttributes_);
    } else {
        QTextCharFormat format = base;
        if (!timecode && showsValidation_) {
            format.merge(invalidAttributes_);
        }
        styled.runs.push_back({*text, format, std::nullopt});
    }
    styled.alignment = alignment_;
    return styled;
}

TimecodeTypingCheck TimecodeTextFormatter::checkPartialString(const QString& proposed) const {
    return checkTimecodeTyping(proposed.toStdString(), frameRate_, upperLimit_, stringFormat_);
}

} // namespace dovovevozav
