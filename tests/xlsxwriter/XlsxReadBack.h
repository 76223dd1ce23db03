#pragma once

#include <optional>
#include <string>

namespace marrowvale::testing {

/// The uncompressed bytes of one member of a zip file (an .xlsx part such as
/// "xl/worksheets/sheet1.xml"), or none when the file or the member is missing.
std::optional<std::string> readZipMember(const std::string& zipPath, const std::string& member);

/// A tiny valid PNG picture of the given size, in solid red.
std::string tinyPng(unsigned width, unsigned height);

} // namespace marrowvale::testing
