#include "app/ReportColumns.h"

namespace marrowvale {

const ReportColumn* reportColumnTitled(std::string_view title) {
    for (const ReportColumn& column : reportColumns) {
        if (column.title == title) {
            return &column;
        }
    }
    return nullptr;
}

std::string_view timeDisplayOptionKey(TimeGroup group, TimeDisplay display) {
    static constexpr std::string_view sequenceKeys[] = {"reportSeqTimecode", "reportSeqFrames",
                                                        "reportSeqFeet+Frames", "reportSeqClock",
                                                        "reportSeqSeconds"};
    static constexpr std::string_view sourceKeys[] = {"reportSrcTimecode", "reportSrcFrames",
                                                      "reportSrcFeet+Frames", "reportSrcClock",
                                                      "reportSrcSeconds"};
    auto index = static_cast<std::size_t>(display);
    return group == TimeGroup::sequence ? sequenceKeys[index] : sourceKeys[index];
}

} // namespace marrowvale
