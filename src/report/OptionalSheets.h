#pragma once

#include "report/FileSummaryItem.h"
#include "report/SheetName.h"

#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

class MarkedRange;
class ModelContext;
class StoryElement;
struct ReportContext;

/// The writers of the report's optional sheets and of the roles report. The timeline report
/// calls them after the clip sheet for the sheets the user selected. This base class writes
/// nothing; the sheet writers override what they provide.
class OptionalSheets {
public:
    virtual ~OptionalSheets() = default;

    /// The sequence or clip markers sheet titled `title`.
    virtual void writeMarkersSheet(ReportContext&, const std::vector<MarkedRange*>&,
                                   SheetName /*title*/, bool /*useColorText*/) {}
    /// The titles and generators sheet.
    virtual void writeGraphicsSheet(ReportContext&, const std::vector<StoryElement*>&,
                                    std::string_view /*title*/, bool /*useColorText*/) {}
    /// The transitions sheet.
    virtual void writeTransitionsSheet(ReportContext&, const std::vector<StoryElement*>&,
                                       std::string_view /*title*/, bool /*useColorText*/) {}
    /// The video and audio effects sheet.
    virtual void writeEffectsSheet(ReportContext&, const std::vector<StoryElement*>&,
                                   std::string_view /*title*/, bool /*useColorText*/) {}
    /// The speed change effects sheet.
    virtual void writeSpeedChangesSheet(ReportContext&, const std::vector<StoryElement*>&,
                                        std::string_view /*title*/, bool /*useColorText*/) {}
    /// The files summary sheet from the clip sheet's source files.
    virtual void writeFilesSummarySheet(ReportContext&, std::vector<FileSummaryItem>,
                                        std::string_view /*title*/) {}
    /// The roles report of a sequence (FCPXML input); false when it cannot be written.
    virtual bool writeRolesReport(ReportContext&, const ModelContext&,
                                  const std::string& /*sequenceTitle*/) {
        return false;
    }
};

} // namespace marrowvale
