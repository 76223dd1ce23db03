#include "xmlquery/CssToXPath.h"

#include "xmlquery/HTMLDocument.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace marrowvale {
namespace {

constexpr std::string_view classTest = "[contains(concat(' ',normalize-space(@class),' '),' ";

std::string hasClass(const std::string& name) {
    return std::string(classTest) + name + " ')]";
}

TEST(CssToXPath, TranslationTable) {
    const std::pair<std::string, std::string> cases[] = {
        {"div", ".//div"},
        {"div p", ".//div/descendant::p"},
        {"div > p", ".//div/p"},
        {"h1 + p", ".//h1/following-sibling::*[1]/self::p"},
        {"h1 ~ p", ".//h1/following-sibling::p"},
        {"div *", ".//div//*"},
        {"*", ".//*"},
        {"#main", ".//*[@id = 'main']"},
        {"#main-title_2", ".//*[@id = 'main-title_2']"},
        {"p.note", ".//p" + hasClass("note")},
        {"a[href]", ".//a[@href]"},
        {"div, span", ".//div | .//span"},
        {"div,", ".//div"},
        {"div >", ".//div"},
        {"", ""},
        {",", ""},
        // One step with all predicates, the id first and only the first id.
        {"p.a#x.b#y", ".//p[@id = 'x']" + hasClass("a") + hasClass("b")},
        {".a.b[c]", ".//*" + hasClass("a") + hasClass("b") + "[@c]"},
        // A class ends at "[" so that an attribute test after it stays its own predicate.
        {"p.note[href]", ".//p" + hasClass("note") + "[@href]"},
        // Combinators count only as tokens of their own.
        {"div>p", ".//div>p"},
        // Runs of blanks and tabs separate like one; line breaks do not separate.
        {"  div \t\t p  ", ".//div/descendant::p"},
        {"div\u00a0p", ".//div/descendant::p"},
        {"div\np", ".//div\np"},
        {" , div", ".//div"},
        // The universal selector after a combinator keeps the combinator.
        {"div > *", ".//div/*"},
        {"h1 + *", ".//h1/following-sibling::*[1]/self::*"},
        {"h1 ~ *", ".//h1/following-sibling::*"},
    };
    for (const auto& [selector, xpath] : cases) {
        EXPECT_EQ(cssToXPath(selector), xpath) << '"' << selector << '"';
    }
}

std::vector<std::string> ids(const NodeSet& set) {
    std::vector<std::string> result;
    for (const XMLElement& element : set) {
        result.push_back(element.attr("id").value_or("?"));
    }
    return result;
}

TEST(CssToXPath, SelectorsFindTheRightNodes) {
    const auto document = XMLDocument::parse(R"(<div id="top" class="box">
  <h1 id="h"/>
  <p id="p1" class="note  wide"/>
  <p id="p2" class="notes"/>
  <div id="inner"><span id="s1"/><p id="p3" class="note" href="x"/></div>
  <span id="s2"/>
</div>)");
    const XMLElement root = *document->root();
    using Ids = std::vector<std::string>;

    EXPECT_EQ(ids(root.css("div")), Ids{"inner"}); // the context node itself never matches
    EXPECT_EQ(ids(document->css("p.note")), (Ids{"p1", "p3"}));
    EXPECT_EQ(ids(root.css("p.note[href]")), Ids{"p3"});
    EXPECT_EQ(ids(root.css("h1 + p")), Ids{"p1"});
    EXPECT_EQ(ids(root.css("h1 ~ p")), (Ids{"p1", "p2"}));
    EXPECT_EQ(ids(root.css("div > *")), (Ids{"s1", "p3"}));
    EXPECT_EQ(ids(root.css("div *")), (Ids{"s1", "p3"}));
    EXPECT_EQ(ids(root.css("span, #h")), (Ids{"h", "s1", "s2"}));
    EXPECT_EQ(root.firstChildByCSS("#inner span")->attr("id"), "s1");
    EXPECT_FALSE(root.firstChildByCSS("#missing"));

    // What the translation cannot express gives XPath that libxml2 rejects: no nodes.
    EXPECT_TRUE(root.css("").isEmpty());
    EXPECT_TRUE(root.css("p:first-child").isEmpty());

    const auto html = HTMLDocument::parse("<p><span class=\"t\">Title</span></p>");
    EXPECT_EQ(html->firstChildByCSS("body p > span.t")->stringValue(), "Title");
}

} // namespace
} // namespace marrowvale
