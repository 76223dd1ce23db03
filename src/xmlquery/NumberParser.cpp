#include "xmlquery/NumberParser.h"

#include <cstdint>
#include <unicode/fmtable.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/parsepos.h>
#include <unicode/unistr.h>

namespace marrowvale {
namespace {

std::unique_ptr<icu::NumberFormat> makeFormat(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createInstance(locale, UNUM_DECIMAL, status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    format->setLenient(false);
    return format;
}

} // namespace

NumberParser::NumberParser() : format_(makeFormat(icu::Locale::getDefault())) {}

NumberParser::NumberParser(const std::string& localeName)
    : format_(makeFormat(icu::Locale::createFromName(localeName.c_str()))) {}

NumberParser::~NumberParser() = default;

std::optional<double> NumberParser::parse(std::string_view text) const {
    if (!format_ || text.empty() || text.size() > INT32_MAX) {
        return std::nullopt;
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::Formattable result;
    icu::ParsePosition position(0);
    format_->parse(unicode, result, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != unicode.length()) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    const double value = result.getDouble(status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return value;
}

} // namespace marrowvale
