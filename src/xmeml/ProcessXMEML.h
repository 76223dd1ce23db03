#pragma once

#include "app/InputType.h"

#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

class InputFile;
class ModelContext;
class ReaderHost;

/// How many progress units each part of an XMEML import spends: the source files once, and per
/// bin its master clips and its sequences. The progress maximum is
/// bins x (clips + sequences) + assets.
struct XMEMLProgressShares {
    double assets = 100.0;
    double clips = 100.0;
    double sequences = 10000.0;
};

/// What an XMEML import tells its caller.
struct XMEMLImportResult {
    /// The input type to remember for the report: always XMEML, also when the import failed.
    InputType inputType = InputType::XMEML;
    /// True when the document was read into the store; false when an alert told the user why
    /// not, and the store was left as it was.
    bool imported = false;
    /// Lines worth a log: the parse error, unknown frame rates, unusable speed values.
    std::vector<std::string> diagnostics;
    /// What the user should see although the import went on: a damaged file that was read
    /// only as far as the parser could repair it.
    std::vector<std::string> warnings;
};

/// Reads an XMEML file's bytes into the store: source files and formats, then for each bin its
/// master clips and sequences with their tracks, items, logging, markers and effects. The
/// bytes are handed to libxml2 as they are, so their declared or detected encoding is honoured.
/// A file that cannot be parsed, is empty, or is not XMEML gets an alert through the host and
/// stores nothing; the alert's detail tells what the parser found and where. Never throws for
/// any content of the file.
XMEMLImportResult processXMEML(ModelContext& store, std::string_view bytes, ReaderHost& host,
                               const XMEMLProgressShares& shares = {});

/// The same for a file, read chunk by chunk as the parser goes; a file that holds no XML is
/// refused after its first chunk. A file that cannot be read gets an alert too.
XMEMLImportResult processXMEML(ModelContext& store, InputFile& file, ReaderHost& host,
                               const XMEMLProgressShares& shares = {});

} // namespace marrowvale
