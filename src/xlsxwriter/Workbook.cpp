#include "xlsxwriter/Workbook.h"

#include "xlsxwriter/LibraryMessages.h"
#include "xlsxwriter/LibraryText.h"
#include "xlsxwriter/XlsxError.h"

#include <cerrno>
#include <xlsxwriter.h>

namespace marrowvale {

namespace {

template <typename T>
T* created(T* object) {
    if (object == nullptr) {
        throw XlsxError(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    return object;
}

} // namespace

void Workbook::Discard::operator()(lxw_workbook* workbook) const noexcept {
    lxw_workbook_free(workbook);
}

Workbook::Workbook(const std::string& path) : workbook_(created(workbook_new(path.c_str()))) {}

Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

lxw_workbook* Workbook::open() const {
    if (workbook_ == nullptr) {
        throw XlsxError(LXW_ERROR_PARAMETER_VALIDATION, "The workbook is already closed.");
    }
    return workbook_.get();
}

std::string Workbook::checkedSheetName(std::optional<std::string_view> name,
                                       std::string_view defaultStem, unsigned count) const {
    // Name default sheets here rather than in the library so that they pass the same
    // uniqueness check as given names.
    std::string sheetName =
        name ? LibraryText::repaired(*name) : std::string(defaultStem) + std::to_string(count + 1);
    if (sheetName.empty()) {
        // The library accepts an empty name and writes a workbook that does not open.
        throw XlsxError(LXW_ERROR_PARAMETER_VALIDATION, "Worksheet name cannot be empty.");
    }
    const lxw_error error = workbook_validate_sheet_name(open(), sheetName.c_str());
    if (error != LXW_NO_ERROR) {
        throw XlsxError(error);
    }
    if (names_.contains(sheetName)) {
        throw XlsxError(LXW_ERROR_SHEETNAME_ALREADY_USED);
    }
    return sheetName;
}

Worksheet Workbook::addWorksheet(std::optional<std::string_view> name) {
    const std::string sheetName = checkedSheetName(name, "Sheet", open()->num_worksheets);
    lxw_worksheet* sheet = created(workbook_add_worksheet(open(), sheetName.c_str()));
    names_.add(sheetName, sheet);
    return Worksheet(sheet);
}

Chartsheet Workbook::addChartsheet(std::optional<std::string_view> name) {
    const std::string sheetName = checkedSheetName(name, "Chart", open()->num_chartsheets);
    lxw_chartsheet* sheet = created(workbook_add_chartsheet(open(), sheetName.c_str()));
    names_.add(sheetName, sheet);
    return Chartsheet(sheet);
}

Format Workbook::addFormat() {
    return Format(created(workbook_add_format(open())));
}

Chart Workbook::addChart(ChartType type) {
    return Chart(created(workbook_add_chart(open(), static_cast<std::uint8_t>(type))));
}

std::optional<Worksheet> Workbook::worksheet(std::string_view named) const {
    open();
    const SheetNames::Entry* entry = names_.find(LibraryText::repaired(named));
    if (entry == nullptr || entry->worksheet == nullptr) {
        return std::nullopt;
    }
    return Worksheet(entry->worksheet);
}

std::optional<Chartsheet> Workbook::chartsheet(std::string_view named) const {
    open();
    const SheetNames::Entry* entry = names_.find(LibraryText::repaired(named));
    if (entry == nullptr || entry->chartsheet == nullptr) {
        return std::nullopt;
    }
    return Chartsheet(entry->chartsheet);
}

void Workbook::close() {
    // The library releases the workbook whatever the outcome of writing it.
    lxw_workbook* workbook = open();
    static_cast<void>(workbook_.release());
    names_ = SheetNames();
    LibraryMessages messages;
    errno = 0;
    const lxw_error error = workbook_close(workbook);
    // The library tells the system's reason only in the line it prints; errno still holds it.
    const int reason = errno;
    libraryMessages_ += messages.text();
    if (error != LXW_NO_ERROR) {
        throw XlsxError(error, reason != 0 ? std::error_code(reason, std::generic_category())
                                           : std::error_code());
    }
}

} // namespace marrowvale
