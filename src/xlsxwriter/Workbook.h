#pragma once

#include "xlsxwriter/Chart.h"
#include "xlsxwriter/Chartsheet.h"
#include "xlsxwriter/Format.h"
#include "xlsxwriter/SheetNames.h"
#include "xlsxwriter/Worksheet.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct lxw_workbook;

namespace marrowvale {

/// A workbook being written to an .xlsx file. Sheets, formats and charts are made through it
/// and owned by it; their handles are valid until `close()`. Nothing is written to the file
/// before `close()`, which assembles the whole file at once; a workbook destroyed without being
/// closed leaves no file behind.
///
/// Library failures are thrown as `XlsxError` carrying the library's message; nothing here ends
/// the program.
class Workbook {
public:
    /// Starts a workbook that will be written to `path` at close (library defaults: no
    /// memory-saving mode, the default temporary folder, no ZIP64). Throws `XlsxError` when the
    /// library cannot create it.
    explicit Workbook(const std::string& path);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    /// Discards a workbook that was not closed, writing nothing.
    ~Workbook();

    /// Adds a worksheet, named "Sheet<n>" when no name is given (n = worksheets so far + 1).
    /// A name must be non-empty, at most 31 characters, free of []:*?/\, not begin or end with
    /// an apostrophe, and differ from every other sheet's name in any letter case; otherwise
    /// `XlsxError` is thrown with the library's message. Malformed UTF-8 becomes U+FFFD.
    Worksheet addWorksheet(std::optional<std::string_view> name = std::nullopt);

    /// Adds a chartsheet, named "Chart<n>" when no name is given; names as for worksheets.
    Chartsheet addChartsheet(std::optional<std::string_view> name = std::nullopt);

    /// Adds a cell format with the library's defaults.
    Format addFormat();

    /// Adds a chart of a type.
    Chart addChart(ChartType type);

    /// The worksheet of this name in any letter case, or none.
    std::optional<Worksheet> worksheet(std::string_view named) const;

    /// The chartsheet of this name in any letter case, or none.
    std::optional<Chartsheet> chartsheet(std::string_view named) const;

    /// Writes the file and releases the workbook with every handle made from it. Picture files
    /// inserted into sheets are read here, so they must still exist until this returns. Throws
    /// `XlsxError` with the library's message, and the system's reason when there is one, when
    /// the file cannot be written; the workbook is released either way.
    void close();

    /// The lines the library printed while writing the file (kept off the terminal), for a
    /// diagnostic log; empty when it printed none.
    const std::string& libraryMessages() const noexcept { return libraryMessages_; }

    /// Whether the workbook is still open (not closed or moved from).
    bool isOpen() const noexcept { return workbook_ != nullptr; }

private:
    struct Discard {
        void operator()(lxw_workbook* workbook) const noexcept;
    };

    lxw_workbook* open() const;
    std::string checkedSheetName(std::optional<std::string_view> name, std::string_view defaultStem,
                                 unsigned count) const;

    std::unique_ptr<lxw_workbook, Discard> workbook_;
    SheetNames names_;
    std::string libraryMessages_;
};

} // namespace marrowvale
