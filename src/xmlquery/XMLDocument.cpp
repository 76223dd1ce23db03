#include "xmlquery/XMLDocument.h"

#include "xmlquery/CssToXPath.h"
#include "xmlquery/DateParser.h"
#include "xmlquery/LibXmlText.h"
#include "xmlquery/NumberParser.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"
#include "xmlquery/XPathContext.h"

#include <climits>
#include <cstdint>
#include <libxml/parser.h>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace marrowvale {
namespace {

// Recover what can be repaired, print nothing, never touch the network; entities stay
// unexpanded and no DTD is loaded. Line numbers stay right past line 65535.
constexpr int xmlParseOptions = XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                XML_PARSE_NONET | XML_PARSE_BIG_LINES;

xmlDoc* readXML(const char* bytes, int length) {
    return xmlReadMemory(bytes, length, "", nullptr, xmlParseOptions);
}

struct UConverterCloser {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};

} // namespace

XmlDocPtr XMLDocument::readBytes(std::string_view bytes, MemoryReader reader) {
    // libxml2 takes the length as an int.
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        throw XMLError(XMLError::Kind::inputTooLarge);
    }
    static const bool initialised = [] {
        xmlInitParser();
        return true;
    }();
    (void)initialised;

    // libxml2 refuses a zero length without saying why; one NUL byte makes it report the empty
    // document ("Document is empty") as it does for any other blank input.
    static constexpr char nul[1] = {'\0'};
    const char* data = bytes.empty() ? nul : bytes.data();
    const int length = bytes.empty() ? 1 : static_cast<int>(bytes.size());

    xmlResetLastError();
    XmlDocPtr document(reader(data, length));
    if (!document) {
        throw XMLError::lastError(XMLError(XMLError::Kind::parserFailure));
    }
    // Errors the parser recovered from must not be reported by a later failure.
    xmlResetLastError();
    return document;
}

std::string XMLDocument::encodeText(std::string_view text, std::string_view encoding) {
    if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw XMLError(XMLError::Kind::inputTooLarge);
    }
    UErrorCode status = U_ZERO_ERROR;
    const std::string encodingName(encoding);
    std::unique_ptr<UConverter, UConverterCloser> converter(
        ucnv_open(encodingName.c_str(), &status));
    if (U_FAILURE(status) || !converter) {
        throw XMLError(XMLError::Kind::invalidData);
    }
    // A character the encoding cannot hold is an error, not a substitute character.
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    if (U_FAILURE(status)) {
        throw XMLError(XMLError::Kind::invalidData);
    }
    const std::int64_t neededCapacity =
        (static_cast<std::int64_t>(unicode.length()) + 10) * ucnv_getMaxCharSize(converter.get());
    if (neededCapacity > INT_MAX) {
        throw XMLError(XMLError::Kind::inputTooLarge);
    }
    const auto capacity = static_cast<int32_t>(neededCapacity);
    std::string bytes(static_cast<std::size_t>(capacity), '\0');
    const int32_t written = unicode.extract(bytes.data(), capacity, converter.get(), status);
    if (U_FAILURE(status)) {
        throw XMLError(XMLError::Kind::invalidData);
    }
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

std::shared_ptr<XMLDocument> XMLDocument::parse(std::string_view bytes) {
    return wrap(readBytes(bytes, readXML));
}

std::shared_ptr<XMLDocument> XMLDocument::parseText(std::string_view text,
                                                    std::string_view encoding) {
    return parse(encodeText(text, encoding));
}

std::shared_ptr<XMLDocument> XMLDocument::wrap(XmlDocPtr document) {
    return std::make_shared<XMLDocument>(ConstructionKey(), std::move(document));
}

XMLDocument::XMLDocument(ConstructionKey, XmlDocPtr document) : document_(std::move(document)) {
    if (!document_) {
        throw std::invalid_argument("XMLDocument needs a libxml2 document");
    }
}

XMLDocument::~XMLDocument() = default;

std::optional<std::string> XMLDocument::version() const {
    return textFromLibXml(document_->version);
}

std::string XMLDocument::encoding() const {
    const auto declared = textFromLibXml(document_->encoding);
    if (!declared) {
        return "UTF-8";
    }
    for (const char* standard : {"MIME", "IANA"}) {
        UErrorCode status = U_ZERO_ERROR;
        const char* name = ucnv_getStandardName(declared->c_str(), standard, &status);
        if (U_SUCCESS(status) && name != nullptr) {
            return name;
        }
    }
    return "UTF-8";
}

std::optional<XMLElement> XMLDocument::root() const {
    xmlNode* rootNode = xmlDocGetRootElement(document_.get());
    if (rootNode == nullptr) {
        return std::nullopt;
    }
    return XMLElement(rootNode, shared_from_this());
}

const NumberParser& XMLDocument::numberFormatter() const {
    if (!numberFormatter_) {
        numberFormatter_ = std::make_shared<const NumberParser>();
    }
    return *numberFormatter_;
}

void XMLDocument::setNumberFormatter(std::shared_ptr<const NumberParser> formatter) {
    numberFormatter_ = std::move(formatter);
}

const DateParser& XMLDocument::dateFormatter() const {
    if (!dateFormatter_) {
        dateFormatter_ = std::make_shared<const DateParser>();
    }
    return *dateFormatter_;
}

void XMLDocument::setDateFormatter(std::shared_ptr<const DateParser> formatter) {
    dateFormatter_ = std::move(formatter);
}

void XMLDocument::definePrefix(const std::string& prefix, const std::string& namespaceURI) {
    namespaces_.insert_or_assign(prefix, namespaceURI);
}

bool XMLDocument::isHTML() const noexcept {
    return (document_->properties & XML_DOC_HTML) != 0;
}

std::string XMLDocument::description() const {
    const auto rootElement = root();
    return rootElement ? rootElement->rawXML() : std::string();
}

XPathContext& XMLDocument::xpathContext() const {
    if (!xpathContext_) {
        xpathContext_ = std::make_unique<XPathContext>(document_.get());
    }
    return *xpathContext_;
}

NodeSet XMLDocument::xpath(std::string_view expression) const {
    const auto rootElement = root();
    return rootElement ? rootElement->xpath(expression) : NodeSet();
}

NodeSet XMLDocument::tryXPath(std::string_view expression) const {
    const auto rootElement = root();
    return rootElement ? rootElement->tryXPath(expression) : NodeSet();
}

std::optional<XMLElement> XMLDocument::firstChildByXPath(std::string_view expression) const {
    const auto rootElement = root();
    return rootElement ? rootElement->firstChildByXPath(expression) : std::nullopt;
}

NodeSet XMLDocument::css(std::string_view selector) const {
    const auto rootElement = root();
    return rootElement ? rootElement->css(selector) : NodeSet();
}

std::optional<XMLElement> XMLDocument::firstChildByCSS(std::string_view selector) const {
    const auto rootElement = root();
    return rootElement ? rootElement->firstChildByCSS(selector) : std::nullopt;
}

std::optional<XPathFunctionResult> XMLDocument::eval(std::string_view expression) const {
    const auto rootElement = root();
    return rootElement ? rootElement->eval(expression) : std::nullopt;
}

} // namespace marrowvale
