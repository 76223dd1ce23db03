#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>

namespace marrowvale::testing {

/// Reads a written workbook back with openpyxl and returns what it found:
/// {"order": [sheet names], "media": pictures, "sheets": {name: {"kind", "state", "cells":
/// {"A1": {"value", "type", "font", "size", "bold", "italic", "color", "align", "valign",
/// "fill", "border", "numFormat", "rotation", "shrink", "link", "comment"}}, "rows": the same
/// cells as a grid from A1, "widths", "hidden", "heights", "merged", "autofilter", "printArea",
/// "tables", "tabColor", "paper", "gridlines"}}}.
/// Throws std::runtime_error saying why when the file cannot be read, or when openpyxl is
/// missing: scripts/install-deps installs it, so a test never passes without reading back.
nlohmann::json readWorkbook(const std::filesystem::path& path);

} // namespace marrowvale::testing
