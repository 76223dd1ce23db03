#include "xmeml/XMEMLDocument.h"

#include "DovovevoZavCore/UTF8Text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <memory>
#include <unordered_map>

namespace marrowvale {

using dovovevozav::isValidUTF8;

namespace {

bool isXMLSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string trimmedMessage(const char* message) {
    if (message == nullptr) {
        return {};
    }
    std::string_view text(message);
    while (!text.empty() && isXMLSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isXMLSpace(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

struct ParserContextDeleter {
    void operator()(xmlParserCtxt* context) const {
        // An entity declaration in the internal subset makes libxml2 build a stand-in document
        // even for a SAX parse; freeing the context leaves that document to us.
        if (context->myDoc != nullptr) {
            xmlFreeDoc(context->myDoc);
            context->myDoc = nullptr;
        }
        xmlFreeParserCtxt(context);
    }
};

std::uint32_t checkedOffset(std::size_t offset) {
    if (offset > UINT32_MAX) {
        throw XMEMLParseError(XML_ERR_NO_MEMORY, "The document's text is too large");
    }
    return static_cast<std::uint32_t>(offset);
}

// The number of '<' that may open an element (not "</", "<?" or "<!"); an upper bound of the
// element count.
std::size_t startTagCount(std::string_view bytes) {
    std::size_t count = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)))) !=
           nullptr) {
        ++p;
        if (p == end) {
            break;
        }
        count += (*p != '/' && *p != '?' && *p != '!') ? 1 : 0;
    }
    return count;
}

} // namespace

XMEMLParseError::XMEMLParseError(int code, const std::string& message,
                                 std::optional<XMEMLRecoveredError> firstError)
    : std::runtime_error(message), code_(code), firstError_(std::move(firstError)) {}

/// Receives libxml2's streaming events and appends elements to a document.
class XMEMLDocumentBuilder {
public:
    XMEMLDocumentBuilder(XMEMLDocument& document, std::optional<std::string_view> requiredRoot,
                         std::size_t expansionLimit)
        : doc_(document), requiredRoot_(requiredRoot), expansionLimit_(expansionLimit) {}

    void setContext(xmlParserCtxt* context) { context_ = context; }
    bool stopped() const { return stopped_; }
    bool overExpanded() const { return overExpanded_; }

    static xmlSAXHandler handler() {
        xmlSAXHandler sax;
        std::memset(&sax, 0, sizeof(sax));
        sax.initialized = XML_SAX2_MAGIC;
        sax.startElementNs = &XMEMLDocumentBuilder::onStartElement;
        sax.endElementNs = &XMEMLDocumentBuilder::onEndElement;
        sax.characters = &XMEMLDocumentBuilder::onCharacters;
        sax.ignorableWhitespace = &XMEMLDocumentBuilder::onCharacters;
        sax.cdataBlock = &XMEMLDocumentBuilder::onCDATA;
        sax.comment = &XMEMLDocumentBuilder::onComment;
        sax.processingInstruction = &XMEMLDocumentBuilder::onProcessingInstruction;
        sax.reference = &XMEMLDocumentBuilder::onReference;
        sax.getEntity = &XMEMLDocumentBuilder::onGetEntity;
        sax.serror = &XMEMLDocumentBuilder::onError;
        return sax;
    }

    /// Closes what a truncated document left open, so their text reaches to the end.
    void finish() {
        if (open_.empty() || stopped_) {
            return;
        }
        // The push parser calls a truncated document "extra content at the end"; name the
        // element the file breaks off in instead.
        std::optional<XMEMLRecoveredError>& damage = doc_.recoveredError_;
        if (!damage || damage->code == XML_ERR_DOCUMENT_END) {
            const int line = damage ? damage->line : xmlSAX2GetLineNumber(context_);
            const int column = damage ? damage->column : xmlSAX2GetColumnNumber(context_);
            damage = XMEMLRecoveredError{XML_ERR_DOCUMENT_END, line, column,
                                         "Premature end of data in tag " +
                                             std::string(doc_.tag(open_.back().node))};
        }
        while (!open_.empty()) {
            endElement();
        }
    }

private:
    struct Open {
        NodeIndex node;
        NodeIndex lastChild;
        std::uint8_t nodesSinceChild; // non-element nodes since the last child element
        bool inTextRun;               // the last node is a text node that more text extends
        bool runFollowsElement;       // the current text run began right after a child element
        std::size_t runBegin;         // where the current text run began in the text buffer
    };

    static XMEMLDocumentBuilder& self(void* builder) {
        return *static_cast<XMEMLDocumentBuilder*>(builder);
    }

    NameID intern(const xmlChar* name, const xmlChar* uri) {
        if (uri == nullptr) {
            auto found = byPointer_.find(name);
            if (found != byPointer_.end()) {
                return found->second;
            }
            NameID id = internText(reinterpret_cast<const char*>(name));
            byPointer_.emplace(name, id);
            return id;
        }
        std::string qualified = "{";
        qualified += reinterpret_cast<const char*>(uri);
        qualified += '}';
        qualified += reinterpret_cast<const char*>(name);
        return internText(qualified);
    }

    NameID internText(std::string_view text) {
        auto found = byText_.find(std::string(text));
        if (found != byText_.end()) {
            return found->second;
        }
        auto id = static_cast<NameID>(doc_.names_.size());
        doc_.names_.emplace_back(text);
        byText_.emplace(std::string(text), id);
        return id;
    }

    // Ends the open element's current text run; a blank run next to a child element is
    // formatting, not content, and is dropped.
    void endTextRun(Open& open, bool endedByElement) {
        if (!open.inTextRun) {
            return;
        }
        open.inTextRun = false;
        if (!(endedByElement || open.runFollowsElement)) {
            return;
        }
        std::string& text = doc_.text_;
        bool blank = std::all_of(text.begin() + static_cast<std::ptrdiff_t>(open.runBegin),
                                 text.end(), isXMLSpace);
        if (blank) {
            text.resize(open.runBegin);
        }
    }

    // Text and elements that entity references expand to (libxml2 raises the depth while it
    // reads an entity's content) are counted: a few declarations can otherwise multiply into
    // gigabytes. Past the limit the parse stops and the document is refused.
    bool expansionExceeded(std::size_t added) {
        if (context_ == nullptr || context_->depth == 0) {
            return false;
        }
        expanded_ += added;
        if (expanded_ <= expansionLimit_) {
            return false;
        }
        overExpanded_ = true;
        stopped_ = true;
        xmlStopParser(context_);
        return true;
    }

    void countNode(Open& open) {
        if (open.nodesSinceChild < 3) {
            ++open.nodesSinceChild;
        }
    }

    void startElement(const xmlChar* localname, const xmlChar* uri, int attributeCount,
                      const xmlChar** attributes) {
        if (stopped_ || expansionExceeded(sizeof(XMEMLDocument::Node))) {
            return;
        }
        auto index = static_cast<NodeIndex>(doc_.nodes_.size());
        if (index == XMEMLDocument::none) {
            throw XMEMLParseError(XML_ERR_NO_MEMORY, "The document has too many elements");
        }
        XMEMLDocument::Node node{};
        node.name = intern(localname, uri);
        node.parent = XMEMLDocument::none;
        node.firstChild = XMEMLDocument::none;
        node.nextSibling = XMEMLDocument::none;
        node.previousSibling = XMEMLDocument::none;
        if (!open_.empty()) {
            Open& parent = open_.back();
            endTextRun(parent, true);
            node.parent = parent.node;
            node.previousSibling = parent.lastChild;
            node.nodesBefore = parent.nodesSinceChild;
            if (parent.lastChild == XMEMLDocument::none) {
                doc_.nodes_[parent.node].firstChild = index;
            } else {
                doc_.nodes_[parent.lastChild].nextSibling = index;
            }
            parent.lastChild = index;
            parent.nodesSinceChild = 0;
        } else if (index != 0) {
            return; // a second root cannot occur in a well-formed document; ignore it
        }
        node.textBegin = checkedOffset(doc_.text_.size());
        node.textEnd = node.textBegin;
        node.firstAttribute = checkedOffset(doc_.attributes_.size());
        int kept = 0;
        for (int i = 0; i < attributeCount && kept < UINT16_MAX; ++i, ++kept) {
            const xmlChar** attribute = attributes + 5 * i;
            const char* begin = reinterpret_cast<const char*>(attribute[3]);
            const char* end = reinterpret_cast<const char*>(attribute[4]);
            XMEMLDocument::Attribute stored{};
            stored.name = intern(attribute[0], nullptr);
            stored.valueBegin = checkedOffset(doc_.attributeText_.size());
            doc_.attributeText_.append(begin, end);
            stored.valueEnd = checkedOffset(doc_.attributeText_.size());
            doc_.attributes_.push_back(stored);
        }
        node.attributeCount = static_cast<std::uint16_t>(kept);
        doc_.nodes_.push_back(node);
        open_.push_back(Open{index, XMEMLDocument::none, 0, false, false, 0});

        if (index == 0 && requiredRoot_ && doc_.tag(0) != *requiredRoot_) {
            stopped_ = true;
            xmlStopParser(context_);
        }
    }

    void endElement() {
        if (open_.empty() || stopped_) {
            return;
        }
        Open& open = open_.back();
        endTextRun(open, false);
        doc_.nodes_[open.node].textEnd = checkedOffset(doc_.text_.size());
        open_.pop_back();
        if (!open_.empty()) {
            open_.back().inTextRun = false;
        }
    }

    void characters(const xmlChar* text, int length) {
        if (open_.empty() || stopped_ || expansionExceeded(static_cast<std::size_t>(length))) {
            return;
        }
        Open& open = open_.back();
        if (!open.inTextRun) {
            countNode(open);
            open.inTextRun = true;
            open.runBegin = doc_.text_.size();
            open.runFollowsElement =
                open.lastChild != XMEMLDocument::none && open.nodesSinceChild == 1;
        }
        doc_.text_.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    }

    void cdata(const xmlChar* text, int length) {
        if (open_.empty() || stopped_ || expansionExceeded(static_cast<std::size_t>(length))) {
            return;
        }
        Open& open = open_.back();
        endTextRun(open, false);
        countNode(open);
        doc_.text_.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    }

    void otherNode() {
        if (open_.empty() || stopped_) {
            return;
        }
        Open& open = open_.back();
        endTextRun(open, false);
        countNode(open);
    }

    static void onStartElement(void* context, const xmlChar* localname, const xmlChar*,
                               const xmlChar* uri, int, const xmlChar**, int attributeCount, int,
                               const xmlChar** attributes) {
        self(context).startElement(localname, uri, attributeCount, attributes);
    }
    static void onEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
        self(context).endElement();
    }
    static void onCharacters(void* context, const xmlChar* text, int length) {
        self(context).characters(text, length);
    }
    static void onCDATA(void* context, const xmlChar* text, int length) {
        self(context).cdata(text, length);
    }
    static void onComment(void* context, const xmlChar*) { self(context).otherNode(); }
    static void onProcessingInstruction(void* context, const xmlChar*, const xmlChar*) {
        self(context).otherNode();
    }
    // A reference to an entity that is not declared (or not expanded) stays a node of its own.
    static void onReference(void* context, const xmlChar*) { self(context).otherNode(); }

    // Only internal entities are handed out, looked up without loading anything: an external
    // entity reads as undeclared, so no file or address named by a document is ever fetched.
    static xmlEntity* onGetEntity(void* context, const xmlChar* name) {
        xmlEntity* entity = xmlGetPredefinedEntity(name);
        xmlParserCtxt* parser = self(context).context_;
        if (entity == nullptr && parser != nullptr && parser->myDoc != nullptr) {
            entity = xmlGetDocEntity(parser->myDoc, name);
        }
        if (entity == nullptr || (entity->etype != XML_INTERNAL_GENERAL_ENTITY &&
                                  entity->etype != XML_INTERNAL_PREDEFINED_ENTITY)) {
            return nullptr;
        }
        return entity;
    }

    // Keeps the first error the parser repaired; warnings and namespace complaints lose nothing.
    static void onError(void* context, xmlErrorPtr error) {
        XMEMLDocumentBuilder& builder = self(context);
        if (error == nullptr || builder.doc_.recoveredError_ || error->level < XML_ERR_ERROR ||
            error->domain != XML_FROM_PARSER || error->code == XML_ERR_USER_STOP) {
            return;
        }
        builder.doc_.recoveredError_ = XMEMLRecoveredError{error->code, error->line, error->int2,
                                                           trimmedMessage(error->message)};
    }

    XMEMLDocument& doc_;
    std::optional<std::string_view> requiredRoot_;
    xmlParserCtxt* context_ = nullptr;
    std::vector<Open> open_;
    std::unordered_map<const xmlChar*, NameID> byPointer_;
    std::unordered_map<std::string, NameID> byText_;
    bool stopped_ = false;
    std::size_t expansionLimit_;
    std::size_t expanded_ = 0;
    bool overExpanded_ = false;
};

XMEMLDocument XMEMLDocument::parse(std::string_view bytes,
                                   std::optional<std::string_view> requiredRoot) {
    std::size_t offset = 0;
    auto next = [bytes, &offset](std::size_t maxLength) {
        std::string_view chunk = bytes.substr(offset, maxLength);
        offset += chunk.size();
        return chunk;
    };
    // Reserving one element per start tag spares the largest array any regrowth.
    return parseChunks(next, bytes.size(), startTagCount(bytes) + 1, requiredRoot);
}

XMEMLDocument XMEMLDocument::parse(const ChunkSource& next, std::size_t size,
                                   std::optional<std::string_view> requiredRoot) {
    return parseChunks(next, size, 0, requiredRoot);
}

XMEMLDocument XMEMLDocument::parseChunks(const ChunkSource& next, std::size_t size,
                                         std::size_t expectedElements,
                                         std::optional<std::string_view> requiredRoot) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw XMEMLParseError(XML_ERR_NO_MEMORY, "The file is too large to be read");
    }
    XMEMLDocument document;
    if (size == 0) {
        return document; // an empty file: no root element
    }
    // The first chunk of four bytes lets libxml2 detect the encoding.
    const std::string_view first = next(4);
    if (first.empty()) {
        throw XMEMLParseError(XML_ERR_DOCUMENT_EMPTY, "Document is empty");
    }
    xmlInitParser();
    document.nodes_.reserve(expectedElements);

    // Entities may add as much again as the file holds, and at least a mebibyte.
    XMEMLDocumentBuilder builder(document, requiredRoot,
                                 std::max<std::size_t>(size, std::size_t{1} << 20));
    xmlSAXHandler sax = XMEMLDocumentBuilder::handler();
    // The bytes are pushed in chunks: libxml2 then holds only what it has not parsed yet
    // instead of a copy of the whole file.
    std::unique_ptr<xmlParserCtxt, ParserContextDeleter> context(xmlCreatePushParserCtxt(
        &sax, &builder, first.data(), static_cast<int>(first.size()), nullptr));
    if (!context) {
        throw XMEMLParseError(XML_ERR_NO_MEMORY, "The parser could not be created");
    }
    builder.setContext(context.get());
    xmlCtxtUseOptions(context.get(), XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                         XML_PARSE_NONET | XML_PARSE_NOENT);
    constexpr std::size_t chunkSize = 1 << 18;
    std::size_t offset = first.size();
    // A parser that has given up (no XML at the start, say) reads nothing more.
    while (offset < size && !builder.stopped() && context->instate != XML_PARSER_EOF) {
        const std::string_view chunk = next(std::min(chunkSize, size - offset));
        offset += chunk.size();
        const bool last = chunk.empty() || offset == size;
        xmlParseChunk(context.get(), chunk.data(), static_cast<int>(chunk.size()), last ? 1 : 0);
        if (chunk.empty()) {
            break; // the source ended early
        }
    }
    if (size == first.size()) {
        xmlParseChunk(context.get(), nullptr, 0, 1);
    }
    builder.finish();

    int code = context->lastError.code;
    std::string message = trimmedMessage(context->lastError.message);
    xmlResetLastError();
    // libxml2 halts at entities that refer to themselves or multiply without bound; what it
    // read before is no timeline worth reporting.
    if (builder.overExpanded() ||
        (document.recoveredError_ && document.recoveredError_->code == XML_ERR_ENTITY_LOOP)) {
        throw XMEMLParseError(XML_ERR_ENTITY_LOOP,
                              "The document's entities expand to far more text than it holds");
    }
    if (document.nodes_.empty() && code != XML_ERR_OK) {
        // Ending before any element with nothing malformed on the way (only blanks, a
        // declaration, comments) leaves a document without a root rather than a broken one.
        if (document.recoveredError_ && document.recoveredError_->code == XML_ERR_DOCUMENT_END) {
            document.recoveredError_.reset();
            return document;
        }
        throw XMEMLParseError(code, message, document.recoveredError_);
    }
    return document;
}

bool XMEMLDocument::holdsOnlyUTF8() const {
    return isValidUTF8(text_) && isValidUTF8(attributeText_) &&
           std::all_of(names_.begin(), names_.end(), isValidUTF8);
}

NameID XMEMLDocument::nameID(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) {
            return static_cast<NameID>(i);
        }
    }
    return absentName;
}

NodeIndex XMEMLDocument::child(NodeIndex node, NameID name) const {
    if (node == none) {
        return none;
    }
    for (NodeIndex c = nodes_[node].firstChild; c != none; c = nodes_[c].nextSibling) {
        if (nodes_[c].name == name) {
            return c;
        }
    }
    return none;
}

NodeIndex XMEMLDocument::nextSibling(NodeIndex node, NameID name) const {
    for (NodeIndex c = nodes_[node].nextSibling; c != none; c = nodes_[c].nextSibling) {
        if (nodes_[c].name == name) {
            return c;
        }
    }
    return none;
}

std::vector<NodeIndex> XMEMLDocument::children(NodeIndex node, NameID name) const {
    std::vector<NodeIndex> result;
    for (NodeIndex c = child(node, name); c != none; c = nextSibling(c, name)) {
        result.push_back(c);
    }
    return result;
}

std::vector<NodeIndex> XMEMLDocument::children(NodeIndex node,
                                               std::initializer_list<NameID> names) const {
    std::vector<NodeIndex> result;
    if (node == none) {
        return result;
    }
    for (NodeIndex c = nodes_[node].firstChild; c != none; c = nodes_[c].nextSibling) {
        if (std::find(names.begin(), names.end(), nodes_[c].name) != names.end()) {
            result.push_back(c);
        }
    }
    return result;
}

namespace {

// Depth-first walk of a child path; children are visited in order, so the matches come in
// document order.
template <class Visit>
bool walkPath(const XMEMLDocument& doc, NodeIndex node, const NameID* name, const NameID* end,
              Visit& visit) {
    if (name == end) {
        return visit(node);
    }
    for (NodeIndex c = doc.child(node, *name); c != XMEMLDocument::none;
         c = doc.nextSibling(c, *name)) {
        if (!walkPath(doc, c, name + 1, end, visit)) {
            return false;
        }
    }
    return true;
}

} // namespace

NodeIndex XMEMLDocument::path(NodeIndex node, std::initializer_list<NameID> names) const {
    if (node == none) {
        return none;
    }
    NodeIndex found = none;
    auto visit = [&found](NodeIndex match) {
        found = match;
        return false;
    };
    walkPath(*this, node, names.begin(), names.end(), visit);
    return found;
}

std::vector<NodeIndex> XMEMLDocument::allPaths(NodeIndex node,
                                               std::initializer_list<NameID> names) const {
    std::vector<NodeIndex> result;
    if (node == none) {
        return result;
    }
    auto visit = [&result](NodeIndex match) {
        result.push_back(match);
        return true;
    };
    walkPath(*this, node, names.begin(), names.end(), visit);
    return result;
}

NodeIndex XMEMLDocument::subtreeEnd(NodeIndex node) const {
    for (NodeIndex n = node; n != none; n = nodes_[n].parent) {
        if (nodes_[n].nextSibling != none) {
            return nodes_[n].nextSibling;
        }
    }
    return static_cast<NodeIndex>(nodes_.size());
}

NodeIndex XMEMLDocument::descendant(NodeIndex node, NameID name) const {
    if (node == none || nodes_[node].firstChild == none) {
        return none;
    }
    NodeIndex end = subtreeEnd(node);
    for (NodeIndex n = node + 1; n < end; ++n) {
        if (nodes_[n].name == name) {
            return n;
        }
    }
    return none;
}

std::string_view XMEMLDocument::text(NodeIndex node) const {
    const Node& n = nodes_[node];
    return std::string_view(text_).substr(n.textBegin, n.textEnd - n.textBegin);
}

std::optional<std::string_view> XMEMLDocument::pathText(NodeIndex node,
                                                        std::initializer_list<NameID> names) const {
    NodeIndex found = path(node, names);
    if (found == none) {
        return std::nullopt;
    }
    return text(found);
}

std::optional<std::string_view> XMEMLDocument::attribute(NodeIndex node, NameID name) const {
    const Node& n = nodes_[node];
    for (std::uint32_t i = n.firstAttribute; i < n.firstAttribute + n.attributeCount; ++i) {
        const Attribute& a = attributes_[i];
        if (a.name == name) {
            return std::string_view(attributeText_).substr(a.valueBegin, a.valueEnd - a.valueBegin);
        }
    }
    return std::nullopt;
}

NodeIndex XMEMLDocument::previousSiblingElement(NodeIndex node) const {
    const Node& n = nodes_[node];
    if (n.previousSibling == none || n.nodesBefore > 2) {
        return none;
    }
    return n.previousSibling;
}

NodeIndex XMEMLDocument::nextSiblingElement(NodeIndex node) const {
    NodeIndex next = nodes_[node].nextSibling;
    if (next == none || nodes_[next].nodesBefore > 2) {
        return none;
    }
    return next;
}

} // namespace marrowvale
