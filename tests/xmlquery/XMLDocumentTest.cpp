#include "xmlquery/XMLDocument.h"

#include "xmlquery/DateParser.h"
#include "xmlquery/HTMLDocument.h"
#include "xmlquery/NumberParser.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"

#include <gtest/gtest.h>
#include <libxml/xmlerror.h>
#include <memory>
#include <string>
#include <sys/mman.h>

namespace marrowvale {
namespace {

XMLError parseError(std::string_view bytes) {
    try {
        XMLDocument::parse(bytes);
    } catch (const XMLError& error) {
        return error;
    }
    ADD_FAILURE() << "parse did not fail: " << bytes;
    return XMLError(XMLError::Kind::noError);
}

TEST(XMLDocument, WhatTheParserMakesOfBrokenInput) {
    // Recover mode: only blank input fails; anything else yields a document, maybe without root.
    const XMLError empty = parseError("");
    EXPECT_EQ(empty.kind(), XMLError::Kind::libXMLError);
    EXPECT_EQ(empty.code(), 4);
    EXPECT_EQ(empty.message(), "Document is empty"); // trimmed: no trailing line break
    EXPECT_EQ(xmlGetLastError(), nullptr);           // the record was taken
    EXPECT_EQ(parseError(std::string_view("\0", 1)).message(), "Document is empty");

    const auto truncated = XMLDocument::parse("<a><b>text");
    ASSERT_TRUE(truncated->root());
    EXPECT_EQ(truncated->root()->tag(), "a");
    EXPECT_EQ(truncated->root()->stringValue(), "text");
    EXPECT_EQ(xmlGetLastError(), nullptr); // the repaired error is not kept for later

    for (const std::string_view notXML : {"hello world", "   ", "<?xml version=\"1.0\"?>"}) {
        const auto document = XMLDocument::parse(notXML);
        EXPECT_FALSE(document->root()) << notXML;
        EXPECT_EQ(document->description(), "");
        EXPECT_TRUE(document->xpath("//*").isEmpty());
        EXPECT_TRUE(document->tryXPath("!!").isEmpty()); // no root: nothing to fail
        EXPECT_FALSE(document->eval("count(//*)"));
        EXPECT_FALSE(document->firstChildByCSS("a"));
    }

    // A trailing NUL, as C strings bring, does not spoil a good document.
    const auto withNul = XMLDocument::parse(std::string_view("<a>x</a>\0", 9));
    EXPECT_EQ(withNul->root()->stringValue(), "x");
}

TEST(XMLDocument, RejectsInputOfTwoGibibytes) {
    constexpr std::size_t size = std::size_t{1} << 31;
    void* memory =
        mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    const std::string_view huge(static_cast<const char*>(memory), size);
    try {
        XMLDocument::parse(huge);
        ADD_FAILURE() << "a 2 GiB input was accepted";
    } catch (const XMLError& error) {
        EXPECT_EQ(error.kind(), XMLError::Kind::inputTooLarge);
        EXPECT_NE(std::string(error.what()).find("2 GiB"), std::string::npos);
    }
    EXPECT_THROW(HTMLDocument::parse(huge), XMLError);
    munmap(memory, size);
}

TEST(XMLDocument, VersionAndEncoding) {
    struct Case {
        std::string_view bytes;
        std::optional<std::string> version;
        std::string encoding;
    };
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", "1.0", "ISO-8859-1"},
        {"<?xml version=\"1.0\" encoding=\"latin1\"?><a/>", "1.0", "ISO-8859-1"},
        {"<?xml version=\"1.0\"?><a/>", "1.0", "UTF-8"},
        {"<a/>", "1.0", "UTF-8"}, // libxml2 fills in 1.0 without declaration
    };
    for (const Case& c : cases) {
        const auto document = XMLDocument::parse(c.bytes);
        EXPECT_EQ(document->version(), c.version) << c.bytes;
        EXPECT_EQ(document->encoding(), c.encoding) << c.bytes;
    }
    // libxml2 refuses a document whose declared character set it does not know.
    const XMLError unknown = parseError("<?xml version=\"1.0\" encoding=\"no-such-charset\"?><a/>");
    EXPECT_EQ(unknown.kind(), XMLError::Kind::libXMLError);
    EXPECT_EQ(unknown.code(), 32);
    EXPECT_EQ(unknown.message(), "Unsupported encoding no-such-charset");
}

TEST(XMLDocument, RawBytesAreDecodedOnce) {
    // "é" is the byte E9 in ISO-8859-1; libxml2 decodes it by the declaration.
    const auto latin1 = XMLDocument::parse(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a t=\"\xE9\">caf\xE9</a>");
    EXPECT_EQ(latin1->root()->stringValue(), "caf\u00e9");
    EXPECT_EQ(latin1->root()->attr("t"), "\u00e9");

    const auto utf8 = XMLDocument::parse("<?xml version=\"1.0\"?><a>caf\u00e9</a>");
    EXPECT_EQ(utf8->root()->stringValue(), "caf\u00e9");

    const auto bom = XMLDocument::parse("\xEF\xBB\xBF<a>caf\u00e9</a>");
    EXPECT_EQ(bom->root()->stringValue(), "caf\u00e9");

    // Text converted to UTF-16 carries a byte-order mark that libxml2 honours.
    const auto utf16 = XMLDocument::parseText("<a>caf\u00e9 \u0436</a>", "UTF-16");
    EXPECT_EQ(utf16->root()->stringValue(), "caf\u00e9 \u0436");

    const auto latin1Text = XMLDocument::parseText(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\u00e9</a>", "ISO-8859-1");
    EXPECT_EQ(latin1Text->root()->stringValue(), "caf\u00e9");
}

TEST(XMLDocument, TextThatTheEncodingCannotHold) {
    for (const auto& [text, encoding] :
         {std::pair{"<a>\u0436</a>", "US-ASCII"}, std::pair{"<a>\u20ac</a>", "ISO-8859-1"},
          std::pair{"<a/>", "no-such-charset"}}) {
        try {
            XMLDocument::parseText(text, encoding);
            ADD_FAILURE() << text << " in " << encoding;
        } catch (const XMLError& error) {
            EXPECT_EQ(error.kind(), XMLError::Kind::invalidData);
        }
    }
}

TEST(XMLDocument, NeverLoadsExternalEntitiesOrExpandsEntityBombs) {
    const auto external = XMLDocument::parse(
        "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
        "<a>[&x;]</a>");
    EXPECT_EQ(external->root()->stringValue(), "[]");

    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE b [<!ENTITY l0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        bomb += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) {
            bomb += "&l" + std::to_string(level - 1) + ";";
        }
        bomb += "\">";
    }
    bomb += "]><b>&l9;</b>";
    const auto bombed = XMLDocument::parse(bomb);
    ASSERT_TRUE(bombed->root());
    EXPECT_LT(bombed->root()->stringValue().size(), 1000u);
}

TEST(XMLDocument, QueryResultsKeepTheDocumentAlive) {
    auto document = XMLDocument::parse("<a><b>one</b><b>two</b></a>");
    const std::weak_ptr<XMLDocument> watch = document;
    NodeSet set = document->xpath("b");
    auto root = document->root();
    document.reset();

    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(set.count(), 2u);
    EXPECT_EQ(set.at(1).stringValue(), "two");
    root.reset();
    EXPECT_FALSE(watch.expired()); // the node set still holds it
    const XMLElement kept = set.at(0);
    set = NodeSet();
    EXPECT_EQ(kept.stringValue(), "one"); // and so does a single node
    EXPECT_FALSE(watch.expired());
}

TEST(XMLDocument, EqualityAndTextForm) {
    const auto first = XMLDocument::parse("<a><b/></a>");
    const auto second = XMLDocument::parse("<a><b/></a>");
    EXPECT_TRUE(*first == *first->root()->document());
    EXPECT_FALSE(*first == *second);
    EXPECT_EQ(first->description(), "<a><b/></a>");
}

TEST(XMLDocument, NumberAndDateParsers) {
    const auto document = XMLDocument::parse(
        "<a><n>1,234.5</n><x>12abc</x><d>2024-03-01T12:30:00+0000</d><z>2024-03-01</z></a>");
    document->setNumberFormatter(std::make_shared<const NumberParser>("en_US"));
    EXPECT_EQ(document->root()->childElement("n")->numberValue(), 1234.5);
    EXPECT_FALSE(document->root()->childElement("x")->numberValue());

    const auto instant = document->root()->childElement("d")->dateValue();
    ASSERT_TRUE(instant);
    EXPECT_EQ(instant->time_since_epoch().count(), 1709296200000);
    EXPECT_FALSE(document->root()->childElement("z")->dateValue());

    document->setNumberFormatter(std::make_shared<const NumberParser>("de_DE"));
    EXPECT_EQ(document->root()->childElement("n")->numberValue(), std::nullopt);
    document->setDateFormatter(std::make_shared<const DateParser>("yyyy-MM-dd", "en_US_POSIX"));
    EXPECT_TRUE(document->root()->childElement("z")->dateValue());
}

TEST(HTMLDocument, FragmentsAndTitleText) {
    // A title's HTML as an editor stores it: a paragraph holding a styled span.
    const auto fragment = HTMLDocument::parse(
        "<p><span style=\"font-family: 'Helvetica Neue'; font-size: 48px\">Opening "
        "<b>Title</b></span></p>");
    ASSERT_TRUE(fragment->root());
    EXPECT_EQ(fragment->root()->tag(), "html");
    EXPECT_TRUE(fragment->body());
    EXPECT_FALSE(fragment->title());
    const auto span = fragment->root()->xpath("//body/p/span").first();
    ASSERT_TRUE(span);
    EXPECT_EQ(span->attr("style"), "font-family: 'Helvetica Neue'; font-size: 48px");
    EXPECT_EQ(span->stringValue(), "Opening Title");
    EXPECT_TRUE(span->isHTML());

    const auto page = HTMLDocument::parse(
        "<HTML><HEAD><TITLE>Caf\u00e9 &amp; more</TITLE></HEAD><BODY><P>x</P></BODY></HTML>");
    EXPECT_EQ(page->title(), "Caf\u00e9 & more");
    EXPECT_EQ(page->head()->tag(), "head");

    // Text from a UTF-8 document stays UTF-8 whatever charset the page declares.
    const std::string declaresLatin1 =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=iso-8859-1\"></head><body><p><span>Caf\u00e9</span></p></body></html>";
    EXPECT_EQ(
        HTMLDocument::parseUTF8(declaresLatin1)->root()->xpath("//span").first()->stringValue(),
        "Caf\u00e9");

    // Unlike XML, blank HTML gives a document without root rather than an error.
    for (const std::string_view blank : {"", "   "}) {
        const auto document = HTMLDocument::parse(blank);
        EXPECT_FALSE(document->root());
        EXPECT_FALSE(document->body());
        EXPECT_FALSE(document->title());
        EXPECT_TRUE(document->xpath("//body/p/span").isEmpty());
    }
}

} // namespace
} // namespace marrowvale
