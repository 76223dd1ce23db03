#include "report/ClipSheetColumns.h"

#include <algorithm>
#include <string_view>

namespace marrowvale {

namespace {

using H = ColumnHeading;

void appendForms(std::vector<ColumnHeading>& list, ColumnHeading first) {
    for (int form = 0; form < 5; ++form) {
        list.push_back(timeHeading(first, static_cast<TimeForm>(form)));
    }
}

std::vector<ColumnHeading> timelineBaseList(bool withFrameSize) {
    std::vector<ColumnHeading> list = {H::Row, H::Thumbnail, H::Track, H::ClipName, H::Enabled};
    for (H first : {H::TimelineInTC, H::TimelineOutTC, H::ClipDurationTC, H::SourceInTC,
                    H::SourceOutTC, H::SourceDurationTC}) {
        appendForms(list, first);
    }
    list.insert(list.end(), {H::Description, H::Scene, H::Take, H::FrameSampleRate});
    if (withFrameSize) {
        list.push_back(H::FrameSize);
    }
    list.insert(list.end(),
                {H::SourceFileName, H::SourceFilePath, H::ID3title, H::ID3album, H::ID3track,
                 H::ID3year, H::ID3genre, H::ID3artist, H::ID3composer, H::ID3publisher});
    return list;
}

std::vector<ColumnHeading> binClipBaseList() {
    std::vector<ColumnHeading> list = {H::Row, H::ClipName, H::BinName, H::Label};
    for (H first : {H::SourceInTC, H::SourceOutTC, H::SourceDurationTC}) {
        appendForms(list, first);
    }
    list.insert(list.end(),
                {H::Markers, H::Reel, H::Description, H::Scene, H::Take, H::FrameSampleRate,
                 H::FrameSize, H::SourceFileName, H::SourceFilePath});
    return list;
}

std::optional<std::vector<ColumnHeading>> baseList(ColumnSetKind kind) {
    switch (kind) {
    case ColumnSetKind::otio:
    case ColumnSetKind::otioAlternate:
        return timelineBaseList(false);
    case ColumnSetKind::binClips:
        return binClipBaseList();
    case ColumnSetKind::xmeml:
        return timelineBaseList(true);
    case ColumnSetKind::eventRoles:
        return std::vector<ColumnHeading>{H::Row,
                                          H::RoleSubrole,
                                          H::ClipName,
                                          H::EventName,
                                          H::SourceInTC,
                                          H::SourceOutTC,
                                          H::SourceDurationTC,
                                          H::SourceDurationFrames,
                                          H::Markers,
                                          H::Keywords,
                                          H::Notes,
                                          H::Reel,
                                          H::Scene,
                                          H::Take,
                                          H::SourceFileName,
                                          H::SourceFilePath};
    case ColumnSetKind::timelineRoles:
        return std::vector<ColumnHeading>{H::Row,
                                          H::Thumbnail,
                                          H::RoleSubrole,
                                          H::ClipName,
                                          H::Category,
                                          H::Enabled,
                                          H::TimelineInTC,
                                          H::TimelineOutTC,
                                          H::ClipDurationTC,
                                          H::ClipDurationFrames,
                                          H::SourceInTC,
                                          H::SourceOutTC,
                                          H::SourceDurationTC,
                                          H::SourceDurationFrames,
                                          H::Markers,
                                          H::Keywords,
                                          H::Notes,
                                          H::Reel,
                                          H::Scene,
                                          H::Take,
                                          H::SourceFileName,
                                          H::SourceFilePath};
    case ColumnSetKind::none:
        break;
    }
    return std::nullopt; // none, or a value outside the enumeration
}

void takeOut(std::vector<ColumnHeading>& list, ColumnHeading heading) {
    auto found = std::find(list.begin(), list.end(), heading);
    if (found != list.end()) {
        list.erase(found);
    }
}

void takeOutForms(std::vector<ColumnHeading>& list, ColumnHeading first) {
    for (int form = 0; form < 5; ++form) {
        takeOut(list, timeHeading(first, static_cast<TimeForm>(form)));
    }
}

struct ColumnSwitch {
    std::string_view key;
    std::vector<ColumnHeading> headings;
    std::vector<ColumnHeading> quantities; // each stands for its five forms
};

struct TimeDisplaySwitch {
    std::string_view key;
    TimeForm form;
    bool timeline; // timeline quantities (and clip duration), else source quantities
};

} // namespace

std::optional<std::vector<ColumnHeading>> clipSheetColumns(ColumnSetKind kind,
                                                           const ReportOptions& options) {
    std::optional<std::vector<ColumnHeading>> list = baseList(kind);
    if (!list) {
        return std::nullopt;
    }

    auto isOff = [&](std::string_view key) { return optionFlag(key, options) == false; };

    static const ColumnSwitch columnSwitches[] = {
        {"rowNumbers", {H::Row}, {}},
        {"thumbnails", {H::Thumbnail}, {}},
        {"track", {H::Track}, {}},
        {"enabled", {H::Enabled}, {}},
        {"in", {}, {H::TimelineInTC, H::SequenceInTC}},
        {"out", {}, {H::TimelineOutTC, H::SequenceOutTC}},
        {"duration", {}, {H::ClipDurationTC}},
        {"srcReel", {H::Reel}, {}},
        {"srcIn", {}, {H::SourceInTC}},
        {"srcOut", {}, {H::SourceOutTC}},
        {"srcDuration", {}, {H::SourceDurationTC}},
        {"description", {H::Description}, {}},
        {"scene", {H::Scene}, {}},
        {"shottake", {H::Take}, {}},
        {"lognote", {H::LogNote}, {}},
        {"cameraroll", {H::CameraRoll}, {}},
        {"dailyroll", {H::DailyRoll}, {}},
        {"labroll", {H::LabRoll}, {}},
        {"labels", {H::Label}, {}},
        {"framerate", {H::FrameSampleRate}, {}},
        {"frameSize", {H::FrameSize}, {}},
        {"srcFileName", {H::SourceFileName}, {}},
        {"srcFilePath", {H::SourceFilePath}, {}},
        {"id3Metadata",
         {H::ID3title, H::ID3album, H::ID3track, H::ID3year, H::ID3genre, H::ID3artist,
          H::ID3composer, H::ID3publisher},
         {}},
    };
    for (const ColumnSwitch& columnSwitch : columnSwitches) {
        bool off = isOff(columnSwitch.key);
        // Without a thumbnail width there is nothing to show, whatever the switch says.
        if (columnSwitch.key == "thumbnails" && options.thumbnailWidth == 0) {
            off = true;
        }
        if (!off) {
            continue;
        }
        for (ColumnHeading heading : columnSwitch.headings) {
            takeOut(*list, heading);
        }
        for (ColumnHeading first : columnSwitch.quantities) {
            takeOutForms(*list, first);
        }
    }

    static const TimeDisplaySwitch displaySwitches[] = {
        {"reportSeqTimecode", TimeForm::TC, true},    {"reportSrcTimecode", TimeForm::TC, false},
        {"reportSeqFrames", TimeForm::Frames, true},  {"reportSrcFrames", TimeForm::Frames, false},
        {"reportSeqFeet+Frames", TimeForm::FF, true}, {"reportSrcFeet+Frames", TimeForm::FF, false},
        {"reportSeqClock", TimeForm::Clock, true},    {"reportSrcClock", TimeForm::Clock, false},
        {"reportSeqSeconds", TimeForm::Secs, true},   {"reportSrcSeconds", TimeForm::Secs, false},
    };
    for (const TimeDisplaySwitch& displaySwitch : displaySwitches) {
        if (!isOff(displaySwitch.key)) {
            continue;
        }
        static const std::vector<ColumnHeading> timelineQuantities = {
            H::TimelineInTC, H::TimelineOutTC, H::SequenceInTC, H::SequenceOutTC,
            H::ClipDurationTC};
        static const std::vector<ColumnHeading> sourceQuantities = {H::SourceInTC, H::SourceOutTC,
                                                                    H::SourceDurationTC};
        for (ColumnHeading first : displaySwitch.timeline ? timelineQuantities : sourceQuantities) {
            takeOut(*list, timeHeading(first, displaySwitch.form));
        }
    }
    return list;
}

} // namespace marrowvale
