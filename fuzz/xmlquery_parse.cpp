// The XML query layer under hostile bytes: the XML and HTML parsers, the text-encoding road,
// tree navigation, value readers and a few queries on whatever tree comes out.
// Input: document bytes, optionally followed by a NUL byte, "css:" and a CSS selector list
// that is translated and run against the tree as well. Selectors are written by the program,
// not read from files, so only short lists are tried: the documents are what users hand us.
#include "xmlquery/CssToXPath.h"
#include "xmlquery/DateParser.h"
#include "xmlquery/HTMLDocument.h"
#include "xmlquery/NumberParser.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using marrowvale::NodeType;
using marrowvale::XMLDocument;
using marrowvale::XMLElement;

// Keeps one run fast however large the tree: the parsers are what is under test.
constexpr std::size_t maxVisitedNodes = 2000;
constexpr std::size_t maxSelectorLength = 128;

// Reads everything a reader would read from one element.
void readElement(const XMLElement& element) {
    (void)element.tag();
    (void)element.namespacePrefix();
    (void)element.lineNumber();
    for (const auto& [name, value] : element.attributes()) {
        (void)element.attr(name);
    }
    (void)element.attr("id");
    (void)element.firstChild("name");
    (void)element.childText("name");
    (void)element.childElement("rate");
    const xmlNode* child = element.cNode()->children;
    if (child == nullptr || (child->next == nullptr && child->type == XML_TEXT_NODE)) {
        // Leaf text: the locale number and date readers see short texts only.
        (void)element.numberValue();
        (void)element.dateValue();
    }
    (void)element.childNodes({NodeType::Text, NodeType::CDataSection, NodeType::Comment});
}

// Every node kind of the tree is reachable by navigation or a query (attributes, text,
// comments, the document node, DTD and entity nodes): each must answer every question.
void readAnyNode(const XMLElement& node, bool small) {
    readElement(node);
    (void)node.toElement();
    (void)node.children();
    (void)node.childElements("name").empty();
    if (small) {
        (void)node.stringValue();
        (void)node.rawXML();
    }
}

constexpr std::initializer_list<NodeType> nonElementKinds = {
    NodeType::Attribute,     NodeType::Text,        NodeType::CDataSection,  NodeType::EntityRef,
    NodeType::Entity,        NodeType::Pi,          NodeType::Comment,       NodeType::DocumentType,
    NodeType::DTD,           NodeType::ElementDecl, NodeType::AttributeDecl, NodeType::EntityDecl,
    NodeType::XIncludeStart, NodeType::XIncludeEnd};

// Walks the tree depth first without recursion, reading each element on the way.
void walk(const XMLElement& root, bool small) {
    std::vector<XMLElement> pending{root};
    std::size_t visited = 0;
    while (!pending.empty() && visited < maxVisitedNodes) {
        XMLElement element = pending.back();
        pending.pop_back();
        ++visited;
        readElement(element);
        (void)element.parent();
        (void)element.nextSibling();
        (void)element.previousSibling();
        for (const XMLElement& child : element.childElements()) {
            pending.push_back(child);
        }
        for (const auto& other : element.childNodes(nonElementKinds)) {
            readAnyNode(XMLElement(other.cNode(), other.document()), small);
            ++visited;
        }
    }
}

// The nodes around the root: the document node above it, a DTD, comments and processing
// instructions beside it, and the attribute nodes a query returns.
void readOutsideNodes(const XMLDocument& document, const XMLElement& root, bool small) {
    if (auto top = root.parent()) {
        readAnyNode(*top, small);
    }
    for (auto node = root.previousSibling(); node; node = node->previousSibling()) {
        readAnyNode(*node, small);
    }
    for (auto node = root.nextSibling(); node; node = node->nextSibling()) {
        readAnyNode(*node, small);
    }
    // Separate queries: libxml2 merges the operands of a union in quadratic time.
    for (const char* expression : {"//@*", "//namespace::*", "//processing-instruction()"}) {
        std::size_t count = 0;
        for (const XMLElement& node : document.xpath(expression)) {
            if (++count > 50) {
                break;
            }
            readAnyNode(node, small);
            (void)node.parent();
        }
    }
}

// The value readers are made once: building ICU formatters per document would leave the
// fuzzer measuring ICU start-up instead of the parsers.
void useSharedValueReaders(XMLDocument& document) {
    static const auto numbers = std::make_shared<const marrowvale::NumberParser>("en_US");
    static const auto dates = std::make_shared<const marrowvale::DateParser>();
    document.setNumberFormatter(numbers);
    document.setDateFormatter(dates);
}

void query(XMLDocument& document, std::string_view selectors, bool small) {
    useSharedValueReaders(document);
    auto root = document.root();
    (void)document.version();
    (void)document.encoding();
    if (!root) {
        return;
    }
    if (small) {
        // Whole-tree text and markup only for small trees: on large ones the time goes to
        // libxml2's buffer growth, not to anything of ours.
        (void)root->stringValue();
        (void)root->rawXML();
    }
    walk(*root, small);
    readOutsideNodes(document, *root, small);

    auto clips = document.xpath("//clipitem[@id]/name");
    for (const XMLElement& clip : clips) {
        (void)clip.stringValue();
    }
    (void)document.css("sequence > media track clipitem");
    (void)document.css("#a.b [c] ~ d + *");
    if (auto count = document.eval("count(//*)")) {
        (void)count->doubleValue();
    }
    (void)root->firstChildByXPath("./*[1]");
    if (!selectors.empty()) {
        (void)marrowvale::cssToXPath(selectors);
        (void)document.css(selectors);
        (void)root->css(selectors);
    }
}

template <class Parse>
void parseAndQuery(Parse parse, std::string_view selectors, bool small) {
    try {
        auto document = parse();
        query(*document, selectors, small);
    } catch (const marrowvale::XMLError&) {
        // A refused document is a sound answer to hostile bytes.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view bytes = input;
    std::string_view selectors;
    constexpr std::string_view marker("\0css:", 5); // NUL alone would split UTF-16 documents
    if (auto at = input.find(marker); at != std::string_view::npos) {
        bytes = input.substr(0, at);
        selectors = input.substr(at + marker.size(), maxSelectorLength);
    }

    const bool small = bytes.size() <= 2048;
    parseAndQuery([&] { return XMLDocument::parse(bytes); }, selectors, small);
    parseAndQuery(
        [&] {
            auto page = marrowvale::HTMLDocument::parse(bytes);
            (void)page->title();
            (void)page->head();
            (void)page->body();
            return page;
        },
        selectors, small);
    // The encoding road: UTF-8 text converted before parsing (invalid UTF-8 must be refused).
    parseAndQuery([&] { return XMLDocument::parseText(bytes, "ISO-8859-1"); }, selectors, small);
    return 0;
}
