#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace marrowvale::testing {

/// A fresh empty folder under the system's temporary folder, removed again on destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    /// A path inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

/// The uncompressed bytes of one member of a zip file (an .xlsx part such as
/// "xl/worksheets/sheet1.xml"), or none when the file or the member is missing.
std::optional<std::string> readZipMember(const std::string& zipPath, const std::string& member);

/// Whether the python with openpyxl is there to read workbooks back.
bool openpyxlAvailable();

/// Reads a workbook back with openpyxl and returns what it found, sheet by sheet:
/// {"sheets": {name: {"kind", "state", "cells": {A1: {...}}, "widths", "heights", "merged",
/// "autofilter", "tables"}}}. Throws std::runtime_error when openpyxl cannot read the file.
nlohmann::json readBack(const std::string& workbookPath);

/// A tiny valid PNG picture of the given size, in solid red.
std::string tinyPng(unsigned width, unsigned height);

} // namespace marrowvale::testing
