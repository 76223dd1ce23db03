#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "app/InputType.h"
#include "report/ClipSheetColumns.h"

#include <filesystem>
#include <ostream>
#include <string_view>

namespace marrowvale {

class MediaProbe;
class StopRequest;
class Workbook;

/// The state one report run hands from the steps that know it to the sheet writers that need
/// it. Each run makes its own, so no value leaks from one run into the next.
struct ReportContext {
    /// The workbook being written; null when there is none (no sheet is then written).
    Workbook* workbook = nullptr;
    /// The run's private folder that receives the clip thumbnails.
    std::filesystem::path thumbnailsFolder;
    /// The rate that timeline times are shown at: the reported sequence's rate, 60 fps when it
    /// has none that can be read.
    dovovevozav::TimecodeFrameRate reportFrameRate = dovovevozav::TimecodeFrameRate::fps60;
    /// Frames added to position + duration for every end or out point: -1 for inputs whose end
    /// points are exclusive (XMEML, Premiere OTIO), 0 for Resolve and Avid OTIO.
    double outPointOffset = -1;
    /// The clip sheet's base column set (see clipSheetColumns).
    ColumnSetKind columnSetKind = ColumnSetKind::none;
    /// The kind of file the timeline came from.
    InputType inputType = InputType::null;
    /// Thumbnails and audio tags; never null while sheets are written.
    MediaProbe* mediaProbe = nullptr;
    /// Where diagnostic lines go; null keeps the run quiet.
    std::ostream* diagnostics = nullptr;
    /// The host's request to stop the run; sheet writers check it between rows (null: none).
    const StopRequest* stop = nullptr;
};

/// Writes one diagnostic line, when the run has somewhere to write it.
inline void sayDiagnostic(const ReportContext& context, std::string_view line) {
    if (context.diagnostics != nullptr) {
        *context.diagnostics << line << '\n';
    }
}

} // namespace marrowvale
