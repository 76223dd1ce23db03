#include "xmlquery/XMLError.h"

#include "xmlquery/LibXmlText.h"

#include <fmt/format.h>
#include <libxml/xmlerror.h>
#include <string_view>

namespace marrowvale {
namespace {

std::string describe(XMLError::Kind kind, int code, const std::string& message) {
    switch (kind) {
    case XMLError::Kind::libXMLError:
        return message.empty() ? fmt::format("XML error {}", code)
                               : fmt::format("XML error {}: {}", code, message);
    case XMLError::Kind::xpathError:
        return fmt::format("Invalid XPath expression (error {})", code);
    case XMLError::Kind::noError:
        return "No error";
    case XMLError::Kind::invalidData:
        return "The text cannot be represented in the requested character encoding";
    case XMLError::Kind::parserFailure:
        return "The document could not be parsed";
    case XMLError::Kind::inputTooLarge:
        return "The document is 2 GiB or larger, more than the XML parser can read";
    }
    return "Unknown XML error";
}

std::string trimmed(std::string text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

XMLError::XMLError(Kind kind, int code, std::string message)
    : std::runtime_error(describe(kind, code, message)), kind_(kind), code_(code),
      message_(std::move(message)) {}

XMLError XMLError::libXML(int code, std::string message) {
    return XMLError(Kind::libXMLError, code, trimmed(std::move(message)));
}

XMLError XMLError::lastError(const XMLError& defaultError) {
    xmlError* last = xmlGetLastError();
    if (last == nullptr) {
        return defaultError;
    }
    const int code = last->code;
    std::string message =
        textFromLibXml(reinterpret_cast<const xmlChar*>(last->message)).value_or(std::string());
    xmlResetError(last);
    return libXML(code, std::move(message));
}

} // namespace marrowvale
