#pragma once

#include <string>
#include <string_view>

namespace marrowvale {

/// A fresh random (version 4) UUID in its 36-character hyphenated form, in lower case, drawn from
/// the calling thread's generator (seeded once per thread from the system's entropy).
std::string makeUUID();

/// A fresh random UUID as makeUUID() gives it, in upper case: the form of layout identifiers and
/// of the identifiers the XMEML reader makes for files and clips that have none.
std::string makeUpperCaseUUID();

/// An identifier text: `prefix` followed by a fresh lower-case UUID, e.g. makeIdentifier("vf-").
std::string makeIdentifier(std::string_view prefix);

} // namespace marrowvale
