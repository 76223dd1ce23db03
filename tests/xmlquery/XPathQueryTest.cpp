#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"
#include "xmlquery/XPathExpression.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace marrowvale {
namespace {

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

} // namespace
} // namespace marrowvale
