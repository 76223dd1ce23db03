#include "report/TextOrder.h"

#include <algorithm>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace marrowvale {

std::string textOrderKey(std::string_view utf8) {
    // Plain ASCII is already in canonical form; skip ICU for the common case.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return std::string(utf8);
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    icu::UnicodeString normalized = nfc->normalize(text, status);
    if (U_FAILURE(status))
        return std::string(utf8);
    std::string key;
    normalized.toUTF8String(key);
    return key;
}

bool textOrderLess(std::string_view a, std::string_view b) {
    return textOrderKey(a) < textOrderKey(b);
}

std::vector<std::string> sortedTexts(std::vector<std::string> texts) {
    if (texts.size() < 2)
        return texts;
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
    for (auto& entry : keyed)
        result.push_back(std::move(entry.second));
    return result;
}

} // namespace marrowvale
