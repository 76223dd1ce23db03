#pragma once

#include <libxml/xmlstring.h>
#include <optional>
#include <string>

namespace marrowvale {

/// Copies a libxml2 string; nothing when it is missing or not valid UTF-8.
std::optional<std::string> textFromLibXml(const xmlChar* text);

/// Takes a string that libxml2 allocated, copies it and frees it; "" when it is missing or not
/// valid UTF-8.
std::string takeTextFromLibXml(xmlChar* text);

} // namespace marrowvale
