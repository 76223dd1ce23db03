#pragma once

namespace marrowvale {

class ModelContext;
struct ReportContext;
struct ReportRequest;

/// How a timeline report ended.
enum class TimelineReportStatus {
    written,          ///< the clip sheet (and the selected sheets) were written
    noSequence,       ///< no sequence has the requested title
    unknownInputType, ///< the input type is null: nothing was imported
};

/// Writes the report of a timeline read from XMEML or OpenTimelineIO: sets the run's frame rate
/// and out-point offset, gathers the clips of the ticked tracks, writes the clip sheet and then
/// the optional sheets selected in the request. "Bin Clips" reports the bins' master clips.
TimelineReportStatus writeTimelineReport(ReportContext& context, const ModelContext& store,
                                         const ReportRequest& request);

} // namespace marrowvale
