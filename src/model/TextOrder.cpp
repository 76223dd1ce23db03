#include "model/TextOrder.h"

#include <algorithm>
#include <unicode/coll.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <utility>

namespace marrowvale {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

std::string textOrderKey(std::string_view text) {
    // Plain ASCII is already in canonical form; skip ICU for the common case.
    if (isAscii(text)) {
        return std::string(text);
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || nfc == nullptr) {
        return std::string(text);
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    const icu::UnicodeString normalized = nfc->normalize(unicode, status);
    if (U_FAILURE(status)) {
        return std::string(text);
    }
    std::string key;
    normalized.toUTF8String(key);
    return key;
}

int compareStandardText(std::string_view lhs, std::string_view rhs) {
    if (lhs == rhs) {
        return 0;
    }
    // UTF-8 byte order is code point order; plain ASCII needs no normalisation.
    if (isAscii(lhs) && isAscii(rhs)) {
        return sign(lhs.compare(rhs));
    }
    return sign(textOrderKey(lhs).compare(textOrderKey(rhs)));
}

std::vector<std::string> sortedTexts(std::vector<std::string> texts) {
    if (texts.size() < 2) {
        return texts;
    }
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(texts.size());
    for (std::string& text : texts) {
        std::string key = textOrderKey(text);
        keyed.emplace_back(std::move(key), std::move(text));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> result;
    result.reserve(keyed.size());
    for (auto& entry : keyed) {
        result.push_back(std::move(entry.second));
    }
    return result;
}

struct LocalizedStandardComparator::Collation {
    std::unique_ptr<icu::Collator> collator;
};

LocalizedStandardComparator::LocalizedStandardComparator() {
    auto collation = std::make_unique<Collation>();
    UErrorCode status = U_ZERO_ERROR;
    // The POSIX locale (no LANG set) collates ASCII by code point; browse order needs the root
    // collation there instead.
    icu::Locale locale = icu::Locale::getDefault();
    if (std::string_view(locale.getVariant()) == "POSIX" || locale.getLanguage()[0] == '\0') {
        locale = icu::Locale::getRoot();
    }
    collation->collator.reset(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status)) {
        collation->collator.reset();
    } else if (collation->collator) {
        collation->collator->setStrength(icu::Collator::SECONDARY);
        collation->collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    }
    collation_ = std::move(collation);
}

LocalizedStandardComparator::~LocalizedStandardComparator() = default;
LocalizedStandardComparator::LocalizedStandardComparator(LocalizedStandardComparator&&) noexcept =
    default;
LocalizedStandardComparator&
LocalizedStandardComparator::operator=(LocalizedStandardComparator&&) noexcept = default;

int LocalizedStandardComparator::operator()(std::string_view lhs, std::string_view rhs) const {
    if (collation_ && collation_->collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult result = collation_->collator->compareUTF8(
            icu::StringPiece(lhs.data(), static_cast<int32_t>(lhs.size())),
            icu::StringPiece(rhs.data(), static_cast<int32_t>(rhs.size())), status);
        if (U_SUCCESS(status) && result != UCOL_EQUAL) {
            return result == UCOL_LESS ? -1 : 1;
        }
    }
    return compareStandardText(lhs, rhs);
}

} // namespace marrowvale
