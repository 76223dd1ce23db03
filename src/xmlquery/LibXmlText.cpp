#include "xmlquery/LibXmlText.h"

#include "xmlquery/LibXmlHandles.h"

namespace marrowvale {

std::optional<std::string> textFromLibXml(const xmlChar* text) {
    if (text == nullptr || xmlCheckUTF8(text) == 0) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(text));
}

std::string takeTextFromLibXml(xmlChar* text) {
    const XmlCharPtr owned(text);
    return textFromLibXml(owned.get()).value_or(std::string());
}

} // namespace marrowvale
