#include "xmeml/ProcessXMEML.h"

#include "app/InputFile.h"
#include "app/ReaderHost.h"
#include "app/XMLContentError.h"
#include "model/ModelContext.h"
#include "xmeml/AssetPass.h"
#include "xmeml/BinPass.h"
#include "xmeml/XMEMLDocument.h"
#include "xmeml/XMEMLImport.h"

#include <algorithm>
#include <fmt/format.h>
#include <libxml/xmlerror.h>
#include <new>
#include <unordered_set>
#include <vector>

namespace marrowvale {

namespace {

constexpr std::string_view problemTitle = "There is a problem with this XMEML";
constexpr std::string_view notEnoughMemory = "There is not enough memory to read this file.";

void showContentError(ReaderHost& host, XMLContentError::Case errorCase) {
    XMLContentError error(errorCase);
    host.showAlert(error.errorDescription().value_or(""), error.recoverySuggestion().value_or(""));
}

void removeRepeatedLines(std::vector<std::string>& lines) {
    std::unordered_set<std::string> seen;
    std::erase_if(lines, [&seen](const std::string& line) { return !seen.insert(line).second; });
}

// What the parser found and where: its first error with the line and column, or that the
// bytes do not even begin like XML.
std::string foundText(const std::optional<XMEMLRecoveredError>& error) {
    if (!error || error->code == XML_ERR_DOCUMENT_EMPTY) {
        return "The file is not an XML file.";
    }
    return fmt::format("Line {}, column {}: {}", error->line, error->column, error->message);
}

template <typename Parse>
XMEMLImportResult importDocument(ModelContext& store, ReaderHost& host,
                                 const XMEMLProgressShares& shares, Parse parse) {
    XMEMLImportResult result;
    std::optional<XMEMLDocument> document;
    try {
        document.emplace(parse());
    } catch (const XMEMLParseError& error) {
        result.diagnostics.push_back(
            fmt::format("LibXML error: code={}, message={}", error.code(), error.what()));
        host.showDetailedAlert(std::string(problemTitle), error.what(),
                               foundText(error.firstError()));
        return result;
    } catch (const std::bad_alloc&) {
        result.diagnostics.push_back("Not enough memory to read the file");
        host.showAlert(std::string(problemTitle), std::string(notEnoughMemory));
        return result;
    }
    if (!document->holdsOnlyUTF8()) {
        // Text that is not UTF-8 would reach the store and the report as broken characters.
        result.diagnostics.push_back(
            "XML query error: The text cannot be represented in the requested character encoding");
        host.showDetailedAlert("The text of this file cannot be read.",
                               "Some of its text is neither UTF-8 nor in the character encoding "
                               "that its XML declaration names.",
                               document->recoveredError() ? foundText(document->recoveredError())
                                                          : std::string());
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
    // Half a timeline must not look like a whole one: a failure part way empties the store.
    auto stopImport = [&](const std::exception& error, std::string_view informativeText) {
        store.deleteAllModels();
        result.diagnostics.push_back(fmt::format("Import stopped: {}", error.what()));
        host.showAlert(std::string(problemTitle), std::string(informativeText));
        return result;
    };
    try {
        std::vector<NodeIndex> bins = findBins(import);
        host.startProgress(static_cast<double>(bins.size()) * (shares.clips + shares.sequences) +
                           shares.assets);
        storeAssets(import, shares.assets);
        import.indexAssets();
        storeBinsAndTheirContents(import, bins, shares.clips, shares.sequences);
    } catch (const std::bad_alloc& error) {
        return stopImport(error, notEnoughMemory);
    } catch (const std::exception& error) {
        return stopImport(error, error.what());
    }

    result.imported = true;
    result.warnings = std::move(import.warnings);
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

} // namespace

XMEMLImportResult processXMEML(ModelContext& store, std::string_view bytes, ReaderHost& host,
                               const XMEMLProgressShares& shares) {
    return importDocument(store, host, shares,
                          [bytes] { return XMEMLDocument::parse(bytes, "xmeml"); });
}

XMEMLImportResult processXMEML(ModelContext& store, InputFile& file, ReaderHost& host,
                               const XMEMLProgressShares& shares) {
    std::vector<char> buffer;
    auto next = [&file, &buffer](std::size_t maxLength) {
        buffer.resize(std::max(buffer.size(), maxLength));
        return std::string_view(buffer.data(), file.read(buffer.data(), maxLength));
    };
    try {
        return importDocument(store, host, shares, [&] {
            return XMEMLDocument::parse(next, static_cast<std::size_t>(file.size()), "xmeml");
        });
    } catch (const InputFileError& error) {
        XMEMLImportResult result;
        result.diagnostics.push_back(fmt::format("Read error: {}", error.what()));
        host.showAlert(fmt::format("The file \u201c{}\u201d couldn\u2019t be opened.",
                                   file.path().filename().string()),
                       error.what());
        return result;
    }
}

} // namespace marrowvale
