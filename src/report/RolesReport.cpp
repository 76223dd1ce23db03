#include "report/RolesReport.h"

#include "app/ReportRequest.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "model/TextOrder.h"
#include "report/ClipSheetWriter.h"
#include "report/EffectsSheets.h"
#include "report/GraphicsSheet.h"
#include "report/KeywordsSheet.h"
#include "report/MarkersSheet.h"
#include "report/ReportClips.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/SheetName.h"
#include "report/TransitionsSheet.h"
#include "xlsxwriter/SheetNames.h"

#include <algorithm>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

namespace marrowvale {

namespace {

/// The longest sheet name a workbook accepts, in Unicode scalar values.
constexpr std::int32_t maxSheetNameLength = 31;

constexpr std::string_view subroleSeparator = " \u25B8 ";

/// The longest beginning of `text` of at most `limit` scalar values that ends between two
/// characters as a reader counts them (a letter keeps its combining marks); between two scalar
/// values when even the first character is longer.
std::string cutToCharacters(std::string_view text, std::int32_t limit) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    if (unicode.countChar32() <= limit) {
        std::string whole;
        return unicode.toUTF8String(whole);
    }
    std::int32_t end = unicode.moveIndex32(0, limit);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status)) {
        characters->setText(unicode);
        std::int32_t boundary = characters->preceding(end + 1);
        if (boundary > 0 && boundary != icu::BreakIterator::DONE) {
            end = boundary;
        }
    }
    std::string cut;
    return unicode.tempSubString(0, end).toUTF8String(cut);
}

/// The title rule's character replacements, in order.
std::string replaceForbidden(std::string text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case ':':
        case '?':
        case '*':
            break;
        case '\\':
        case '/':
            result += '|';
            break;
        case '[':
            result += '(';
            break;
        case ']':
            result += ')';
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string trimApostrophes(std::string text) {
    const std::size_t first = text.find_first_not_of('\'');
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of('\'');
    return text.substr(first, last - first + 1);
}

/// The role keys of the clips: their distinct video roles, and their distinct audio role and
/// subrole pairs, each list in text order.
struct RoleKeys {
    std::vector<std::string> video;
    std::vector<std::string> audio;

    explicit RoleKeys(const std::vector<StoryElement*>& clips) {
        for (const StoryElement* clip : clips) {
            if (!clip->videoRole.empty()) {
                video.push_back(clip->videoRole);
            }
            for (const std::string& subrole : clip->audioSubroles) {
                audio.push_back(audioKey(*clip, subrole));
            }
        }
        auto same = [](const std::string& a, const std::string& b) { return a == b; };
        video = sortedTexts(uniqued(video, same));
        audio = sortedTexts(uniqued(audio, same));
    }

    static std::string audioKey(const StoryElement& clip, const std::string& subrole) {
        return clip.audioRole + std::string(subroleSeparator) + subrole;
    }
};

/// Writes one clip sheet per key, of the clips `inRole` puts under that key.
template <typename InRole>
void writeRoleSheets(ReportContext& context, const std::vector<StoryElement*>& clips,
                     const std::vector<std::string>& keys, InRole inRole,
                     const ReportOptions& options, UsedSheetTitles& used) {
    for (const std::string& key : keys) {
        std::vector<StoryElement*> roleClips;
        for (StoryElement* clip : clips) {
            if (inRole(*clip, key)) {
                roleClips.push_back(clip);
            }
        }
        const std::string title = roleSheetTitle(key, used);
        used.add(title);
        writeClipSheet(context, roleClips, title, options, true);
    }
}

} // namespace

UsedSheetTitles::UsedSheetTitles() {
    for (std::string_view title : reservedSheetTitles) {
        add(title);
    }
}

bool UsedSheetTitles::contains(std::string_view title) const {
    return folded_.contains(SheetNames::folded(title));
}

void UsedSheetTitles::add(std::string_view title) {
    folded_.insert(SheetNames::folded(title));
}

std::string roleSheetTitle(std::string_view key, const UsedSheetTitles& used) {
    std::string base = trimApostrophes(replaceForbidden(cutToCharacters(key, maxSheetNameLength)));
    if (base.empty()) {
        base = sheetTitle(SheetName::AllClips);
    }
    std::string title = base;
    for (unsigned number = 1; used.contains(title); ++number) {
        const std::string suffix = std::to_string(number);
        title =
            cutToCharacters(base, maxSheetNameLength - static_cast<std::int32_t>(suffix.size())) +
            suffix;
    }
    return title;
}

bool writeRolesReport(ReportContext& context, const ModelContext& store,
                      const ReportRequest& request) {
    const Composition* sequence = nullptr;
    if (!findReportSequence(context, store, request.sequenceTitle, sequence)) {
        return false;
    }
    context.outPointOffset = -1;
    UsedSheetTitles used;

    std::vector<StoryElement*> clips;
    if (sequence != nullptr) {
        auto keep = [](const StoryElement& clip) { return !isTransitionOrGap(clip); };
        clips = trackClips(*sequence, request.tracks, keep, keep);
    } else {
        clips = binClips(store);
        if (!clips.empty()) {
            context.columnSetKind = ColumnSetKind::binClips;
        }
    }

    // The report's clip sheets take every column of their set: the user's column choices and
    // optional sheets do not reach this report.
    ReportOptions options = request.options;
    options.flags.clear();
    const bool useColorText = optionFlag("useColorText", options).value_or(true);

    const std::string_view allClips = sheetTitle(SheetName::AllClips);
    used.add(allClips);
    writeClipSheet(context, clips, allClips, options, useColorText);

    const RoleKeys keys(clips);
    writeRoleSheets(
        context, clips, keys.video,
        [](const StoryElement& clip, const std::string& key) { return clip.videoRole == key; },
        options, used);
    writeRoleSheets(
        context, clips, keys.audio,
        [](const StoryElement& clip, const std::string& key) {
            return std::any_of(clip.audioSubroles.begin(), clip.audioSubroles.end(),
                               [&](const std::string& subrole) {
                                   return RoleKeys::audioKey(clip, subrole) == key;
                               });
        },
        options, used);

    std::vector<MarkedRange*> keywords;
    std::vector<MarkedRange*> markers;
    for (MarkedRange* range : reportMarkers(sequence, clips)) {
        switch (reportedMarkerKind(*range)) {
        case MarkerKind::keyword:
        case MarkerKind::favorite:
        case MarkerKind::rejected:
        case MarkerKind::analysis:
            keywords.push_back(range);
            break;
        case MarkerKind::standard:
        case MarkerKind::incompleteToDo:
        case MarkerKind::completedToDo:
        case MarkerKind::chapter:
            markers.push_back(range);
            break;
        case MarkerKind::none:
            break;
        }
    }
    writeKeywordsSheet(context, keywords, sheetTitle(SheetName::Keywords), true);
    writeMarkersSheet(context, markers, SheetName::Markers, true);

    std::vector<StoryElement*> graphics;
    std::vector<StoryElement*> transitions;
    if (sequence != nullptr) {
        graphics = trackClips(*sequence, request.tracks, isGraphic, isGraphic);
        transitions = trackClips(*sequence, request.tracks, isTransition, isTransition);
    }
    writeGraphicsSheet(context, graphics, sheetTitle(SheetName::TitlesGenerators), true);
    writeEffectsSheet(context, clips, sheetTitle(SheetName::VideoAudioEffects), true);
    writeSpeedChangesSheet(context, clips, sheetTitle(SheetName::SpeedChangeEffects), true);
    writeTransitionsSheet(context, transitions, sheetTitle(SheetName::Transitions), true);
    return true;
}

} // namespace marrowvale
