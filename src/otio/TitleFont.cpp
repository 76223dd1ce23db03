#include "otio/TitleFont.h"

#include "app/TextUtilities.h"
#include "xmlquery/HTMLDocument.h"
#include "xmlquery/NodeSet.h"
#include "xmlquery/XMLElement.h"
#include "xmlquery/XMLError.h"

#include <algorithm>
#include <fmt/format.h>
#include <string_view>

namespace marrowvale {

namespace {

void report(std::string* problem, std::string text) {
    if (problem != nullptr) {
        *problem = std::move(text);
    }
}

// The font of a span's style: " font-family:'Open Sans'; font-size:84pt; color:#fff;" gives
// "Open Sans 84pt". Qt's rich text writes the family first, after a blank; a family replaces
// what came before it.
std::string fontOfStyle(std::string_view style) {
    std::string font;
    // The last declaration ends with ";" as well.
    for (const std::string& part : nonEmptyComponents(trimmedText(style, ";"), "; ")) {
        const std::vector<std::string> pieces = nonEmptyComponents(part, ":");
        if (pieces.empty()) {
            continue;
        }
        if (pieces.front() == " font-family") {
            font = pieces.back();
            std::erase(font, '\'');
        } else if (pieces.front() == "font-size") {
            font = font.empty() ? pieces.back() : font + " " + pieces.back();
        }
    }
    return font;
}

} // namespace

bool isTitleHTMLTooLarge(const std::string& html) {
    return std::string_view(html.c_str()).size() > maximumTitleHTMLSize;
}

TitleFont titleFont(const std::string* html, std::string* problem) {
    if (html == nullptr) {
        report(problem, "titleHTML IS NIL");
        return {};
    }
    // What a C string of the text holds.
    const std::string_view bytes(html->c_str());
    if (isTitleHTMLTooLarge(*html)) {
        report(problem, fmt::format("Title HTML of {} bytes is too large to read", bytes.size()));
        return {};
    }
    std::shared_ptr<HTMLDocument> document;
    try {
        document = HTMLDocument::parseUTF8(bytes);
    } catch (const XMLError& error) {
        report(problem, error.what());
        return {};
    }
    const std::optional<XMLElement> root = document->root();
    if (!root) {
        return {};
    }
    const std::optional<XMLElement> span = root->xpath("//body/p/span").first();
    if (!span) {
        return {};
    }
    TitleFont title;
    if (const std::optional<std::string> style = span->attr("style")) {
        title.font = fontOfStyle(*style);
    }
    title.text = span->stringValue();
    return title;
}

} // namespace marrowvale
