#include "xmlquery/HTMLDocument.h"
#include "xmlquery/Queryable.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"
#include "xmlquery/XPathExpression.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace marrowvale {
namespace {

static_assert(Queryable<XMLDocument> && Queryable<HTMLDocument> && Queryable<XMLElement>);

constexpr std::string_view sequenceXML = R"(<?xml version="1.0" encoding="UTF-8"?>
<xmeml version="5">
  <sequence id="sequence-1">
    <name>Main Edit</name>
    <media>
      <video>
        <track>
          <clipitem id="clipitem-1"><name>A</name><start>0</start></clipitem>
          <clipitem id="clipitem-2"><name>B</name><start>10</start></clipitem>
          <transitionitem><name>Cross Dissolve</name></transitionitem>
          <clipitem id="clipitem-3"><name>C</name><start>20</start></clipitem>
        </track>
      </video>
    </media>
  </sequence>
</xmeml>)";

std::vector<std::string> names(const NodeSet& set) {
    std::vector<std::string> result;
    for (const XMLElement& element : set) {
        result.push_back(element.childText("name").value_or("?"));
    }
    return result;
}

TEST(XPathQuery, AbsoluteAndRelativePathsOnRootAndElements) {
    const auto document = XMLDocument::parse(sequenceXML);
    const auto root = document->root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->tag(), "xmeml");

    const NodeSet clips = root->xpath("//clipitem");
    EXPECT_EQ(clips.count(), 3u);
    EXPECT_EQ(names(clips), (std::vector<std::string>{"A", "B", "C"}));

    const auto sequence = root->firstChildByXPath("sequence");
    ASSERT_TRUE(sequence);
    EXPECT_EQ(sequence->attr("id"), "sequence-1");
    const NodeSet items = sequence->xpath("media/video/track/*");
    EXPECT_EQ(items.count(), 4u);
    EXPECT_EQ(items.at(2).tag(), "transitionitem");
    EXPECT_THROW(items.at(4), std::out_of_range);

    // Relative queries on a document start at the root: a name step finds its children.
    EXPECT_EQ(document->xpath("sequence").count(), 1u);
    EXPECT_TRUE(document->xpath("xmeml").isEmpty());
}

TEST(XPathQuery, CompiledExpressionMatchesTextForm) {
    const auto document = XMLDocument::parse(sequenceXML);
    const XPathExpression startOf("start");
    const NodeSet clips = document->xpath("//clipitem");
    std::vector<std::string> starts;
    for (const XMLElement& clip : clips) {
        starts.push_back(clip.firstChildByXPath(startOf)->stringValue());
        EXPECT_EQ(clip.xpath(startOf).first(), clip.childElement("start"));
    }
    EXPECT_EQ(starts, (std::vector<std::string>{"0", "10", "20"}));
    EXPECT_THROW(XPathExpression("clipitem["), XMLError);
}

XMLError tryXPathError(const XMLElement& element, std::string_view expression) {
    try {
        element.tryXPath(expression);
    } catch (const XMLError& error) {
        return error;
    }
    ADD_FAILURE() << "tryXPath did not fail: " << expression;
    return XMLError(XMLError::Kind::noError);
}

TEST(XPathQuery, FailedExpressions) {
    const auto document = XMLDocument::parse(sequenceXML);
    const XMLElement root = *document->root();
    struct Case {
        std::string_view expression;
        int code;
        std::string_view message;
    };
    const Case cases[] = {
        {"//clipitem[", 1207, "Invalid expression"},
        {"", 1207, "Invalid expression"},
        {"nope:clipitem", 1219, "Undefined namespace prefix"},
        {"unknown-function()", 1209, "Unregistered function"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(root.xpath(c.expression).isEmpty()) << c.expression;
        EXPECT_FALSE(root.firstChildByXPath(c.expression)) << c.expression;
        EXPECT_FALSE(root.eval(c.expression)) << c.expression;
        const XMLError error = tryXPathError(root, c.expression);
        EXPECT_EQ(error.kind(), XMLError::Kind::libXMLError) << c.expression;
        EXPECT_EQ(error.code(), c.code) << c.expression;
        EXPECT_EQ(error.message(), c.message) << c.expression;
    }
    // A failure leaves nothing behind for the next query.
    EXPECT_EQ(root.tryXPath("//clipitem").count(), 3u);
}

TEST(XPathQuery, ScalarResults) {
    const auto document = XMLDocument::parse(sequenceXML);
    const XMLElement root = *document->root();

    const NodeSet number = root.xpath("count(//clipitem)");
    EXPECT_EQ(number.count(), 0u);
    EXPECT_TRUE(number.isEmpty());
    EXPECT_FALSE(number.first());

    // Values are read as the result holds them, without conversion between types.
    struct Case {
        std::string_view expression;
        bool boolValue;
        double doubleValue;
        std::string stringValue;
    };
    const Case cases[] = {
        {"count(//clipitem)", false, 3.0, ""},
        {"string(//sequence/name)", false, 0.0, "Main Edit"},
        {"count(//clipitem) = 3", true, 0.0, ""},
        {"//clipitem", false, 0.0, ""},
    };
    for (const Case& c : cases) {
        const auto result = root.eval(c.expression);
        ASSERT_TRUE(result) << c.expression;
        EXPECT_EQ(result->boolValue(), c.boolValue) << c.expression;
        EXPECT_EQ(result->doubleValue(), c.doubleValue) << c.expression;
        EXPECT_EQ(result->stringValue(), c.stringValue) << c.expression;
    }
    EXPECT_EQ(root.eval(XPathExpression("sum(//start)"))->doubleValue(), 30.0);
}

TEST(XPathQuery, NamespacePrefixes) {
    const auto document = XMLDocument::parse(R"(<root xmlns:p="urn:outer" xmlns="urn:default">
  <p:item>outer</p:item>
  <inner xmlns:p="urn:inner">
    <p:item>inner</p:item>
    <leaf/>
  </inner>
  <plain>default</plain>
</root>)");
    const XMLElement root = *document->root();
    const auto leaf = root.xpath("//*[local-name()='leaf']").first();
    ASSERT_TRUE(leaf);

    // Prefixes declared on the context node or its ancestors are usable as they are, and the
    // nearest declaration is the one in scope.
    EXPECT_EQ(root.xpath("p:item").first()->stringValue(), "outer");
    EXPECT_EQ(leaf->xpath("../p:item").first()->stringValue(), "inner");
    EXPECT_EQ(leaf->xpath("//p:item").count(), 1u);

    // A default namespace needs a prefix of the caller's before XPath can name it.
    EXPECT_TRUE(root.xpath("plain").isEmpty());
    document->definePrefix("d", "urn:default");
    EXPECT_EQ(root.xpath("d:plain").first()->stringValue(), "default");

    // A prefix registered on the document wins over the tree's.
    document->definePrefix("p", "urn:inner");
    EXPECT_EQ(root.xpath("//p:item").count(), 1u);
    EXPECT_EQ(root.xpath("//p:item").first()->stringValue(), "inner");

    // Namespace nodes are copies outside the tree and are left out of results.
    EXPECT_EQ(leaf->xpath("namespace::*").count(), 0u);
    EXPECT_EQ(leaf->eval("count(namespace::*)")->doubleValue(), 3.0); // xml, inner p, default
    EXPECT_EQ(leaf->xpath("namespace::* | ..").count(), 1u);
}

TEST(XPathQuery, NodeSetAccess) {
    const auto document = XMLDocument::parse(sequenceXML);
    NodeSet clips = document->xpath("//clipitem");

    // Iterating twice gives the same nodes; the cursor is separate from iteration.
    std::vector<XMLElement> once(clips.begin(), clips.end());
    std::vector<XMLElement> twice(clips.begin(), clips.end());
    EXPECT_EQ(once, twice);
    EXPECT_EQ(clips[1].attr("id"), "clipitem-2");
    EXPECT_THROW(clips[3], std::out_of_range);

    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(clips.next()->attr("id"), "clipitem-1");
        EXPECT_EQ(clips.next()->attr("id"), "clipitem-2");
        EXPECT_EQ(clips.next()->attr("id"), "clipitem-3");
        EXPECT_FALSE(clips.next());
        EXPECT_FALSE(clips.next());
        EXPECT_EQ(clips.cursor(), 5u);
        clips.setCursor(0);
    }

    NodeSet empty;
    EXPECT_FALSE(empty.first());
    EXPECT_FALSE(empty.next());
    EXPECT_EQ(empty.begin(), empty.end());
    EXPECT_THROW(empty.at(0), std::out_of_range);

    NodeSet moved = std::move(clips);
    EXPECT_EQ(moved.count(), 3u);
    EXPECT_EQ(clips.count(), 0u); // NOLINT(bugprone-use-after-move): moving empties the source

    // Attribute and text nodes come back as handles too, and read safely.
    const NodeSet ids = document->xpath("//clipitem/@id");
    ASSERT_EQ(ids.count(), 3u);
    EXPECT_EQ(ids[0].type(), NodeType::Attribute);
    EXPECT_EQ(ids[0].stringValue(), "clipitem-1");
    EXPECT_EQ(ids[0].tag(), "id");
    EXPECT_EQ(ids[0].rawXML(), " id=\"clipitem-1\"");
    EXPECT_GT(ids[0].lineNumber(), 0);
    EXPECT_TRUE(ids[0].attributes().empty());
    EXPECT_FALSE(ids[0].namespacePrefix());
    EXPECT_EQ(ids[0].xpath("..").first()->tag(), "clipitem");
    EXPECT_EQ(ids[0].parent()->tag(), "clipitem");
    const auto text = document->xpath("//sequence/name/text()").first();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type(), NodeType::Text);
    EXPECT_EQ(text->stringValue(), "Main Edit");
}

} // namespace
} // namespace marrowvale
