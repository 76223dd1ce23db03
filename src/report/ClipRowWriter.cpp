#include "report/ClipRowWriter.h"

#include "DovovevoZavCore/NumberText.h"
#include "app/TextUtilities.h"
#include "model/Asset.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "model/TextOrder.h"
#include "report/ClipSheetFormats.h"
#include "report/FileSummaryItem.h"
#include "report/MediaProbe.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/ReportTime.h"
#include "report/SheetFrame.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

namespace marrowvale {

namespace {

using H = ColumnHeading;
using dovovevozav::finiteNumberFromText;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeUpperLimit;

std::string joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            result += separator;
        }
        result += texts[i];
    }
    return result;
}

bool isVideo(const StoryElement& clip) {
    return clip.trackType == TrackType::Video;
}
bool isAudio(const StoryElement& clip) {
    return clip.trackType == TrackType::Audio;
}

std::string roleText(const StoryElement& clip) {
    if (isVideo(clip)) {
        if (clip.audioRole.empty()) {
            return clip.videoRole;
        }
        return clip.videoRole + ", " + clip.audioRole;
    }
    if (isAudio(clip)) {
        if (clip.audioSubroles.empty()) {
            return clip.audioRole;
        }
        return clip.audioRole + " \u25B8 " + joined(clip.audioSubroles, ", ");
    }
    return {};
}

std::string markersText(const StoryElement& clip) {
    std::vector<MarkedRange*> ranges = clip.markedRanges;
    std::erase(ranges, nullptr);
    sortMarkedRanges(ranges);
    std::string text;
    for (const MarkedRange* range : ranges) {
        std::string_view suffix;
        switch (reportedMarkerKind(*range)) {
        case MarkerKind::standard:
            suffix = " (Standard)";
            break;
        case MarkerKind::incompleteToDo:
            suffix = " (Incomplete to-do)";
            break;
        case MarkerKind::completedToDo:
            suffix = " (Completed to-do)";
            break;
        case MarkerKind::chapter:
            suffix = " (Chapter)";
            break;
        default:
            // Keywords, ratings and analysis results are not markers.
            continue;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += range->name;
        text += suffix;
    }
    return text;
}

std::string keywordsText(const StoryElement& clip) {
    return joined(sortedTexts(markerNames(clip.markedRanges)), ", ");
}

/// A track number: a number, or a number and the track count as "7/12", which gives 7.
std::optional<double> trackNumberFromText(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos && !finiteNumberFromText(text.substr(slash + 1))) {
        return std::nullopt;
    }
    return finiteNumberFromText(text.substr(0, slash));
}

} // namespace

ClipRowWriter::ClipRowWriter(ReportContext& context, Worksheet sheet,
                             const std::vector<ColumnHeading>& columns, ColumnWidths& widths,
                             const ReportOptions& options)
    : context_(context), sheet_(sheet), widths_(widths), options_(options) {
    columnOf_.fill(-1);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        int& slot = columnOf_[static_cast<std::size_t>(columns[i])];
        if (slot < 0) {
            slot = static_cast<int>(i);
        }
    }
    for (int i = static_cast<int>(H::TimelineInTC); i <= static_cast<int>(H::SourceDurationSecs);
         ++i) {
        anyTimeColumn_ = anyTimeColumn_ || columnOf_[static_cast<std::size_t>(i)] >= 0;
    }
}

void ClipRowWriter::writeText(int column, std::string text, const Format& format) {
    if (column < 0) {
        return;
    }
    widths_.update(static_cast<std::size_t>(column), text);
    sheet_.write(Value(std::move(text)), Cell(row_, static_cast<std::uint16_t>(column)), format);
}

void ClipRowWriter::writeNumber(int column, double number, const Format& format) {
    if (column < 0) {
        return;
    }
    sheet_.write(Value(number), Cell(row_, static_cast<std::uint16_t>(column)), format);
}

void ClipRowWriter::writeRow(const StoryElement& clip, std::uint32_t row,
                             const RowFormats& formats) {
    row_ = row;
    formats_ = &formats;
    const Format& plain = formats.plain;

    writeNumber(column(H::Row), static_cast<double>(row), plain);
    writeThumbnail();

    writeText(column(H::Track), clip.trackName, plain);
    if (has(H::RoleSubrole)) {
        writeText(column(H::RoleSubrole), roleText(clip), plain);
    }
    writeText(column(H::ClipName), clip.name, plain);
    writeText(column(H::BinName), clip.timelineClipCategory, plain);
    writeText(column(H::Label), clip.label, plain);
    writeText(column(H::EventName), clip.timelineClipCategory, plain);
    writeText(column(H::Category), clip.timelineClipCategory, plain);
    writeText(column(H::Enabled), std::string(checkMarkText(clip.enabled)), formats.centred);

    if (anyTimeColumn_) {
        writeTimeColumns(clip);
    }

    if (has(H::Markers)) {
        writeText(column(H::Markers), markersText(clip), plain);
    }
    if (has(H::Keywords)) {
        writeText(column(H::Keywords), keywordsText(clip), plain);
    }
    writeText(column(H::Description), clip.descriptn, plain);
    writeText(column(H::Notes), clip.notes, plain);
    writeText(column(H::Reel), clip.reel, plain);
    writeText(column(H::Scene), clip.scene, plain);
    writeText(column(H::Take), clip.shottake, plain);

    if (has(H::FrameSampleRate)) {
        std::string rateText;
        if (isVideo(clip)) {
            TimecodeFrameRate rate = TimecodeFrameRate::fromRawValue(clip.timecodeFrameRate)
                                         .value_or(TimecodeFrameRate::fps60);
            rateText = rate.longName();
        } else if (isAudio(clip) && clip.asset != nullptr && !clip.asset->audioRate.empty()) {
            rateText = clip.asset->audioRate + " Hz";
        }
        writeText(column(H::FrameSampleRate), std::move(rateText), plain);
    }
    if (has(H::FrameSize)) {
        bool shown = isVideo(clip) && clip.asset != nullptr;
        writeText(column(H::FrameSize), shown ? clip.asset->frameSize : std::string(), plain);
    }
    if (has(H::SourceFileName) || has(H::SourceFilePath)) {
        std::string fileName, filePath;
        if (clip.category == StoryElement::Category::title) {
            fileName = optionText("font", clip.params).value_or("");
            filePath = optionText("text", clip.params).value_or("");
        } else if (clip.asset != nullptr && clip.asset->url) {
            filePath = clip.asset->urlPath();
            fileName = lastPathComponent(filePath);
        }
        writeText(column(H::SourceFileName), std::move(fileName), plain);
        writeText(column(H::SourceFilePath), std::move(filePath), plain);
    }

    if (has(H::ID3title)) {
        writeAudioTags(clip);
    }
}

int ClipRowWriter::thumbnailWidth() const {
    return static_cast<int>(
        std::clamp<std::int64_t>(options_.thumbnailWidth, 0, ReportOptions::maxThumbnailWidth));
}

void ClipRowWriter::makeThumbnails(const std::vector<StoryElement*>& clips) {
    thumbnails_.clear();
    const int width = thumbnailWidth();
    if (!has(H::Thumbnail) || width < 1 || context_.mediaProbe == nullptr) {
        return;
    }
    std::vector<ThumbnailRequest> requests;
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < clips.size(); ++i) {
        if (clips[i] != nullptr && isVideo(*clips[i])) {
            requests.push_back({static_cast<int>(i + 1), width, clips[i]});
            rows.push_back(i);
        }
    }
    if (requests.empty()) {
        return;
    }
    std::vector<std::optional<ThumbnailResult>> answers =
        context_.mediaProbe->makeThumbnails(requests, context_.thumbnailsFolder, context_.stop);
    thumbnails_.resize(clips.size());
    for (std::size_t i = 0; i < rows.size() && i < answers.size(); ++i) {
        thumbnails_[rows[i]] = std::move(answers[i]);
    }
}

void ClipRowWriter::readAudioTags(const std::vector<StoryElement*>& clips) {
    if (has(H::ID3title) && context_.mediaProbe != nullptr) {
        context_.mediaProbe->readAudioMetadataOf(clips, context_.stop);
    }
}

void ClipRowWriter::writeThumbnail() {
    const int col = column(H::Thumbnail);
    if (col < 0 || row_ == 0 || row_ > thumbnails_.size()) {
        return;
    }
    const std::optional<ThumbnailResult>& picture = thumbnails_[row_ - 1];
    if (!picture) {
        return;
    }
    if (picture->pixels < 0) {
        writeText(col, picture->text, formats_->plain);
        return;
    }
    const auto rowPixels = static_cast<std::uint32_t>(
        std::min<long long>(picture->pixels, std::numeric_limits<std::uint32_t>::max()));
    sheet_.insertImage(picture->text, Cell(row_, static_cast<std::uint16_t>(col)), rowPixels);
    widths_.set(static_cast<std::size_t>(col), static_cast<double>(thumbnailWidth() - 5) / 7.0);
}

void ClipRowWriter::writeAudioTags(const StoryElement& clip) {
    if (context_.mediaProbe == nullptr) {
        return;
    }
    std::optional<ID3Fields> tags = context_.mediaProbe->readAudioMetadata(clip);
    if (!tags) {
        return;
    }
    const Format& plain = formats_->plain;
    writeText(column(H::ID3title), tags->ID3title, plain);
    writeText(column(H::ID3album), tags->ID3album, plain);
    if (auto number = trackNumberFromText(tags->ID3track)) {
        writeNumber(column(H::ID3track), *number, plain);
    }
    if (auto number = finiteNumberFromText(tags->ID3year)) {
        writeNumber(column(H::ID3year), *number, plain);
    }
    writeText(column(H::ID3genre), tags->ID3genre, plain);
    writeText(column(H::ID3artist), tags->ID3artist, plain);
    writeText(column(H::ID3composer), tags->ID3composer, plain);
    writeText(column(H::ID3publisher), tags->ID3publisher, plain);
}

void ClipRowWriter::writeTimeColumns(const StoryElement& clip) {
    const Format& plain = formats_->plain;
    const Format& centred = formats_->centred;
    const std::array<double, 5> adjustments = {
        options_.hhmmssffAdjustment, options_.framesAdjustment, options_.feetframesAdjustment,
        options_.clockAdjustment, options_.secondsAdjustment};

    // One display form of a time; `time` is none when the count has no timecode.
    auto writeForm = [&](ColumnHeading first, TimeForm form, const std::optional<ReportTime>& time,
                         std::optional<double> rawFrames, const Format& feetFormat) {
        const int col = column(timeHeading(first, form));
        if (col < 0) {
            return;
        }
        switch (form) {
        case TimeForm::TC:
            writeText(col, time ? time->timecodeText() : std::string("??"), plain);
            break;
        case TimeForm::Frames:
            writeNumber(col, rawFrames ? *rawFrames : (time ? time->frameCount() : -1.0), plain);
            break;
        case TimeForm::FF:
            writeText(col, time ? time->feetAndFramesText() : std::string("??"), feetFormat);
            break;
        case TimeForm::Clock:
            if (time) {
                writeText(col, clockTimeString(time->wholeSeconds() * 1000), plain);
            }
            break;
        case TimeForm::Secs:
            if (time) {
                writeNumber(col, static_cast<double>(time->wholeSeconds()), plain);
            }
            break;
        }
    };
    auto formsPresent = [&](ColumnHeading first) {
        for (int form = 0; form < 5; ++form) {
            if (has(timeHeading(first, static_cast<TimeForm>(form)))) {
                return true;
            }
        }
        return false;
    };

    const TimecodeFrameRate reportRate = context_.reportFrameRate;
    // Timeline in and out: each form has its own adjustment, so its own timecode.
    auto timelinePoint = [&](ColumnHeading first, double count) {
        std::optional<double> lastCount;
        std::optional<ReportTime> lastTime;
        for (int index = 0; index < 5; ++index) {
            auto form = static_cast<TimeForm>(index);
            if (!has(timeHeading(first, form))) {
                continue;
            }
            const double adjusted = count + adjustments[static_cast<std::size_t>(index)];
            if (form != TimeForm::Frames && lastCount != adjusted) {
                lastTime = ReportTime::make(adjusted, reportRate, TimecodeUpperLimit::max24Hours);
                lastCount = adjusted;
            }
            writeForm(first, form, form == TimeForm::Frames ? std::nullopt : lastTime, adjusted,
                      plain);
        }
    };
    // The other quantities: one timecode for all five forms.
    auto quantity = [&](ColumnHeading first, double count, TimecodeFrameRate rate,
                        TimecodeUpperLimit limit) {
        if (!formsPresent(first)) {
            return;
        }
        std::optional<ReportTime> time = ReportTime::make(count, rate, limit);
        for (int index = 0; index < 5; ++index) {
            writeForm(first, static_cast<TimeForm>(index), time, std::nullopt, centred);
        }
    };

    const double position = clip.clipTimelinePosition;
    const double duration = clip.clipDuration;
    timelinePoint(H::TimelineInTC, position);
    timelinePoint(H::TimelineOutTC, position + duration + context_.outPointOffset);
    quantity(H::ClipDurationTC, duration, reportRate, TimecodeUpperLimit::max24Hours);

    if (!clip.srcInpoint || !clip.srcDuration) {
        return;
    }
    const TimecodeFrameRate clipRate =
        TimecodeFrameRate::fromRawValue(clip.timecodeFrameRate).value_or(TimecodeFrameRate::fps60);
    const double sourceIn = *clip.srcInpoint;
    const double sourceDuration = *clip.srcDuration;
    quantity(H::SourceInTC, sourceIn, clipRate, TimecodeUpperLimit::max100Days);
    quantity(H::SourceOutTC, sourceIn + sourceDuration + context_.outPointOffset, clipRate,
             TimecodeUpperLimit::max100Days);
    quantity(H::SourceDurationTC, sourceDuration, clipRate, TimecodeUpperLimit::max24Hours);
}

} // namespace marrowvale
