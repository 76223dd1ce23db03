#pragma once

#include "app/InputType.h"
#include "app/ReportHost.h"
#include "app/ReportRequest.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

class InputFile;
class ModelContext;

/// What the media-format check tells the user.
struct MediaFormatSummary {
    std::string messageText;
    std::string informativeText;
};

/// The entry points of the readers, the report writer and the media library as the controller
/// calls them; the front end fills them in. An empty entry means the front end offers no such
/// service: the controller then tells the user so in an alert.
struct AppServices {
    /// Reads an XMEML file into the store, chunk by chunk from the checked file; gives the input
    /// type to remember (none when the reader set it through the host itself). Reports its
    /// failures in alerts.
    using XMEMLReader = std::function<std::optional<InputType>(ModelContext& store, InputFile& file,
                                                               ReaderHost& host)>;
    /// Reads an OTIO file into the store with an optional drop-frame hint and the progress
    /// range; sets the input type through the host and reports its failures in alerts. The
    /// controller has checked that the file is a regular file of a sane size; the reader reads
    /// it through InputFile all the same.
    using OTIOReader = std::function<void(ModelContext& store, const std::filesystem::path& file,
                                          std::optional<bool> dropFrame, double progressStart,
                                          double progressEnd, ReaderHost& host)>;
    /// Runs one report from the save panel to the finished workbook.
    using ReportWriter =
        std::function<void(ModelContext& store, const ReportRequest& request, ReportHost& host)>;
    /// Describes which media the media library can decode.
    using MediaFormats = std::function<MediaFormatSummary()>;

    XMEMLReader processXMEML;
    OTIOReader processOTIO;
    ReportWriter createXLSX;
    MediaFormats describeMediaFormats;
    /// Whether the report writer writes the optional sheets (markers, generators, transitions,
    /// effects, files summary) and whether it makes thumbnails; false where the services lack
    /// them, so a front end can tell the user that the choice has no effect yet.
    bool writesOptionalSheets = false;
    bool makesThumbnails = false;
};

} // namespace marrowvale
