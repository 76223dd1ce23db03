#pragma once

#include "xmlquery/LibXmlHandles.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

class DateParser;
class NodeSet;
class NumberParser;
class XMLElement;
class XPathContext;
class XPathFunctionResult;

/// A parsed XML document. Documents are always held by std::shared_ptr; every node and node set
/// taken from a document shares its ownership, so a query result never outlives its tree.
/// A document and everything taken from it are used by one thread at a time.
///
/// Parsing never fetches from the network and never loads external entities or DTDs; the parser
/// repairs what it can and prints nothing.
class XMLDocument : public std::enable_shared_from_this<XMLDocument> {
protected:
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    /// Prefix to namespace URI.
    using NamespaceTable = std::map<std::string, std::string, std::less<>>;

    /// Parses the raw bytes of a document; libxml2 honours a byte-order mark or the declared
    /// encoding. Throws XMLError (inputTooLarge for 2 GiB or more).
    static std::shared_ptr<XMLDocument> parse(std::string_view bytes);

    /// Converts UTF-8 text to the named character encoding (such as "ISO-8859-1" or "UTF-16")
    /// and parses the result. Throws XMLError (invalidData when the text cannot be converted).
    static std::shared_ptr<XMLDocument> parseText(std::string_view text, std::string_view encoding);

    /// Takes ownership of a libxml2 document.
    static std::shared_ptr<XMLDocument> wrap(XmlDocPtr document);

    /// Use parse(), parseText() or wrap().
    XMLDocument(ConstructionKey, XmlDocPtr document);
    virtual ~XMLDocument();
    XMLDocument(const XMLDocument&) = delete;
    XMLDocument& operator=(const XMLDocument&) = delete;

    /// The version from the XML declaration; nothing when there is none.
    std::optional<std::string> version() const;

    /// The declared character set by its standard name ("ISO-8859-1"); "UTF-8" when none was
    /// declared or the name is unknown.
    std::string encoding() const;

    /// The root element; nothing when the document holds no element.
    std::optional<XMLElement> root() const;

    /// The parser elements use for numberValue(); made on first use for the user's locale.
    const NumberParser& numberFormatter() const;

    /// Replaces the number parser; values read afterwards use it.
    void setNumberFormatter(std::shared_ptr<const NumberParser> formatter);

    /// The parser elements use for dateValue(); made on first use ("yyyy-MM-dd'T'HH:mm:ssZ").
    const DateParser& dateFormatter() const;

    /// Replaces the date parser; values read afterwards use it.
    void setDateFormatter(std::shared_ptr<const DateParser> formatter);

    /// The prefixes registered for every XPath query on this document.
    const NamespaceTable& namespaces() const { return namespaces_; }

    /// Replaces the whole prefix table.
    void setNamespaces(NamespaceTable namespaces) { namespaces_ = std::move(namespaces); }

    /// Registers a prefix for a namespace URI in later XPath queries on this document; it wins
    /// over a declaration of the same prefix in the tree. Use it to query a default namespace.
    void definePrefix(const std::string& prefix, const std::string& namespaceURI);

    /// The libxml2 document; it stays owned by this object.
    xmlDoc* cDocument() const noexcept { return document_.get(); }

    /// True when the document came from the HTML parser.
    bool isHTML() const noexcept;

    /// The markup of the root element, or "" without root.
    std::string description() const;

    /// Two documents are equal when they wrap the same libxml2 document.
    bool operator==(const XMLDocument& other) const noexcept {
        return document_ == other.document_;
    }

    /// XPath query from the root element; the empty set on any failure or without root.
    NodeSet xpath(std::string_view expression) const;

    /// As xpath(), but throws XMLError when the expression fails (not when there is no root).
    NodeSet tryXPath(std::string_view expression) const;

    /// The first node of xpath(); nothing when there is none.
    std::optional<XMLElement> firstChildByXPath(std::string_view expression) const;

    /// CSS selector query from the root element (descendants only); the empty set on failure.
    NodeSet css(std::string_view selector) const;

    /// The first node of css(); nothing when there is none.
    std::optional<XMLElement> firstChildByCSS(std::string_view selector) const;

    /// A scalar XPath result (number, text, boolean) from the root element; nothing on failure.
    std::optional<XPathFunctionResult> eval(std::string_view expression) const;

protected:
    /// Reads the raw bytes with the given libxml2 reader; throws XMLError.
    using MemoryReader = xmlDoc* (*)(const char* bytes, int length);
    static XmlDocPtr readBytes(std::string_view bytes, MemoryReader reader);

    /// Converts UTF-8 text into the named encoding; throws XMLError(invalidData).
    static std::string encodeText(std::string_view text, std::string_view encoding);

private:
    friend class XMLElement;
    friend class XPathExpression;

    /// The XPath context shared by all queries on this document (they run one at a time).
    XPathContext& xpathContext() const;

    XmlDocPtr document_;
    mutable std::unique_ptr<XPathContext> xpathContext_; // freed before the document
    NamespaceTable namespaces_;
    mutable std::shared_ptr<const NumberParser> numberFormatter_;
    mutable std::shared_ptr<const DateParser> dateFormatter_;
};

} // namespace marrowvale
