#include "DovovevoZavUI/TimecodeStyledText.h"

#include <vector>

namespace dovovevozav {

namespace {

using Component = TimecodeComponent;

// The pieces of the text with no styling: the digits of each shown component and the
// separators between them.
std::vector<StyledTextRun> plainRuns(const Timecode& timecode, TimecodeStringFormat format,
                                     bool filenameSeparators) {
    const Timecode::Components& values = timecode.components();
    const TimecodeFrameRate rate = timecode.frameRate();
    const Timecode::SubFramesBase base = timecode.subFramesBase();
    const QString mainSeparator = filenameSeparators ? QStringLiteral("-") : QStringLiteral(":");
    const QString framesSeparator = filenameSeparators   ? QStringLiteral("-")
                                    : rate.isDropFrame() ? QStringLiteral(";")
                                                         : QStringLiteral(":");
    // printf's "%0<n>lld": zero-padded to n digits after any minus sign.
    const auto digits = [&](Component component) {
        return StyledTextRun{QString::asprintf("%0*lld", component.digitCount(rate, base),
                                               static_cast<long long>(values.value(component))),
                             QTextCharFormat(), component};
    };
    const auto separator = [](const QString& text) {
        return StyledTextRun{text, QTextCharFormat(), std::nullopt};
    };

    std::vector<StyledTextRun> runs;
    if (values.days != 0 || format.alwaysShowDays()) {
        runs.push_back({QString::number(values.days), QTextCharFormat(), Component::days});
        runs.push_back(separator(QStringLiteral(" ")));
    }
    runs.push_back(digits(Component::hours));
    runs.push_back(separator(mainSeparator));
    runs.push_back(digits(Component::minutes));
    runs.push_back(separator(mainSeparator));
    runs.push_back(digits(Component::seconds));
    runs.push_back(separator(framesSeparator));
    runs.push_back(digits(Component::frames));
    if (format.showSubFrames()) {
        runs.push_back(separator(QStringLiteral(".")));
        runs.push_back(digits(Component::subFrames));
    }
    return runs;
}

Timecode::ComponentSet invalidComponents(const Timecode& timecode) {
    return timecode.components().outOfRangeComponents(timecode.properties());
}

} // namespace

StyledText timecodeAttributedText(const Timecode& timecode, TimecodeStringFormat format,
                                  const std::optional<QTextCharFormat>& defaultFormat,
                                  const std::optional<QTextCharFormat>& separatorFormat,
                                  const std::optional<QTextCharFormat>& subFramesFormat,
                                  const std::optional<QTextCharFormat>& invalidFormat) {
    const Timecode::ComponentSet invalid = invalidComponents(timecode);
    const QTextCharFormat base = defaultFormat.value_or(QTextCharFormat());
    StyledText styled;
    styled.runs = plainRuns(timecode, format, false);
    for (StyledTextRun& run : styled.runs) {
        if (!run.component) {
            run.format = separatorFormat.value_or(base);
            continue;
        }
        run.format = base;
        if (invalidFormat && invalid.contains(*run.component)) {
            run.format.merge(*invalidFormat);
        } else if (subFramesFormat && *run.component == Component::subFrames) {
            run.format.merge(*subFramesFormat);
        }
    }
    return styled;
}

StyledText timecodeAttributedText(const Timecode& timecode, TimecodeStringFormat format,
                                  const std::optional<QTextCharFormat>& invalidFormat,
                                  const std::optional<QTextCharFormat>& defaultFormat) {
    return timecodeAttributedText(timecode, format, defaultFormat, std::nullopt, std::nullopt,
                                  invalidFormat);
}

StyledText timecodeStyledText(const Timecode& timecode, TimecodeStringFormat format,
                              const std::optional<QBrush>& separatorStyle,
                              const std::optional<QBrush>& subFramesStyle,
                              const std::optional<QBrush>& invalidStyle) {
    const Timecode::ComponentSet invalid = invalidComponents(timecode);
    StyledText styled;
    styled.runs = plainRuns(timecode, format, format.filenameCompatible());
    for (StyledTextRun& run : styled.runs) {
        if (!run.component) {
            applyConditionalForegroundStyle(run.format, separatorStyle);
        } else if (invalid.contains(*run.component)) {
            applyConditionalForegroundStyle(run.format, invalidStyle);
        } else if (*run.component == Component::subFrames) {
            applyConditionalForegroundStyle(run.format, subFramesStyle);
        }
    }
    return styled;
}

} // namespace dovovevozav
