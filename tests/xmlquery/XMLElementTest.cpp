#include "xmlquery/XMLElement.h"

#include "xmlquery/HTMLDocument.h"
#include "xmlquery/XMLDocument.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace marrowvale {
namespace {

constexpr std::string_view clipXML = R"(<clipitem id="c1" premiereChannelType="stereo">
  <!-- logging -->
  <Name>Interview</Name>
  <name>lower case</name>
  <text>a text element</text>
  <labels><label2>Iris</label2></labels>
  <fx:filter xmlns:fx="urn:effects" fx:kind="video"><fx:name>Blur</fx:name></fx:filter>
  <plain xmlns="urn:default"><inner/></plain>
  <empty/>
  <wrapper><empty/></wrapper>
  <number>29.97</number>
</clipitem>)";

std::vector<std::string> tags(const std::vector<XMLElement>& elements) {
    std::vector<std::string> result;
    for (const XMLElement& element : elements) {
        result.push_back(element.tag().value_or("-"));
    }
    return result;
}

TEST(XMLElement, NavigationWrapsNeighboursOfEveryKind) {
    const auto document = XMLDocument::parse(clipXML);
    const XMLElement root = *document->root();

    // The root's parent is the document node; reading it as an element must be safe.
    const auto top = root.parent();
    ASSERT_TRUE(top);
    EXPECT_EQ(top->type(), NodeType::Document);
    EXPECT_FALSE(top->parent());
    EXPECT_FALSE(top->namespacePrefix());
    EXPECT_TRUE(top->attributes().empty());
    EXPECT_FALSE(top->attr("id"));
    EXPECT_EQ(top->children().size(), 1u);
    EXPECT_FALSE(top->toElement());

    // The first child of the root is white space: a text node named "text".
    const auto leading = root.cNode()->children;
    const XMLElement firstNode(leading, document);
    EXPECT_FALSE(firstNode.previousSibling());
    const XMLElement name = *root.childElement("Name");
    const auto before = name.previousSibling();
    ASSERT_TRUE(before);
    EXPECT_EQ(before->type(), NodeType::Text);
    EXPECT_EQ(before->tag(), "text");
    EXPECT_EQ(name.nextSibling()->nextSibling()->tag(), "name");
    EXPECT_EQ(name.lineNumber(), 3);
    const auto tall = XMLDocument::parse("<a>" + std::string(70000, '\n') + "<b/></a>");
    EXPECT_EQ(tall->root()->childElement("b")->lineNumber(), 70001);
    EXPECT_EQ(name.toElement(), name);
}

TEST(XMLElement, ChildLookupByTag) {
    const auto document = XMLDocument::parse(clipXML);
    const XMLElement root = *document->root();

    // Tag matching ignores ASCII case and looks at elements only.
    EXPECT_EQ(root.firstChild("NAME")->stringValue(), "Interview");
    EXPECT_EQ(root.firstChild("label2"), std::nullopt);
    EXPECT_EQ(root.firstChild("LABELS")->firstChild("LABEL2")->stringValue(), "Iris");
    EXPECT_EQ(root.firstChild("text")->stringValue(), "a text element");
    EXPECT_EQ(root.firstChild("comment"), std::nullopt);
    EXPECT_EQ(tags(root.children("name")), (std::vector<std::string>{"Name", "name"}));

    // With a prefix: the namespace must have that prefix (any case); none or no prefix fails.
    EXPECT_EQ(root.firstChild("filter", "FX")->namespacePrefix(), "fx");
    EXPECT_FALSE(root.firstChild("plain", "fx"));
    EXPECT_FALSE(root.firstChild("name", "fx"));
    EXPECT_EQ(root.firstChild("plain")->namespacePrefix(), std::nullopt);

    // The exact walk matches like an XPath step: exact name, no namespace.
    EXPECT_EQ(root.childElement("name")->stringValue(), "lower case");
    EXPECT_FALSE(root.childElement("NAME"));
    EXPECT_FALSE(root.childElement("filter"));
    EXPECT_FALSE(root.childElement("plain"));
    EXPECT_EQ(root.childText("number"), "29.97");
    EXPECT_EQ(root.childText("missing"), std::nullopt);

    std::vector<std::string> walked;
    for (const XMLElement& child : root.childElements()) {
        walked.push_back(*child.tag());
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"Name", "name", "text", "labels", "filter", "plain",
                                                "empty", "wrapper", "number"}));
    EXPECT_EQ(tags(root.children()), walked);
    std::size_t empties = 0;
    for (const XMLElement& child : root.childElements(std::string("empty"))) {
        EXPECT_EQ(child.tag(), "empty");
        ++empties;
    }
    EXPECT_EQ(empties, 1u);
    EXPECT_TRUE(root.childElement("empty")->childElements().empty());

    EXPECT_EQ(root.childAt(0).tag(), "Name");
    EXPECT_EQ(root.childAt(walked.size() - 1).tag(), "number");
    EXPECT_THROW(root.childAt(walked.size()), std::out_of_range);

    const auto comments = root.childNodes({NodeType::Comment});
    ASSERT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments[0].stringValue(), " logging ");
    EXPECT_EQ(root.childNodes({NodeType::Element, NodeType::Comment}).size(), walked.size() + 1);
}

TEST(XMLElement, AttributesAndText) {
    const auto document = XMLDocument::parse(clipXML);
    const XMLElement root = *document->root();

    const auto attributes = root.attributes();
    EXPECT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes.at("premiereChannelType"), "stereo");
    EXPECT_EQ(root["id"], "c1");
    EXPECT_EQ(root.attr("missing"), std::nullopt);

    const XMLElement filter = *root.firstChild("filter");
    EXPECT_EQ(filter.attr("kind"), "video");
    EXPECT_EQ(filter.attr("kind", "urn:effects"), "video");
    EXPECT_EQ(filter.attr("kind", "urn:other"), std::nullopt);
    EXPECT_EQ(filter.attributes().size(), 1u);

    EXPECT_EQ(root.firstChild("labels")->stringValue(), "Iris");
    EXPECT_EQ(filter.stringValue(), "Blur");
    EXPECT_TRUE(root.firstChild("empty")->isBlank());
    EXPECT_TRUE(root.firstChild("wrapper")->isBlank());
    EXPECT_FALSE(root.firstChild("labels")->isBlank());
}

TEST(XMLElement, MarkupAndIdentity) {
    const auto document = XMLDocument::parse("<a>\n  <b k=\"v\">x<c/></b>\n</a>");
    const XMLElement b = *document->root()->childElement("b");
    EXPECT_EQ(b.rawXML(), "<b k=\"v\">x<c/></b>");
    EXPECT_EQ(b.description(), b.rawXML());
    EXPECT_EQ(document->root()->rawXML(), "<a>\n  <b k=\"v\">x<c/></b>\n</a>");

    const auto html = HTMLDocument::parse("<p>One<br>Two</p>");
    EXPECT_EQ(html->body()->firstChild("p")->rawXML(), "<p>One<br>Two</p>");
    const auto htmlAttribute = HTMLDocument::parse("<p class=\"c\">x</p>")->xpath("//@class");
    EXPECT_EQ(htmlAttribute.first()->rawXML(), " class=\"c\"");
    EXPECT_EQ(htmlAttribute.first()->stringValue(), "c");
    EXPECT_NE(html->root()->parent()->rawXML().find("<html><body><p>One<br>Two</p></body></html>"),
              std::string::npos);
    EXPECT_NE(document->root()->parent()->rawXML().find("<a>"), std::string::npos);

    const auto twins = XMLDocument::parse("<a><b/><b/></a>");
    const XMLElement first = twins->root()->childAt(0);
    EXPECT_EQ(first, *twins->root()->firstChild("b"));
    EXPECT_FALSE(first == twins->root()->childAt(1));
}

} // namespace
} // namespace marrowvale
