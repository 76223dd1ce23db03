#include "xmeml/XMEMLDocument.h"

#include <gtest/gtest.h>
#include <string>

namespace marrowvale {
namespace {

TEST(XMEMLDocument, KeepsTextAndDropsFormattingBlanks) {
    XMEMLDocument doc = XMEMLDocument::parse(
        "<a id='1'>\n\t<b> x </b>\n\t<c><d>1</d>\n<d>2</d></c><e>   </e><f/><g><![CDATA[<z>]]></g>"
        "<h>A &amp; B</h></a>");
    const NodeIndex root = doc.root();
    ASSERT_NE(root, XMEMLDocument::none);
    EXPECT_EQ(doc.tag(root), "a");
    EXPECT_EQ(doc.attribute(root, doc.nameID("id")), "1");
    EXPECT_EQ(doc.attribute(root, doc.nameID("b")), std::nullopt);

    const NameID b = doc.nameID("b"), c = doc.nameID("c"), d = doc.nameID("d");
    EXPECT_EQ(doc.text(doc.child(root, b)), " x ");
    // Blank text between elements is formatting; the text of a parent joins its children's.
    EXPECT_EQ(doc.text(doc.child(root, c)), "12");
    EXPECT_EQ(doc.pathText(root, {c, d}), "1");
    EXPECT_EQ(doc.allPaths(root, {c, d}).size(), 2u);
    // Blank content of its own is kept, an empty element has empty text.
    EXPECT_EQ(doc.pathText(root, {doc.nameID("e")}), "   ");
    EXPECT_EQ(doc.pathText(root, {doc.nameID("f")}), "");
    EXPECT_EQ(doc.pathText(root, {doc.nameID("g")}), "<z>");
    EXPECT_EQ(doc.pathText(root, {doc.nameID("h")}), "A & B");
    EXPECT_EQ(doc.pathText(root, {doc.nameID("missing")}), std::nullopt);
    EXPECT_EQ(doc.nameID("missing"), XMEMLDocument::absentName);
    EXPECT_EQ(doc.descendant(root, d), doc.path(root, {c, d}));
    EXPECT_EQ(doc.descendant(doc.child(root, b), d), XMEMLDocument::none);
}

TEST(XMEMLDocument, SiblingWalkLooksAtThreeNodesAtMost) {
    XMEMLDocument doc =
        XMEMLDocument::parse("<t><p/>\n  <i1/><!--x--><i2/>\n<!--x-->\n<i3/><i4/></t>");
    const NodeIndex t = doc.root();
    const NodeIndex p = doc.child(t, doc.nameID("p"));
    const NodeIndex i1 = doc.child(t, doc.nameID("i1"));
    const NodeIndex i2 = doc.child(t, doc.nameID("i2"));
    const NodeIndex i3 = doc.child(t, doc.nameID("i3"));
    const NodeIndex i4 = doc.child(t, doc.nameID("i4"));
    EXPECT_EQ(doc.previousSiblingElement(p), XMEMLDocument::none);
    EXPECT_EQ(doc.previousSiblingElement(i1), p);                   // white space, then p
    EXPECT_EQ(doc.previousSiblingElement(i2), i1);                  // a comment, then i1
    EXPECT_EQ(doc.previousSiblingElement(i3), XMEMLDocument::none); // three nodes in between
    EXPECT_EQ(doc.nextSiblingElement(i2), XMEMLDocument::none);
    EXPECT_EQ(doc.nextSiblingElement(i3), i4);
    EXPECT_EQ(doc.nextSiblingElement(i4), XMEMLDocument::none);
}

TEST(XMEMLDocument, ParseFailuresAndRecovery) {
    struct Case {
        std::string bytes;
        bool throws;
        bool hasRoot;
    };
    const Case cases[] = {
        {"hello", true, false},
        {"<!-- unterminated", true, false},
        // Nothing malformed, but no element either: a document without a root.
        {"", false, false},
        {"<?xml version=\"1.0\"?>", false, false},
        {" \n<!-- a comment -->\n<?pi?>\n", false, false},
        {"<a><b>1</b>", false, true},     // truncated: repaired
        {"<a><b>1</c></a>", false, true}, // mismatched end tag: repaired
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        if (c.throws) {
            try {
                XMEMLDocument::parse(c.bytes);
                ADD_FAILURE() << "no error";
            } catch (const XMEMLParseError& error) {
                EXPECT_NE(error.code(), 0);
                std::string message = error.what();
                EXPECT_FALSE(message.empty());
                EXPECT_NE(message.back(), '\n');
            }
        } else {
            XMEMLDocument doc = XMEMLDocument::parse(c.bytes);
            EXPECT_EQ(doc.root() != XMEMLDocument::none, c.hasRoot);
            if (c.hasRoot) {
                EXPECT_EQ(doc.pathText(doc.root(), {doc.nameID("b")}), "1");
            } else {
                EXPECT_FALSE(doc.recoveredError());
            }
        }
    }
}

TEST(XMEMLDocument, StopsAtAnUnexpectedRootAndHonoursTheDeclaredEncoding) {
    XMEMLDocument other = XMEMLDocument::parse("<fcpxml><a/><b/></fcpxml>", "xmeml");
    EXPECT_EQ(other.tag(other.root()), "fcpxml");
    EXPECT_EQ(other.size(), 1u);

    std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><xmeml><n>Caf\xE9</n>"
                         "</xmeml>";
    XMEMLDocument doc = XMEMLDocument::parse(latin1, "xmeml");
    EXPECT_EQ(doc.pathText(doc.root(), {doc.nameID("n")}), "Caf\xC3\xA9");
}

// Entity declarations once left libxml2's stand-in document behind on every parse (the leak
// checker of the sanitizer build fails this test program if they do again).
TEST(XMEMLDocument, EntityDeclarationsLeaveNothingBehind) {
    XMEMLDocument doc = XMEMLDocument::parse(
        "<!DOCTYPE xmeml [<!ENTITY e \"v\"><!ENTITY x SYSTEM \"file:///etc/hostname\">]>"
        "<xmeml><n>a&e;&x;b</n></xmeml>",
        "xmeml");
    EXPECT_EQ(doc.tag(doc.root()), "xmeml");
    // Nothing is fetched for the external entity; the internal one is expanded.
    EXPECT_EQ(doc.pathText(doc.root(), {doc.nameID("n")}), "avb");
}

std::string laughs(int levels, int copies, const std::string& use) {
    std::string bytes = "<!DOCTYPE xmeml [<!ENTITY l0 \"lollollollollollol\">";
    for (int level = 1; level <= levels; ++level) {
        bytes += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < copies; ++i) {
            bytes += "&l" + std::to_string(level - 1) + ";";
        }
        bytes += "\">";
    }
    return bytes + "]><xmeml>" + use + "</xmeml>";
}

TEST(XMEMLDocument, ExpandsInternalEntitiesWithinBounds) {
    XMEMLDocument doc = XMEMLDocument::parse(
        "<!DOCTYPE xmeml [<!ENTITY co \"Company\"><!ENTITY both \"&co; &amp; <b>sons</b>\">]>"
        "<xmeml><name>S &co;</name><n a='&co;!'>&both;.</n></xmeml>",
        "xmeml");
    EXPECT_EQ(doc.pathText(doc.root(), {doc.nameID("name")}), "S Company");
    const NodeIndex n = doc.child(doc.root(), doc.nameID("n"));
    EXPECT_EQ(doc.text(n), "Company & sons.");
    EXPECT_EQ(doc.pathText(n, {doc.nameID("b")}), "sons");
    EXPECT_EQ(doc.attribute(n, doc.nameID("a")), "Company!");
    EXPECT_FALSE(doc.recoveredError());

    // Nested entities that multiply into gigabytes, in text or in an attribute, and one large
    // entity used very often: the document is refused instead of filling the memory.
    const std::string big = "<!DOCTYPE xmeml [<!ENTITY b \"" + std::string(100000, 'x') + "\">]>";
    std::string often = big + "<xmeml><n>";
    for (int i = 0; i < 2000; ++i) {
        often += "&b;";
    }
    often += "</n></xmeml>";
    const std::string bombs[] = {laughs(9, 10, "<n>&l9;</n>"), laughs(9, 10, "<n a='&l9;'/>"),
                                 laughs(4, 30, "<n>&l4;&l4;&l4;</n>"), often};
    for (const std::string& bytes : bombs) {
        SCOPED_TRACE(bytes.substr(0, 120));
        EXPECT_THROW(XMEMLDocument::parse(bytes, "xmeml"), XMEMLParseError);
    }
}

TEST(XMEMLDocument, RemembersTheFirstRepairedError) {
    XMEMLDocument truncated = XMEMLDocument::parse("<xmeml>\n<a>1</a>\n<b>2</b>\n<c>3", "xmeml");
    ASSERT_TRUE(truncated.recoveredError());
    EXPECT_NE(truncated.recoveredError()->code, 0);
    EXPECT_EQ(truncated.recoveredError()->line, 4);
    EXPECT_EQ(truncated.recoveredError()->message, "Premature end of data in tag c");

    XMEMLDocument mismatched = XMEMLDocument::parse("<a>\n<b>1</c>\n</a>");
    ASSERT_TRUE(mismatched.recoveredError());
    EXPECT_EQ(mismatched.recoveredError()->line, 2);
    EXPECT_EQ(mismatched.recoveredError()->column, 9);

    // A document that never gets going keeps its first error for the refusal.
    try {
        XMEMLDocument::parse("<?xml vers");
        ADD_FAILURE() << "parsed";
    } catch (const XMEMLParseError& error) {
        ASSERT_TRUE(error.firstError());
        EXPECT_EQ(error.firstError()->line, 1);
        EXPECT_EQ(error.firstError()->column, 7);
        EXPECT_EQ(error.firstError()->message, "Malformed declaration expecting version");
    }

    // Neither a well-formed document nor one stopped at an unexpected root counts as damaged.
    EXPECT_FALSE(XMEMLDocument::parse("<a><b/></a>").recoveredError());
    EXPECT_FALSE(XMEMLDocument::parse("<fcpxml><a/></fcpxml>", "xmeml").recoveredError());
}

TEST(XMEMLDocument, ChunksReadTheSameAndStopWhenTheParserGivesUp) {
    struct Case {
        std::string bytes;
        std::size_t chunksAtMost; // asked of the source, the empty end included
    };
    const std::string timeline =
        "<xmeml>" + std::string(700000, ' ') + "<sequence><name>A</name></sequence></xmeml>";
    const Case cases[] = {
        {timeline, 5},                            // 4 bytes, three chunks of 256 KiB
        {"hello" + std::string(3000000, 'x'), 2}, // no XML: only the start is read
        {std::string(3000000, '\0'), 2},          // a file of zeros, likewise
    };
    for (const Case& c : cases) {
        std::size_t offset = 0;
        std::size_t chunks = 0;
        auto next = [&](std::size_t maxLength) {
            ++chunks;
            std::string_view chunk = std::string_view(c.bytes).substr(offset, maxLength);
            offset += chunk.size();
            return chunk;
        };
        try {
            XMEMLDocument streamed = XMEMLDocument::parse(next, c.bytes.size(), "xmeml");
            XMEMLDocument whole = XMEMLDocument::parse(c.bytes, "xmeml");
            ASSERT_EQ(streamed.size(), whole.size());
            EXPECT_EQ(streamed.pathText(streamed.root(),
                                        {streamed.nameID("sequence"), streamed.nameID("name")}),
                      "A");
        } catch (const XMEMLParseError& error) {
            EXPECT_THROW(XMEMLDocument::parse(c.bytes, "xmeml"), XMEMLParseError);
        }
        EXPECT_LE(chunks, c.chunksAtMost) << c.bytes.substr(0, 10);
    }
}

} // namespace
} // namespace marrowvale
