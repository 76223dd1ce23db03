#pragma once

#include "xmlquery/XMLDocument.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

/// A document read with libxml2's HTML parser, which also takes fragments: it supplies the html
/// and body elements around them. No network access, nothing printed.
class HTMLDocument : public XMLDocument {
public:
    /// Parses the raw bytes of a page or fragment. Throws XMLError (inputTooLarge for 2 GiB or
    /// more). An empty input gives a document without root.
    static std::shared_ptr<HTMLDocument> parse(std::string_view bytes);

    /// Parses UTF-8 text as it stands: a charset the page declares is not followed, so that
    /// text taken from a UTF-8 document keeps its characters. Throws XMLError.
    static std::shared_ptr<HTMLDocument> parseUTF8(std::string_view text);

    /// Converts UTF-8 text to the named character encoding and parses the result. Throws
    /// XMLError (invalidData when the text cannot be converted).
    static std::shared_ptr<HTMLDocument> parseText(std::string_view text,
                                                   std::string_view encoding);

    /// Takes ownership of a libxml2 HTML document.
    static std::shared_ptr<HTMLDocument> wrap(XmlDocPtr document);

    /// Use parse(), parseText() or wrap().
    HTMLDocument(ConstructionKey key, XmlDocPtr document);

    /// The text of the page title (html/head/title); nothing when there is none.
    std::optional<std::string> title() const;

    /// The head element; nothing when there is none.
    std::optional<XMLElement> head() const;

    /// The body element; nothing when there is none.
    std::optional<XMLElement> body() const;
};

} // namespace marrowvale
