#include "app/ReportOptionsReader.h"

#include "app/TextUtilities.h"

#include <algorithm>

namespace marrowvale {

ReportOptions reportOptions(const SettingsView& settings) {
    ReportOptions options;
    // A width of zero or less means no thumbnails; a huge one would only exhaust memory.
    options.thumbnailWidth = std::clamp<std::int64_t>(
        leadingIntegerValue(settings.thumbnailWidthText()), 0, ReportOptions::maxThumbnailWidth);

    for (const ReportColumn& column : reportColumns) {
        options.flags.emplace(column.optionKey, settings.columnState(column.checkbox));
    }

    double* adjustments[] = {&options.hhmmssffAdjustment, &options.framesAdjustment,
                             &options.feetframesAdjustment, &options.clockAdjustment,
                             &options.secondsAdjustment};
    for (TimeDisplay display : timeDisplays) {
        options.flags.emplace(timeDisplayOptionKey(TimeGroup::sequence, display),
                              settings.timeDisplayState(TimeGroup::sequence, display));
        *adjustments[static_cast<std::size_t>(display)] =
            leadingDoubleValue(settings.adjustmentText(display));
    }
    for (TimeDisplay display : timeDisplays) {
        options.flags.emplace(timeDisplayOptionKey(TimeGroup::source, display),
                              settings.timeDisplayState(TimeGroup::source, display));
    }

    options.flags.emplace("useColorText", settings.colorChoiceRow() == 0);
    return options;
}

void validateTimeDisplayPreferences(SettingsView& settings) {
    for (TimeGroup group : {TimeGroup::sequence, TimeGroup::source}) {
        bool anyOn = std::any_of(timeDisplays.begin(), timeDisplays.end(), [&](TimeDisplay d) {
            return settings.timeDisplayState(group, d);
        });
        if (!anyOn) {
            settings.setTimeDisplayState(group, TimeDisplay::timecode, true);
        }
    }
}

} // namespace marrowvale
