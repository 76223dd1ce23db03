#include "xmeml/ProcessXMEML.h"

#include "app/ReaderHost.h"
#include "app/XMLContentError.h"
#include "model/ModelContext.h"
#include "xmeml/AssetPass.h"
#include "xmeml/BinPass.h"
#include "xmeml/XMEMLDocument.h"
#include "xmeml/XMEMLImport.h"

#include <algorithm>
#include <fmt/format.h>
#include <new>
#include <unordered_set>

namespace marrowvale {

namespace {

constexpr std::string_view problemTitle = "There is a problem with this XMEML";

void showContentError(ReaderHost& host, XMLContentError::Case errorCase) {
    XMLContentError error(errorCase);
    host.showAlert(error.errorDescription().value_or(""), error.recoverySuggestion().value_or(""));
}

void removeRepeatedLines(std::vector<std::string>& lines) {
    std::unordered_set<std::string> seen;
    std::erase_if(lines, [&seen](const std::string& line) { return !seen.insert(line).second; });
}

} // namespace

XMEMLImportResult processXMEML(ModelContext& store, std::string_view bytes, ReaderHost& host,
                               const XMEMLProgressShares& shares) {
    XMEMLImportResult result;
    std::optional<XMEMLDocument> document;
    try {
        document.emplace(XMEMLDocument::parse(bytes, "xmeml"));
    } catch (const XMEMLParseError& error) {
        result.diagnostics.push_back(
            fmt::format("LibXML error: code={}, message={}", error.code(), error.what()));
        host.showAlert(std::string(problemTitle), error.what());
        return result;
    } catch (const std::bad_alloc&) {
        result.diagnostics.push_back("Not enough memory to read the file");
        host.showAlert(std::string(problemTitle), "There is not enough memory to read this file.");
        return result;
    }
    if (!document->holdsOnlyUTF8()) {
        // Text that is not UTF-8 would reach the store and the report as broken characters.
        result.diagnostics.push_back(
            "XML query error: The text cannot be represented in the requested character encoding");
        host.showAlert("The text of this file cannot be read.",
                       "Some of its text is neither UTF-8 nor in the character encoding that "
                       "its XML declaration names.");
        return result;
    }
    if (document->root() == XMEMLDocument::none) {
        showContentError(host, XMLContentError::emptyXMEML);
        return result;
    }
    if (document->tag(document->root()) != "xmeml") {
        showContentError(host, XMLContentError::invalidXMEML);
        return result;
    }

    XMEMLImport import(*document, store, host);
    try {
        std::vector<NodeIndex> bins = findBins(import);
        host.startProgress(static_cast<double>(bins.size()) * (shares.clips + shares.sequences) +
                           shares.assets);
        storeAssets(import, shares.assets);
        import.indexAssets();
        storeBinsAndTheirContents(import, bins, shares.clips, shares.sequences);
    } catch (const std::exception& error) {
        // Only running out of memory gets here; half a timeline must not look like a whole one.
        store.deleteAllModels();
        result.diagnostics.push_back(fmt::format("Import stopped: {}", error.what()));
        host.showAlert(std::string(problemTitle), "There is not enough memory to read this file.");
        return result;
    }

    result.imported = true;
    if (const std::optional<XMEMLRecoveredError>& damage = document->recoveredError()) {
        // The parser repairs damage silently; a truncated file would otherwise pass for a
        // whole timeline.
        result.warnings.push_back(fmt::format(
            "This XMEML is damaged (line {}: {}). It was read as far as possible, so the "
            "timeline may be incomplete.",
            damage->line, damage->message));
    }
    result.diagnostics = std::move(import.diagnostics);
    removeRepeatedLines(result.diagnostics);
    return result;
}

} // namespace marrowvale
