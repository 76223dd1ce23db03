#include "xmlquery/HTMLDocument.h"

#include "xmlquery/XMLElement.h"

#include <libxml/HTMLparser.h>

namespace marrowvale {
namespace {

constexpr int htmlParseOptions =
    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;

xmlDoc* readHTML(const char* bytes, int length) {
    return htmlReadMemory(bytes, length, "", nullptr, htmlParseOptions);
}

xmlDoc* readUTF8HTML(const char* bytes, int length) {
    return htmlReadMemory(bytes, length, "", "UTF-8", htmlParseOptions);
}

} // namespace

std::shared_ptr<HTMLDocument> HTMLDocument::parseUTF8(std::string_view text) {
    return wrap(readBytes(text, readUTF8HTML));
}

std::shared_ptr<HTMLDocument> HTMLDocument::parse(std::string_view bytes) {
    return wrap(readBytes(bytes, readHTML));
}

std::shared_ptr<HTMLDocument> HTMLDocument::parseText(std::string_view text,
                                                      std::string_view encoding) {
    return parse(encodeText(text, encoding));
}

std::shared_ptr<HTMLDocument> HTMLDocument::wrap(XmlDocPtr document) {
    return std::make_shared<HTMLDocument>(ConstructionKey(), std::move(document));
}

HTMLDocument::HTMLDocument(ConstructionKey key, XmlDocPtr document)
    : XMLDocument(key, std::move(document)) {}

std::optional<std::string> HTMLDocument::title() const {
    const auto headElement = head();
    if (!headElement) {
        return std::nullopt;
    }
    const auto titleElement = headElement->firstChild("title");
    if (!titleElement) {
        return std::nullopt;
    }
    return titleElement->stringValue();
}

std::optional<XMLElement> HTMLDocument::head() const {
    const auto rootElement = root();
    return rootElement ? rootElement->firstChild("head") : std::nullopt;
}

std::optional<XMLElement> HTMLDocument::body() const {
    const auto rootElement = root();
    return rootElement ? rootElement->firstChild("body") : std::nullopt;
}

} // namespace marrowvale
